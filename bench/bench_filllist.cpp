// Listing a folder of 2,000 units in the file list, against reading the same descriptors
// with nothing else done (the same files, the same cache), with the ratio.

#include "platform/ini/inifile.h"
#include "units/unitlistmodel.h"
#include "vocfile/unitdescriptor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int UnitCount = 2000;
constexpr int Rounds = 5;

qint64 best(const std::function<void()> &work)
{
    qint64 fastest = std::numeric_limits<qint64>::max();
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, timer.nsecsElapsed());
    }
    return fastest;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    const QString path = folder.path() + u'/';
    for (int i = 0; i < UnitCount; ++i)
        UnitDescriptor(path + QStringLiteral("Unit %1.lif").arg(i, 4, 10, QLatin1Char('0')))
            .write(i % 19, (i * 7) % 19, QStringLiteral("Description of unit %1").arg(i),
                   QStringLiteral("Arial"));
    const QString languageFile =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../program/english.llf");

    UnitListModel model;
    int listed = 0;
    const qint64 fill = best([&] { listed = model.fill(path, QStringLiteral("lif"), languageFile); });
    const qint64 read = best([&] {
        for (const QString &name : QDir(path).entryList({QStringLiteral("*.lif")}, QDir::Files)) {
            const IniFile ini(path + name);
            ini.readString(QStringLiteral("general"), QStringLiteral("Description"), QString());
        }
    });
    out << "FillList of " << listed << " units (best of " << Rounds << "): " << fill / 1000000.0
        << " ms (goal < 300 ms)\n";
    out << "Reading the same descriptors alone:     " << read / 1000000.0 << " ms\n";
    out << "Ratio:                                   " << double(fill) / double(read) << "\n";
    return 0;
}
