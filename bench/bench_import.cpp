// Importing a CSV word list of 100,000 rows into a new unit (reading, detecting the
// separator, parsing, appending in one transaction), against inserting the same rows into the
// same empty table with plain SQLite in one transaction (same schema, collation and cache).

#include "benchsqlite.h"
#include "exchange/wordexchange.h"
#include "support/scriptedmessageservice.h"
#include "vocfile/lumotable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int RowCount = 100000;

QString native(int i)
{
    return QStringLiteral("Wort %1 für \"Häuser\"").arg(i);
}

QString foreign(int i)
{
    return QStringLiteral("λέξη %1, σπίτια").arg(i);
}

QByteArray wordList()
{
    QString text = QStringLiteral("German,Greek,Type\r\n");
    for (int i = 0; i < RowCount; ++i)
        text += u'"' + QString(native(i)).replace(u'"', QStringLiteral("\"\"")) + QStringLiteral("\",\"") +
                foreign(i) + QStringLiteral("\",noun\r\n");
    return text.toUtf8();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    const QString dir = folder.path() + u'/';
    QFile file(dir + QStringLiteral("words.csv"));
    if (!file.open(QIODevice::WriteOnly) || file.write(wordList()) < 0)
        return 1;
    file.close();

    ScriptedMessageService messages;
    TLumoTable table(messages);
    // An empty table of the same schema for the plain side.
    table.setVocabularyFile(dir + QStringLiteral("plain.db"));

    QElapsedTimer timer;
    timer.start();
    const ImportResult result =
        WordExchange::importFile(file.fileName(), dir + QStringLiteral("imported.lif"));
    const qint64 imported = timer.nsecsElapsed();
    const qint64 plain = insertPlainPairs(dir + QStringLiteral("plain.db"), RowCount, 1, [](int i) {
        return std::pair<QByteArray, QByteArray>(native(i).toUtf8(), foreign(i).toUtf8());
    });
    if (result.imported != RowCount)
        return 1;
    out << "Import a CSV word list of " << RowCount << " rows:   " << imported / 1000000.0
        << " ms (goal < 2000)\n";
    out << "Plain SQLite insert, one transaction:    " << plain / 1000000.0 << " ms\n";
    out << "Ratio:                                   " << double(imported) / double(plain) << "\n";
    return 0;
}
