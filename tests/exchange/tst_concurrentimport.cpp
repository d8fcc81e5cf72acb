// Two programs importing into one unit that does not exist yet, at the same moment.

#include "exchange/wordexporter.h"
#include "exchange/wordimporter.h"
#include "platform/newfile.h"
#include "support/racingchildren.h"
#include "support/testfolder.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

namespace {
WordTable wordsOf(const QString &tag)
{
    WordTable table;
    table.columnCount = 2;
    table.rows = {{1, {tag + QStringLiteral("-native-1"), tag + QStringLiteral("-foreign-1")}, -1},
                  {2, {tag + QStringLiteral("-native-2"), tag + QStringLiteral("-foreign-2")}, -1}};
    return table;
}

QStringList nativeWords(const QString &descriptor)
{
    QStringList words;
    if (QFileInfo::exists(descriptor))
        for (const WordPair &pair : WordExporter::readUnit(descriptor).pairs)
            words.append(pair.native);
    return words;
}
} // namespace

class TestConcurrentImport : public QObject
{
    Q_OBJECT

private slots:
    void twoImportersOfOneNewUnit_data();
    void twoImportersOfOneNewUnit();
};

void TestConcurrentImport::twoImportersOfOneNewUnit_data()
{
    QTest::addColumn<bool>("claimFirst");
    QTest::newRow("one-step rename") << false;
    // As on FAT, whose driver refuses a rename that must not replace.
    QTest::newRow("name claimed first") << true;
}

// A process that reports success left its words in the unit; one that lost the race for the
// new table says so and has removed nothing of the winner's.
void TestConcurrentImport::twoImportersOfOneNewUnit()
{
    QFETCH(bool, claimFirst);
    NewFile::setOneStepRefused(claimFirst);
    const auto restore = qScopeGuard([] { NewFile::setOneStepRefused(false); });
    int lost = 0;
    for (int round = 0; round < 30; ++round) {
        TestFolder folder;
        const QString descriptor = folder.filePath(QStringLiteral("r.lif"));
        const auto importing = [&descriptor](const QString &tag) {
            return [&descriptor, tag] {
                WordImporter::importInto(descriptor, wordsOf(tag), ImportChoice());
                return tag;
            };
        };
        const QStringList tags{QStringLiteral("a"), QStringLiteral("b")};
        const QStringList results = RacingChildren::run({importing(tags.at(0)), importing(tags.at(1))});
        const QStringList words = nativeWords(descriptor);
        for (qsizetype i = 0; i < tags.size(); ++i) {
            if (results.at(i) == tags.at(i)) {
                QVERIFY2(words.contains(tags.at(i) + QStringLiteral("-native-1")) &&
                             words.contains(tags.at(i) + QStringLiteral("-native-2")),
                         qPrintable(QStringLiteral("round %1: %2 reported success, the unit holds: %3")
                                        .arg(round)
                                        .arg(tags.at(i), words.join(u' '))));
            } else {
                QVERIFY2(results.at(i).startsWith(QStringLiteral("error: The table ")) &&
                             results.at(i).endsWith(QStringLiteral(" already exists.")),
                         qPrintable(results.at(i)));
                ++lost;
            }
        }
        QVERIFY(results.contains(tags.at(0)) || results.contains(tags.at(1)));
        // No scratch file stays behind.
        const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        QCOMPARE(left, QStringList({"r.db", "r.lif"}));
    }
    qInfo("%d of 30 rounds had a loser", lost);
}

QTEST_GUILESS_MAIN(TestConcurrentImport)
#include "tst_concurrentimport.moc"
