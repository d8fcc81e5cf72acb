// Converting an old unit of 100,000 pairs, against inserting the same rows into the same
// empty table with plain SQLite in one transaction (same schema, collation and cache).

#include "benchsqlite.h"
#include "support/scriptedmessageservice.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitconverter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int PairCount = 100000;

QByteArray oldUnit()
{
    QByteArray bytes("french\r\nBenchmark\r\nbig\r\n");
    for (int i = 0; i < PairCount; ++i)
        bytes += "mot " + QByteArray::number(i) +
                 " fran\xe7"
                 "ais\r\nword " +
                 QByteArray::number(i) + "\r\n";
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    const QString dir = folder.path() + u'/';
    QFile old(dir + QStringLiteral("old.vok"));
    if (!old.open(QIODevice::WriteOnly) || old.write(oldUnit()) < 0)
        return 1;
    old.close();

    ScriptedMessageService messages;
    TLumoTable table(messages);
    // An empty table of the same schema for the plain side.
    table.setVocabularyFile(dir + QStringLiteral("plain.db"));

    QElapsedTimer timer;
    timer.start();
    UnitConverter(table).convert(old.fileName(), dir);
    const qint64 converted = timer.nsecsElapsed();
    const qint64 plain = insertPlainPairs(dir + QStringLiteral("plain.db"), PairCount, 0, [](int i) {
        return std::pair<QByteArray, QByteArray>("word " + QByteArray::number(i), "mot " +
                                                                                      QByteArray::number(i) +
                                                                                      " fran\xc3\xa7"
                                                                                      "ais");
    });
    out << "Convert an old unit of " << PairCount << " pairs:          " << converted / 1000000.0 << " ms\n";
    out << "Plain SQLite insert, one transaction:      " << plain / 1000000.0 << " ms\n";
    out << "Ratio:                                     " << double(converted) / double(plain)
        << " (goal <= 2)\n";
    return 0;
}
