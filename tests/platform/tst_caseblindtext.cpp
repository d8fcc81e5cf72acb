#include "platform/caseblindtext.h"
#include "platform/table/sqlitedatabase.h"
#include "support/testfolder.h"
#include "voctest/answerjudge.h"

#include <QTest>
#include <sqlite3.h>

// Looking for a text inside the words of a unit without regard to letter case.
class TestCaseBlindText : public QObject
{
    Q_OBJECT

private:
    // Both ways in which a text reaches the search: as Qt text and as SQLite's UTF-8.
    static bool found(const QString &wanted, const QString &text, const QLocale &locale = QLocale::c())
    {
        const CaseBlindText search(wanted, locale);
        const bool inText = search.foundIn(text);
        const QByteArray utf8 = text.toUtf8();
        const bool inUtf8 = search.foundIn(QByteArrayView(utf8));
        if (inText != inUtf8) {
            qWarning() << "the two ways disagree on" << wanted << text;
            ++disagreements;
        }
        return inText;
    }
    static inline int disagreements = 0;

    struct Row
    {
        const char *name, *wanted, *text;
    };
    static void addRows(std::initializer_list<Row> rows)
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("text");
        for (const Row &row : rows)
            QTest::newRow(row.name) << QString::fromUtf8(row.wanted) << QString::fromUtf8(row.text);
    }

private slots:
    void cleanup() { QCOMPARE(disagreements, 0); }

    void capitalsFindSmallLettersAndBack_data()
    {
        addRows({{"ASCII capitals", "WORT", "ein wort hier"},
                 {"ASCII small in capitals", "wort", "EIN WORT"},
                 {"É finds é", "É", "café"},
                 {"é finds É", "é", "CAFÉ"},
                 {"Ä finds ä", "ÄRGER", "der ärger"},
                 {"Ö in a word", "MÖGEN", "wir mögen"},
                 {"Greek", "ΛΌΓΟΙ", "οι λόγοι"},
                 {"Greek final sigma", "ΛΌΓΟΣ", "ο λόγος"},
                 {"Cyrillic", "СЛОВО", "слово"},
                 {"ASCII wanted, accented text", "CAFE", "das Café am cafe"},
                 {"whole text", "Haus", "haus"}});
    }
    void capitalsFindSmallLettersAndBack()
    {
        QFETCH(QString, wanted);
        QFETCH(QString, text);
        QVERIFY(found(wanted, text));
    }

    void otherCharactersMustMatchExactly_data()
    {
        addRows({{"accent is not its plain letter", "cafe", "café"},
                 {"plain letter is not the accented", "é", "e"},
                 {"umlaut is not a digraph", "ae", "ärger"},
                 {"punctuation", "to-go", "to go"},
                 {"longer than the text", "words", "word"},
                 {"not there", "xyz", "Wort"},
                 {"empty text", "a", ""}});
    }
    void otherCharactersMustMatchExactly()
    {
        QFETCH(QString, wanted);
        QFETCH(QString, text);
        QVERIFY(!found(wanted, text));
    }

    void emptyWantedTextIsFoundNowhere()
    {
        QVERIFY(!found(QString(), QStringLiteral("word")));
        QVERIFY(!found(QString(), QString()));
    }

    void lowerCasingFollowsTheLocale()
    {
        // In Turkish the capital I is the dotless ı, so it does not find the dotted i, and
        // the dotted capital İ does; plain ASCII words take the same road as the others.
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        QVERIFY(found(QStringLiteral("KIZ"), QStringLiteral("kız"), turkish));
        QVERIFY(!found(QStringLiteral("KIZ"), QStringLiteral("kiz"), turkish));
        QVERIFY(found(QStringLiteral("İSTANBUL"), QStringLiteral("istanbul"), turkish));
        QVERIFY(found(QStringLiteral("KIZ"), QStringLiteral("kiz"), QLocale::c()));
    }

    void agreesWithTheTestsJudging_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("given");
        for (const char *pair : {"Haus|HAUS", "café|CAFÉ", "Ärger|ärger", "straße|STRASSE", "λόγος|ΛΌΓΟΣ",
                                 "cafe|café", "ǅ|ǆ", "ﬁ|FI", "K|k"}) {
            const QStringList sides = QString::fromUtf8(pair).split(u'|');
            QTest::newRow(pair) << sides.at(0) << sides.at(1);
        }
    }
    void agreesWithTheTestsJudging()
    {
        // What the judging takes for the same word, letter case aside, the search finds,
        // and what it tells apart the search does not mix up.
        QFETCH(QString, expected);
        QFETCH(QString, given);
        AnswerJudge judge;
        judge.discardNotes = false;
        judge.useDiscardList = false;
        judge.locale = QLocale::c();
        QCOMPARE(found(given, expected), judge.AnswersMatch(expected, given));
    }

    void sqlFunctionSearchesTheRowsOfATable()
    {
        TestFolder folder;
        SqliteDatabase db(folder.filePath(QStringLiteral("words.db")));
        db.open({true, false, 0, 0});
        db.exec(QStringLiteral("CREATE TABLE t (w TEXT)"));
        db.exec(QStringLiteral("INSERT INTO t VALUES ('Ärger'), ('arger'), (NULL), ('der ÄRGER'), (42)"));
        SqliteStatement select(
            db, QStringLiteral("SELECT rowid FROM t WHERE lumo_contains(w, ?, '') ORDER BY rowid"));
        select.bindText(1, QStringLiteral("ärg"));
        QList<qint64> rows;
        while (select.step())
            rows.append(select.int64(0));
        QCOMPARE(rows, (QList<qint64>{1, 4}));
        SqliteStatement number(db,
                               QStringLiteral("SELECT lumo_contains(w, '4', ''), lumo_contains(w, '', '') "
                                              "FROM t WHERE rowid = 5"));
        QVERIFY(number.step());
        QCOMPARE(number.int64(0), 1);
        QCOMPARE(number.int64(1), 0);
        // The third argument names the locale whose case rules hold; none means the shared ones.
        db.exec(QStringLiteral("INSERT INTO t VALUES ('KIZ')"));
        SqliteStatement rules(db, QStringLiteral("SELECT lumo_contains(w, 'kız', 'tr_TR'), "
                                                 "lumo_contains(w, 'kız', ''), lumo_contains(w, 'kiz', '') "
                                                 "FROM t WHERE rowid = 6"));
        QVERIFY(rules.step());
        QCOMPARE(rules.int64(0), 1);
        QCOMPARE(rules.int64(1), 0);
        QCOMPARE(rules.int64(2), 1);
    }
};

QTEST_GUILESS_MAIN(TestCaseBlindText)
#include "tst_caseblindtext.moc"
