#include "platform/ini/inifile.h"
#include "support/testfolder.h"
#include "voctest/discardlist.h"
#include "voctest/testsettings.h"

#include <QFile>
#include <QTest>

namespace {
constexpr quint16 bits(std::initializer_list<int> types)
{
    quint16 mask = 0;
    for (int t : types)
        mask |= quint16(1u << t);
    return mask;
}
} // namespace

// The two files the engine reads before a queue is built: the test variant and the discard list.
class TestTestSettings : public QObject
{
    Q_OBJECT

private slots:
    void load_data();
    void load();
    void missingFileKeepsSettings();
    void addedSwitchesAreOffUnlessSet();
    void wordTypes_data();
    void wordTypes();
    void includesType();
    void savedFileKeepsItsForm_data();
    void savedFileKeepsItsForm();
    void newVariantAndDescription();

    void discardWords_data();
    void discardWords();
    void missingDiscardListGivesNoWords();
    void discardTextsAreSavedAsTyped();
    void shippedGreekWordsAreGreek();
};

void TestTestSettings::load_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("testType");
    QTest::addColumn<bool>("discardNotes");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("useDiscardList");
    QTest::addColumn<int>("wordTypes");

    const int all = TestSettings::AllWordTypes;
    QTest::newRow("empty section gives the defaults") << "[settings]\n" << 0 << true << false << true << all;
    QTest::newRow("multiple choice") << "[settings]\nTestType=multichoice\n"
                                     << 1 << true << false << true << all;
    QTest::newRow("comprehension in capitals") << "[Settings]\nTESTTYPE=Comprehension\n"
                                               << 2 << true << false << true << all;
    QTest::newRow("flash cards") << "[settings]\nTestType=FlashCards\n" << 3 << true << false << true << all;
    QTest::newRow("unknown type is standard") << "[settings]\nTestType=oral\n"
                                              << 0 << true << false << true << all;
    QTest::newRow("everything switched") << "[settings]\nTestType=standard\nDiscardNotes=NO\nMatchCase=Yes\n"
                                            "UseDiscardList=no\nWordTypes=[1],[2],[5],\n"
                                         << 0 << false << true << false << int(bits({1, 2, 5}));
    QTest::newRow("only yes turns match case on") << "[settings]\nMatchCase=true\n"
                                                  << 0 << true << false << true << all;
    QTest::newRow("only no turns notes off") << "[settings]\nDiscardNotes=false\nUseDiscardList=0\n"
                                             << 0 << true << false << true << all;
}

void TestTestSettings::load()
{
    QFETCH(QString, content);
    TestFolder folder;
    TestSettings settings;
    settings.load(folder.writeText(QStringLiteral("variant.ltf"), content));
    QTEST(int(settings.testType), "testType");
    QTEST(settings.discardNotes, "discardNotes");
    QTEST(settings.matchCase, "matchCase");
    QTEST(settings.useDiscardList, "useDiscardList");
    QTEST(int(settings.wordTypes), "wordTypes");
    // No variant of old names the added keys, so none ignores accents or speaks.
    QVERIFY(!settings.ignoreAccents);
    QVERIFY(!settings.speakMissingSounds);
}

void TestTestSettings::addedSwitchesAreOffUnlessSet()
{
    const QList<QPair<QString, bool TestSettings::*>> switches = {
        {QStringLiteral("IgnoreAccents"), &TestSettings::ignoreAccents},
        {QStringLiteral("SpeakMissingSounds"), &TestSettings::speakMissingSounds}};
    TestFolder folder;
    for (const auto &[key, member] : switches) {
        TestSettings settings;
        for (const char *value : {"yes", "YES", "1"}) {
            settings.load(
                folder.writeText(QStringLiteral("on.ltf"),
                                 QStringLiteral("[settings]\n") + key + u'=' + QLatin1String(value) + u'\n'));
            QVERIFY2(settings.*member, qPrintable(key + u'=' + QLatin1String(value)));
        }
        for (const char *value : {"no", "0", "", "maybe"}) {
            settings.load(
                folder.writeText(QStringLiteral("off.ltf"),
                                 QStringLiteral("[settings]\n") + key + u'=' + QLatin1String(value) + u'\n'));
            QVERIFY2(!(settings.*member), qPrintable(key + u'=' + QLatin1String(value)));
        }
        // Each key sets its own switch only.
        settings.load(folder.writeText(QStringLiteral("one.ltf"),
                                       QStringLiteral("[settings]\n") + key + QStringLiteral("=yes\n")));
        QCOMPARE(settings.ignoreAccents + settings.speakMissingSounds, 1);
    }
}

void TestTestSettings::missingFileKeepsSettings()
{
    TestFolder folder;
    TestSettings settings;
    settings.testType = TestType::MultipleChoice;
    settings.matchCase = true;
    settings.wordTypes = bits({3});
    settings.load(folder.filePath(QStringLiteral("missing.ltf")));
    settings.load(QString());
    QCOMPARE(settings.testType, TestType::MultipleChoice);
    QVERIFY(settings.matchCase);
    QCOMPARE(settings.wordTypes, bits({3}));
}

void TestTestSettings::wordTypes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mask");
    QTest::newRow("as a new variant writes it")
        << "[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]" << int(TestSettings::AllWordTypes);
    QTest::newRow("ten is not one") << "[10]," << int(bits({10}));
    QTest::newRow("one is not ten") << "[1]," << int(bits({1}));
    QTest::newRow("zero alone") << "[0]," << int(bits({0}));
    QTest::newRow("order does not matter") << "[7],[3]" << int(bits({3, 7}));
    QTest::newRow("empty gives all") << "" << int(TestSettings::AllWordTypes);
    QTest::newRow("eleven is no type, so all") << "[11],[12]" << int(TestSettings::AllWordTypes);
    QTest::newRow("numbers without brackets are ignored") << "1,2,[4]" << int(bits({4}));
}

void TestTestSettings::wordTypes()
{
    QFETCH(QString, text);
    QTEST(int(TestSettings::parseWordTypes(text)), "mask");
}

void TestTestSettings::includesType()
{
    TestSettings settings;
    settings.wordTypes = bits({0, 10});
    QVERIFY(settings.includesType(0));
    QVERIFY(settings.includesType(10));
    QVERIFY(!settings.includesType(5));
    settings.wordTypes = TestSettings::AllWordTypes;
    QVERIFY(!settings.includesType(11));
    QVERIFY(!settings.includesType(-1));
}

void TestTestSettings::savedFileKeepsItsForm_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("withSpeech");
    QTest::addColumn<QByteArray>("after");
    // Keys are replaced where they stand and added at the end of the section, in the file's
    // own line ends; added switches and the daily number only where set or there before.
    QTest::newRow("an old variant") << QByteArray("[settings]\r\nDescription=\xc3\x9c"
                                                  "bung\r\nMatchCase=no\r\n"
                                                  "Extra=kept\r\n\r\n[other]\r\nx=1\r\n")
                                    << true
                                    << QByteArray("[settings]\r\nDescription=\xc3\x9c"
                                                  "bung\r\nMatchCase=yes\r\n"
                                                  "Extra=kept\r\nTestType=multichoice\r\nDiscardNotes=no\r\n"
                                                  "UseDiscardList=yes\r\nWordTypes=[1],[10],\r\n"
                                                  "IgnoreAccents=yes\r\n\r\n[other]\r\nx=1\r\n");
    QTest::newRow("keys there are kept up to date")
        << QByteArray("[settings]\nSpeakMissingSounds=1\nNewPerDay=20\n") << true
        << QByteArray("[settings]\nSpeakMissingSounds=no\nNewPerDay=20\nTestType=multichoice\n"
                      "DiscardNotes=no\nMatchCase=yes\nUseDiscardList=yes\nWordTypes=[1],[10],"
                      "\nIgnoreAccents=yes\n");
    QTest::newRow("speech left alone without a synthesiser")
        << QByteArray("[settings]\nSpeakMissingSounds=1\n") << false
        << QByteArray(
               "[settings]\nSpeakMissingSounds=1\nTestType=multichoice\nDiscardNotes=no\nMatchCase=yes\n"
               "UseDiscardList=yes\nWordTypes=[1],[10],\nIgnoreAccents=yes\n");
}

void TestTestSettings::savedFileKeepsItsForm()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, withSpeech);
    TestFolder folder;
    const QString path = folder.writeFile(QStringLiteral("v.ltf"), before);
    TestSettings settings;
    settings.testType = TestType::MultipleChoice;
    settings.discardNotes = false;
    settings.matchCase = true;
    settings.ignoreAccents = true;
    settings.listedWordTypes = bits({1, 10});
    settings.save(path, withSpeech);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTEST(file.readAll(), "after");
    TestSettings again;
    again.load(path);
    QCOMPARE(again.listedWordTypes, settings.listedWordTypes);
    QCOMPARE(again.testType, settings.testType);
}

// A new variant starts as a standard test of every type; a new description changes only itself.
void TestTestSettings::newVariantAndDescription()
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("new.ltf"));
    TestSettings::saveNew(path, QStringLiteral("Fresh"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("[settings]\nDescription=Fresh\nTestType=standard\nDiscardNotes=yes\n"
                        "MatchCase=no\nWordTypes=[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]\n"));
    file.close();
    TestSettings::saveDescription(path, QStringLiteral("Renamed"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("[settings]\nDescription=Renamed\nTestType=standard\nDiscardNotes=yes\n"
                        "MatchCase=no\nWordTypes=[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]\n"));
    QCOMPARE(TestSettings::listedDescription(path), std::optional<QString>(QStringLiteral("Renamed")));
    QCOMPARE(TestSettings::writtenTestType(path), QStringLiteral("standard"));
    QCOMPARE(TestSettings::listedDescription(
                 folder.writeText(QStringLiteral("e.ltf"), "[settings]\nDescription=error\n")),
             std::nullopt);
}

void TestTestSettings::discardWords_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("as the hint shows") << "go; walk" << QStringList{"go", " walk"};
    QTest::newRow("lower-cased in ASCII only") << "The;DER;ÉL" << QStringList{"the", "der", "Él"};
    // The first and last capitals change, the characters just outside them do not.
    QTest::newRow("bounds of the capitals") << "Zu;A;@;[;`;{" << QStringList{"zu", "a", "@", "[", "`", "{"};
    QTest::newRow("Greek kept as written") << "ΤΟ;της" << QStringList{"ΤΟ", "της"};
    QTest::newRow("empty pieces dropped") << ";a;;b;" << QStringList{"a", "b"};
    QTest::newRow("empty value") << "" << QStringList{};
}

void TestTestSettings::discardWords()
{
    QFETCH(QString, value);
    QFETCH(QStringList, words);
    TestFolder folder;
    folder.writeText(QStringLiteral("DiscardList.ldl"),
                     QStringLiteral("[DiscardStrings]\nLanguage0=nothing\nLanguage4=") + value +
                         QStringLiteral("\nLanguage14=other\n"));
    QCOMPARE(DiscardList::wordsFor(4), words);
    QCOMPARE(DiscardList::wordsFor(1), QStringList());
}

void TestTestSettings::missingDiscardListGivesNoWords()
{
    TestFolder folder;
    QCOMPARE(DiscardList::filePath(), folder.filePath(QStringLiteral("DiscardList.ldl")));
    QCOMPARE(DiscardList::wordsFor(0), QStringList());
}

// The dialog's side of the file: texts as typed, every language written, other keys kept.
void TestTestSettings::discardTextsAreSavedAsTyped()
{
    TestFolder folder;
    QCOMPARE(DiscardList::texts(3), QStringList({"", "", ""}));
    folder.writeText(QStringLiteral("DiscardList.ldl"),
                     QStringLiteral("[DiscardStrings]\nLanguage1=The; A\nLanguage7=kept\n[other]\nx=1\n"));
    QCOMPARE(DiscardList::texts(3), QStringList({"", "The; A", ""}));
    DiscardList::save({QStringLiteral("Le;LA"), QString(), QStringLiteral("der")});
    const QString path = DiscardList::filePath();
    QCOMPARE(DiscardList::texts(8), QStringList({"Le;LA", "", "der", "", "", "", "", "kept"}));
    QCOMPARE(DiscardList::wordsFor(0), QStringList({"le", "la"}));
    QCOMPARE(IniFile(path).readString(QStringLiteral("other"), QStringLiteral("x"), QString()),
             QStringLiteral("1"));
    QVERIFY(IniFile(path).valueExists(QStringLiteral("DiscardStrings"), QStringLiteral("Language1")));
}

void TestTestSettings::shippedGreekWordsAreGreek()
{
    TestFolder folder;
    folder.copyFromData(QStringLiteral("DiscardList.ldl"));
    const QStringList words = DiscardList::wordsFor(11);
    QVERIFY(words.size() >= 5);
    for (const QString &word : words) {
        const QString trimmed = word.trimmed();
        QVERIFY2(!trimmed.isEmpty(), qPrintable(word));
        for (const QChar c : trimmed)
            QVERIFY2(c.script() == QChar::Script_Greek, qPrintable(word));
    }
    for (const char *article : {"ο", "η", "το", "οι", "τα", "της", "τους"})
        QVERIFY2(words.contains(u' ' + QString::fromUtf8(article)) ||
                     words.contains(QString::fromUtf8(article)),
                 article);
}

QTEST_GUILESS_MAIN(TestTestSettings)
#include "tst_testsettings.moc"
