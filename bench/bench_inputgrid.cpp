// Opening the input page on a unit and jumping to its last entry, as the page does it: the
// table opened, the grid given the unit, the page shown and painted, then the last row made
// current and painted. A 100,000-entry unit against an empty one in the same run, same
// table engine and same window size; the figures are the best of several rounds, memory
// the growth of the resident set while the unit is open.

#include "benchmessages.h"
#include "benchunit.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "support/standalonepageservices.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int EntryCount = 100000;
constexpr int Rounds = 5;

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
                             : 0;
}

QString makeUnit(const QString &folder, const QString &name, int count, MessageService &messages)
{
    return makeBenchUnit(folder, name, count, messages, [](int i) {
        return QStringList{QStringLiteral("word %1").arg(i), QStringLiteral("Wort %1").arg(i)};
    });
}

struct Figures
{
    double openMs = 1e9;
    double lastMs = 1e9;
    double megabytes = 0;
};

Figures measure(const QString &descriptor, MessageService &messages)
{
    Figures best;
    for (int round = 0; round < Rounds; ++round) {
        const double before = residentMegabytes();
        QElapsedTimer timer;
        timer.start();
        TLumoTable table(messages);
        const StandalonePageServices services(messages, table);
        InputPage page(services.services);
        page.resize(800, 600);
        table.setVocabularyFile(UnitFiles::tablePathOf(descriptor));
        table.open();
        page.LumoDBGrid1->setVocabularyFile(descriptor);
        page.ShowTypeColBtnClick();
        page.show();
        page.repaint();
        QCoreApplication::processEvents();
        const double opened = double(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        table.last();
        page.LumoDBGrid1->scrollToBottom();
        page.repaint();
        QCoreApplication::processEvents();
        const double last = double(timer.nsecsElapsed()) / 1e6;
        best.openMs = std::min(best.openMs, opened);
        best.lastMs = std::min(best.lastMs, last);
        best.megabytes = std::max(best.megabytes, residentMegabytes() - before);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentMessages messages;
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString empty = makeUnit(folder, QStringLiteral("empty"), 0, messages);
    const QString large = makeUnit(folder, QStringLiteral("large"), EntryCount, messages);

    // The empty unit first, so that what both need once (fonts, styles) counts for it.
    const Figures base = measure(empty, messages);
    const Figures big = measure(large, messages);
    std::printf("input page, empty unit:   open %.1f ms, to last %.1f ms, memory +%.1f MB\n", base.openMs,
                base.lastMs, base.megabytes);
    std::printf("input page, %d entries: open %.1f ms, to last %.1f ms, memory +%.1f MB\n", EntryCount,
                big.openMs, big.lastMs, big.megabytes);
    std::printf(
        "open + last: %.1f ms (goal under 300), %.1fx the empty unit; memory over empty %.1f MB (goal under "
        "80)\n",
        big.openMs + big.lastMs, (big.openMs + big.lastMs) / std::max(0.01, base.openMs + base.lastMs),
        big.megabytes - base.megabytes);
    return 0;
}
