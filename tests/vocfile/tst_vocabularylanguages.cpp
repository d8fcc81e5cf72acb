#include "vocfile/vocabularylanguages.h"

#include "support/testfolder.h"
#include "uilang/translate.h"

#include <QSet>
#include <QTest>

#include <climits>

class TestVocabularyLanguages : public QObject
{
    Q_OBJECT

private slots:
    void englishNames_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << int(vlOther) << "Other";
        QTest::newRow("1") << int(vlAmericanEnglish) << "American English";
        QTest::newRow("2") << int(vlBritishEnglish) << "British English";
        QTest::newRow("3") << int(vlAustralianEnglish) << "Australian English";
        QTest::newRow("4") << int(vlFrench) << "French";
        QTest::newRow("5") << int(vlBelgian) << "Belgian";
        QTest::newRow("6") << int(vlGerman) << "German";
        QTest::newRow("7") << int(vlSwiss) << "Swiss";
        QTest::newRow("8") << int(vlAustrian) << "Austrian";
        QTest::newRow("9") << int(vlItalian) << "Italian";
        QTest::newRow("10") << int(vlSpanish) << "Spanish";
        QTest::newRow("11") << int(vlGreek) << "Greek";
        QTest::newRow("12") << int(vlDutch) << "Dutch";
        QTest::newRow("13") << int(vlTurkish) << "Turkish";
        QTest::newRow("14") << int(vlBrazilian) << "Brazilian";
        QTest::newRow("15") << int(vlDanish) << "Danish";
        QTest::newRow("16") << int(vlFinnish) << "Finnish";
        QTest::newRow("17") << int(vlNorwegian) << "Norwegian";
        QTest::newRow("18") << int(vlSwedish) << "Swedish";
    }

    // The numbers are stored in every unit's descriptor: each must keep its language.
    void englishNames()
    {
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(number, QString::fromLatin1(QTest::currentDataTag()).toInt());
        QVERIFY(IsLanguageNumber(number));
        QCOMPARE(LanguageEnglishName(number), name);
        // Without a UI language file the English name is shown.
        QCOMPARE(LanguageName(QString(), number), name);
        QCOMPARE(LanguageName(QStringLiteral("/nonexistent/english.llf"), number), name);
    }

    void numbersOutsideTheRangeAreUnknown()
    {
        QCOMPARE(LanguageCount, 19);
        TestFolder folder;
        const QString file =
            folder.writeText(QStringLiteral("odd.llf"), QStringLiteral("[general]\nLanguage6=Deutsch\n"));
        for (const int number : {-1, 19, 25, INT_MIN, INT_MAX}) {
            QVERIFY2(!IsLanguageNumber(number), qPrintable(QString::number(number)));
            QCOMPARE(LanguageEnglishName(number), QStringLiteral("unkown"));
            QCOMPARE(LanguageName(QString(), number), QStringLiteral("unkown"));
            QCOMPARE(LanguageName(file, number), QStringLiteral("unkown"));
        }
    }

    // The file list shows whatever a language file calls a number, even one it never produces.
    void languageFileNamesAnyNumberUnderGeneral()
    {
        TestFolder folder;
        const QString file = folder.writeText(
            QStringLiteral("mixed.llf"),
            QStringLiteral("[MainForm]\nLanguage7=Wrong section\n[general]\nLanguage6=Allemand\n"
                           "Language25=Klingon\nlanguage4 = Fran\u00e7ais\n"));
        QCOMPARE(LanguageName(file, 6), QStringLiteral("Allemand"));
        QCOMPARE(LanguageName(file, 25), QStringLiteral("Klingon"));
        QCOMPARE(LanguageName(file, 4), QStringLiteral("Fran\u00e7ais"));
        QCOMPARE(LanguageName(file, 7), QStringLiteral("Swiss"));
        QCOMPARE(LanguageName(file, 0), QStringLiteral("Other"));
    }

    // The English file is the translators' template; the German one names every language.
    void shippedLanguageFilesNameAllLanguages()
    {
        const QString english = TestFolder::shippedFile(QStringLiteral("english.llf"));
        const QString german = TestFolder::shippedFile(QStringLiteral("deutsch.llf"));
        const QString missing = QStringLiteral("\x7f missing");
        QSet<QString> germanNames;
        for (int number = 0; number < LanguageCount; ++number) {
            const QString key = QStringLiteral("Language") + QString::number(number);
            QCOMPARE(Translate(english, QStringLiteral("general"), key, missing),
                     LanguageEnglishName(number));
            const QString name = Translate(german, QStringLiteral("general"), key, missing);
            QVERIFY2(name != missing && !name.isEmpty(), qPrintable(key));
            germanNames.insert(name);
        }
        QCOMPARE(germanNames.size(), LanguageCount);
        QCOMPARE(LanguageName(german, vlGerman), QStringLiteral("Deutsch"));
        QCOMPARE(LanguageName(german, vlFrench), QStringLiteral("Franz\u00f6sisch"));
    }
};

QTEST_GUILESS_MAIN(TestVocabularyLanguages)
#include "tst_vocabularylanguages.moc"
