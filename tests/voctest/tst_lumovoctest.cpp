#include "voctest/enginefixture.h"

#include <QSet>

namespace {
QSet<QString> asSet(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}
} // namespace

// Building the queue, the order of questions, the kinds of test and judging through the engine.
class TestLumoVocTest : public QObject
{
    Q_OBJECT

private slots:
    void startsIdle();
    void propertiesDoTheLoadingWork();
    void theGoExample_data();
    void theGoExample();
    void accentsIgnoredByTheVariant();
    void lettersFollowTheCaseRulesOfTheAnswersLanguage_data();
    void lettersFollowTheCaseRulesOfTheAnswersLanguage();
    void meaningsSeparatedBySemicolons_data();
    void meaningsSeparatedBySemicolons();

    void forwardOrderPassesOverAnsweredEntries();
    void backwardOrder();
    void randomOrderAsksEveryEntryOnce();
    void wordTypeMasks_data();
    void wordTypeMasks();
    void multipleChoiceNeedsFiveEntries_data();
    void multipleChoiceNeedsFiveEntries();
    void comprehensionAsksOnlyEntriesWithSound_data();
    void comprehensionAsksOnlyEntriesWithSound();
    void choicesHoldTheAnswerOnce();
    void choicesFollowChangesToTheTable();
    void twoMeaningsAmongOtherTypesGiveFourChoices();
    void flashCardsCountEachCardGradedAgain_data();
    void flashCardsCountEachCardGradedAgain();

    void discardWordsOfTheAnswerLanguage_data();
    void discardWordsOfTheAnswerLanguage();
    void shippedDiscardWords_data();
    void shippedDiscardWords();
    void settingsChangesRestartTheTest();
    void swapTurnsQuestionAndAnswer();
};

void TestLumoVocTest::startsIdle()
{
    ScriptedMessageService messages;
    RecordingUi ui;
    RecordingPlayer player;
    TLumoVocTest engine(messages, ui, player);
    QCOMPARE(engine.testType(), TestType::Standard);
    QVERIFY(engine.settings().discardNotes);
    QVERIFY(!engine.settings().matchCase);
    QVERIFY(engine.settings().useDiscardList);
    QCOMPARE(engine.settings().wordTypes, TestSettings::AllWordTypes);
    QVERIFY(!engine.swap());
    QCOMPARE(engine.order(), TLumoVocTest::toRandom);
    QCOMPARE(engine.fontName(), QStringLiteral("MS Sans Serif"));
    QVERIFY(!engine.ready());
    QVERIFY(!engine.running());
    QCOMPARE(engine.wordCount() + engine.rightCount() + engine.mistakeCount(), 0);
    // Nothing to drive without a table.
    engine.NextQuestion();
    QVERIFY(!engine.CheckAnswer());
    QVERIFY(!engine.PlayQuestionSound());
    QVERIFY(ui.reports.isEmpty());
    QVERIFY(messages.shown().isEmpty());
    engine.Finish();
    QVERIFY(ui.summaries.isEmpty());
    QVERIFY(messages.shown().isEmpty());
}

void TestLumoVocTest::propertiesDoTheLoadingWork()
{
    // Set by name, as a form does, each property loads what its value calls for.
    TestFolder folder;
    ScriptedMessageService messages;
    RecordingUi ui;
    RecordingPlayer player;
    TLumoTable table{messages};
    table.setVocabularyFile(folder.filePath(QStringLiteral("unit.db")));
    table.open();
    for (const Entry &e : letters(6))
        table.appendRecord({QVariant(), e.native, e.foreign, e.type, QVariant(), QVariant(), QVariant()});
    table.close();
    TLumoVocTest engine(messages, ui, player);

    QVERIFY(engine.setProperty("TestFile", folder.writeText("multi.ltf", variantText("multichoice"))));
    QCOMPARE(engine.testType(), TestType::MultipleChoice);
    QVERIFY(engine.setProperty("Order", QVariant::fromValue(TLumoVocTest::toBackward)));
    QVERIFY(!engine.ready());
    QVERIFY(engine.setProperty("DataSet", QVariant::fromValue(static_cast<SqliteTable *>(&table))));
    QVERIFY(table.active()); // opened for the queue
    QVERIFY(engine.ready());
    QCOMPARE(engine.testQueue(), QList<qint64>({6, 5, 4, 3, 2, 1}));
    QCOMPARE(engine.question(), QStringLiteral("F"));
    QCOMPARE(engine.choices().count(QStringLiteral("f")), 1);

    const QString descriptor =
        folder.writeText("unit.lif", "[general]\nFirstLanguage=4\nSecondLanguage=11\nFont=Arial\n");
    QVERIFY(engine.setProperty("VocabularyFile", descriptor));
    QCOMPARE(engine.fontName(), QStringLiteral("Arial"));
    QVERIFY(engine.setProperty("Swap", true));
    QCOMPARE(engine.question(), QStringLiteral("f"));
    QCOMPARE(engine.questionLanguageIndex(), 11);
    QVERIFY(engine.setProperty("LanguageFile", folder.writeText("fr.llf", "[general]\nLanguage11=Grec\n")));
    QCOMPARE(engine.questionLanguageName(), QStringLiteral("Grec"));
    QVERIFY(messages.shown().isEmpty());
}

void TestLumoVocTest::theGoExample_data()
{
    QTest::addColumn<bool>("discardNotes");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    QTest::newRow("notes allowed: go") << true << "go" << true;
    QTest::newRow("notes allowed: Go") << true << "Go" << true;
    QTest::newRow("notes allowed: to go") << true << "to go" << true;
    QTest::newRow("notes allowed: to  go") << true << "to  go" << true;
    QTest::newRow("notes allowed: went") << true << "went" << false;
    QTest::newRow("notes not allowed: go") << false << "go" << false;
    QTest::newRow("notes not allowed: to go") << false << "to go" << false;
    QTest::newRow("notes not allowed: (to) go") << false << "(to) go" << true;
}

void TestLumoVocTest::theGoExample()
{
    QFETCH(bool, discardNotes);
    QFETCH(QString, given);
    QFETCH(bool, right);
    EngineFixture f({{QStringLiteral("gehen"), QStringLiteral("(to) go")}},
                    variantText("standard", discardNotes ? "DiscardNotes=yes\n" : "DiscardNotes=no\n"));
    QVERIFY(f.engine.ready());
    QCOMPARE(f.engine.question(), QStringLiteral("gehen"));
    f.engine.setGiven(given);
    QCOMPARE(f.engine.CheckAnswer(), right);
    QCOMPARE(f.engine.rightCount(), right ? 1 : 0);
    QCOMPARE(f.ui.reports.size(), right ? 0 : 1);
}

void TestLumoVocTest::accentsIgnoredByTheVariant()
{
    for (const bool ignore : {false, true}) {
        EngineFixture f({{QStringLiteral("summer"), QStringLiteral("(l')\u00e9t\u00e9")}},
                        variantText("standard", ignore ? "IgnoreAccents=yes\n" : ""));
        f.engine.setGiven(QStringLiteral("hiver"));
        QVERIFY(!f.engine.CheckAnswer());
        QCOMPARE(f.ui.reports.size(), 1);
        f.engine.setGiven(QStringLiteral("Ete"));
        QCOMPARE(f.engine.CheckAnswer(), ignore);
        QCOMPARE(f.ui.reports.size(), ignore ? 1 : 2);
        QCOMPARE(f.ui.reports.last().answer, QStringLiteral("(l')\u00e9t\u00e9"));
    }
}

// On a Turkish desktop as on any other: only Turkish answers pair I with ı and İ with i.
void TestLumoVocTest::lettersFollowTheCaseRulesOfTheAnswersLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    QTest::newRow("English capitals") << 1 << "island"
                                      << "ISLAND" << true;
    QTest::newRow("Turkish dotless I") << 13 << "ılık"
                                       << "ILIK" << true;
    QTest::newRow("Turkish dotted I") << 13 << "iyi"
                                      << "İYİ" << true;
    QTest::newRow("Turkish I is not i") << 13 << "iyi"
                                        << "IYI" << false;
}

void TestLumoVocTest::lettersFollowTheCaseRulesOfTheAnswersLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, answer);
    QFETCH(QString, given);
    QFETCH(bool, right);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    EngineFixture f({{QStringLiteral("Wort"), answer}});
    f.folder.writeText(
        QStringLiteral("Vocabulary/unit.lif"),
        QStringLiteral("[general]\nFileType=vokfile\nFirstLanguage=6\nSecondLanguage=%1\n").arg(language));
    f.engine.setVocabularyFile(f.descriptor);
    f.engine.Reload();
    QVERIFY(f.engine.ready());
    f.engine.setGiven(given);
    QCOMPARE(f.engine.CheckAnswer(), right);
}

void TestLumoVocTest::meaningsSeparatedBySemicolons_data()
{
    QTest::addColumn<QString>("testType");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    QTest::newRow("standard: one meaning") << "standard"
                                           << "to go" << true;
    QTest::newRow("standard: the other") << "standard"
                                         << "to walk" << true;
    QTest::newRow("standard: wrong") << "standard"
                                     << "to run" << false;
    QTest::newRow("choice: both ticked") << "multichoice"
                                         << "to walk;to go;" << true;
    QTest::newRow("choice: one ticked") << "multichoice"
                                        << "to go;" << false;
    QTest::newRow("choice: one too many") << "multichoice"
                                          << "to walk;to go;to eat;" << false;
    QTest::newRow("choice: nothing ticked") << "multichoice"
                                            << "" << false;
}

void TestLumoVocTest::meaningsSeparatedBySemicolons()
{
    QFETCH(QString, testType);
    QFETCH(QString, given);
    QFETCH(bool, right);
    QList<Entry> entries{{QStringLiteral("gehen"), QStringLiteral("to walk;to go"), 2}};
    for (const char *verb : {"to eat", "to sit", "to run", "to see", "to fly"})
        entries.append({QStringLiteral("x"), QString::fromLatin1(verb), 2});
    EngineFixture f(entries, variantText(testType));
    QVERIFY(f.engine.ready());
    QCOMPARE(f.engine.question(), QStringLiteral("gehen"));
    if (testType == u"multichoice") {
        QVERIFY(f.engine.choices().contains(QStringLiteral("to walk")));
        QVERIFY(f.engine.choices().contains(QStringLiteral("to go")));
    }
    f.engine.setGiven(given);
    QCOMPARE(f.engine.CheckAnswer(), right);
}

void TestLumoVocTest::forwardOrderPassesOverAnsweredEntries()
{
    EngineFixture f(letters(5));
    QSignalSpy finished(&f.engine, &TLumoVocTest::Finished);
    QCOMPARE(f.engine.testQueue(), QList<qint64>({1, 2, 3, 4, 5}));
    QCOMPARE(f.askAllRight(), QStringList({"A", "C", "E", "B", "D"}));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(f.ui.summaries.size(), 1);
    QCOMPARE(f.ui.summaries.first().wordCount, 5);
    QCOMPARE(f.ui.summaries.first().mistakeCount, 0);
    // A new queue is ready at once.
    QVERIFY(f.engine.ready());
    QVERIFY(!f.engine.running());
    QCOMPARE(f.engine.wordCount(), 5);
    QCOMPARE(f.engine.question(), QStringLiteral("A"));
}

void TestLumoVocTest::backwardOrder()
{
    EngineFixture f(letters(5), variantText("standard"), TLumoVocTest::toBackward);
    QCOMPARE(f.engine.testQueue(), QList<qint64>({5, 4, 3, 2, 1}));
    QCOMPARE(f.askAllRight(), QStringList({"E", "C", "A", "D", "B"}));
}

void TestLumoVocTest::randomOrderAsksEveryEntryOnce()
{
    EngineFixture f(letters(20), variantText("standard"), TLumoVocTest::toRandom);
    QList<qint64> queue = f.engine.testQueue();
    std::sort(queue.begin(), queue.end());
    QList<qint64> keys;
    for (int i = 1; i <= 20; ++i)
        keys.append(i);
    QCOMPARE(queue, keys);
    const QStringList asked = f.askAllRight();
    QCOMPARE(asked.size(), 20);
    QCOMPARE(asSet(asked).size(), 20);
}

void TestLumoVocTest::wordTypeMasks_data()
{
    QTest::addColumn<QString>("wordTypes");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("all types; 11 never") << "[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]"
                                         << QStringList{"empty", "zero", "noun", "adjective", "exclamation"};
    QTest::newRow("an empty type is type 0") << "[0]," << QStringList{"empty", "zero"};
    QTest::newRow("two types") << "[5],[10]," << QStringList{"adjective", "exclamation"};
    QTest::newRow("no type named means all")
        << "" << QStringList{"empty", "zero", "noun", "adjective", "exclamation"};
    QTest::newRow("a type nobody has") << "[7]," << QStringList{};
}

void TestLumoVocTest::wordTypeMasks()
{
    QFETCH(QString, wordTypes);
    QFETCH(QStringList, asked);
    const QList<Entry> entries{{"empty", "e", QVariant()}, {"zero", "z", 0},         {"noun", "n", 1},
                               {"adjective", "a", 5},      {"exclamation", "x", 10}, {"eleven", "l", 11}};
    EngineFixture f(entries, variantText("standard", "WordTypes=" + wordTypes + "\n"));
    QCOMPARE(f.engine.ready(), !asked.isEmpty());
    QCOMPARE(f.engine.wordCount(), asked.size());
    if (!asked.isEmpty())
        QCOMPARE(asSet(f.askAllRight()), asSet(asked));
}

void TestLumoVocTest::multipleChoiceNeedsFiveEntries_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("wordTypes");
    QTest::addColumn<bool>("ready");
    QTest::newRow("five entries") << 5 << "[1]," << true;
    QTest::newRow("four entries") << 4 << "[1]," << false;
    QTest::newRow("six entries, four of the chosen type") << 6 << "[3]," << false;
}

void TestLumoVocTest::multipleChoiceNeedsFiveEntries()
{
    QFETCH(int, entries);
    QFETCH(QString, wordTypes);
    QList<Entry> list = letters(entries);
    if (wordTypes == u"[3],")
        for (int i = 0; i < 4; ++i)
            list[i].type = 3;
    EngineFixture f(list, variantText("multichoice", "WordTypes=" + wordTypes + "\n"));
    QTEST(f.engine.ready(), "ready");
    // A standard test over the same entries is always possible.
    QFile::remove(f.variantFile);
    f.folder.writeText(QStringLiteral("test.ltf"), variantText("standard", "WordTypes=" + wordTypes + "\n"));
    f.engine.Reload();
    QVERIFY(f.engine.ready());
}

void TestLumoVocTest::comprehensionAsksOnlyEntriesWithSound_data()
{
    QTest::addColumn<bool>("swap");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("native sounds") << false << QStringList{"A", "C"};
    QTest::newRow("foreign sounds") << true << QStringList{"b", "c"};
}

void TestLumoVocTest::comprehensionAsksOnlyEntriesWithSound()
{
    QFETCH(bool, swap);
    QFETCH(QStringList, asked);
    const QByteArray sound("RIFF....WAVE");
    const QList<Entry> entries{{"A", "a", 1, sound, {}},
                               {"B", "b", 1, {}, sound},
                               {"C", "c", 1, sound, sound},
                               {"D", "d", 1, {}, {}}};
    EngineFixture f(entries, variantText("comprehension"));
    f.engine.setSwap(swap);
    QVERIFY(f.engine.ready());
    QVERIFY(f.engine.questionHasSound());
    // The answer is the question's own text.
    QCOMPARE(f.engine.answer(), f.engine.question());
    QCOMPARE(f.askAllRight(), asked);
}

void TestLumoVocTest::choicesHoldTheAnswerOnce()
{
    QList<Entry> entries;
    for (int i = 0; i < 12; ++i)
        entries.append({QStringLiteral("V%1").arg(i), QStringLiteral("verb %1").arg(i), 2});
    for (int i = 0; i < 10; ++i)
        entries.append({QStringLiteral("N%1").arg(i), QStringLiteral("noun %1").arg(i), 1});
    EngineFixture f(entries, variantText("multichoice"));
    QSignalSpy finished(&f.engine, &TLumoVocTest::Finished);
    for (int guard = 0; finished.isEmpty() && guard < 100; ++guard) {
        const QStringList choices = f.engine.choices();
        QCOMPARE(choices.size(), TLumoVocTest::ChoiceCount);
        QCOMPARE(choices.count(f.engine.answer()), 1);
        const QString kind = f.engine.answer().section(u' ', 0, 0);
        for (const QString &choice : choices)
            QVERIFY2(choice.isEmpty() || choice.startsWith(kind), qPrintable(choice));
        QVERIFY(f.answer(f.engine.answer() + u';'));
    }
    QCOMPARE(finished.size(), 1);
    QCOMPARE(f.ui.summaries.first().wordCount, 22);
}

void TestLumoVocTest::choicesFollowChangesToTheTable()
{
    EngineFixture f(letters(6), variantText("multichoice"));
    QCOMPARE(f.engine.question(), QStringLiteral("A"));
    // "C" comes next; its meaning changes while "A" is asked.
    QVERIFY(f.table.findKey(3));
    f.table.edit();
    f.table.setFieldValue(TLumoTable::ForeignLanguage, QStringLiteral("changed"));
    f.table.post();
    QVERIFY(f.answer(QStringLiteral("a;")));
    QCOMPARE(f.engine.question(), QStringLiteral("C"));
    QCOMPARE(f.engine.answer(), QStringLiteral("changed"));
    QCOMPARE(f.engine.choices().count(QStringLiteral("changed")), 1);
    QVERIFY(!f.engine.choices().contains(QStringLiteral("c")));
}

void TestLumoVocTest::twoMeaningsAmongOtherTypesGiveFourChoices()
{
    QList<Entry> entries{{QStringLiteral("gehen"), QStringLiteral("to walk;to go"), 2}};
    for (int i = 0; i < 8; ++i)
        entries.append({QStringLiteral("N%1").arg(i), QStringLiteral("noun %1").arg(i), 1});
    for (int round = 0; round < 10; ++round) {
        EngineFixture f(entries, variantText("multichoice"));
        QCOMPARE(f.engine.question(), QStringLiteral("gehen"));
        const QStringList choices = f.engine.choices();
        QCOMPARE(choices.size(), TLumoVocTest::ChoiceCount);
        QCOMPARE(choices.count(QString()), 1);
        QVERIFY(choices.contains(QStringLiteral("to walk")));
        QVERIFY(choices.contains(QStringLiteral("to go")));
    }
}

void TestLumoVocTest::discardWordsOfTheAnswerLanguage_data()
{
    QTest::addColumn<QString>("testType");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    // Language 1 (the answer language) discards "to", language 6 (the question language) "der".
    QTest::newRow("answer language") << "standard"
                                     << "go" << true;
    QTest::newRow("not the question language") << "standard"
                                               << "der go" << false;
    QTest::newRow("comprehension uses the question language") << "comprehension"
                                                              << "Hund" << true;
}

void TestLumoVocTest::discardWordsOfTheAnswerLanguage()
{
    QFETCH(QString, testType);
    QFETCH(QString, given);

    EngineFixture f({{"der Hund", "to go", 1, QByteArray("RIFF"), {}}},
                    variantText(testType, "DiscardNotes=no\n"));
    f.folder.writeText(QStringLiteral("DiscardList.ldl"),
                       "[DiscardStrings]\nLanguage1=TO; the\nLanguage6=der\n");
    f.engine.Reload();
    f.engine.setGiven(given);
    QTEST(f.engine.CheckAnswer(), "right");

    // The list is read again with every new queue.
    f.folder.writeText(QStringLiteral("DiscardList.ldl"), "[DiscardStrings]\n");
    f.engine.Reload();
    QCOMPARE(f.engine.discardWords(), QStringList());
    f.engine.setGiven(given);
    QVERIFY(!f.engine.CheckAnswer());
}

void TestLumoVocTest::shippedDiscardWords_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    QTest::newRow("Greek article with final sigma") << 11 << "της γυναίκας"
                                                    << "γυναίκας" << true;
    QTest::newRow("Greek article, plural") << 11 << "τους φίλους"
                                           << "φίλους" << true;
    QTest::newRow("Greek article typed") << 11 << "η μητέρα"
                                         << "η μητέρα" << true;
    QTest::newRow("Greek word itself wrong") << 11 << "της γυναίκας"
                                             << "γυναίκα" << false;
    QTest::newRow("capital German article") << 6 << "Der Hund"
                                            << "hund" << true;
}

void TestLumoVocTest::shippedDiscardWords()
{
    QFETCH(int, language);
    QFETCH(QString, answer);
    QFETCH(QString, given);
    EngineFixture f({{QStringLiteral("question"), answer}}, variantText("standard", "DiscardNotes=no\n"));
    f.folder.copyFromData(QStringLiteral("DiscardList.ldl"));
    f.folder.writeText(QStringLiteral("Vocabulary/unit.lif"),
                       QStringLiteral("[general]\nFirstLanguage=1\nSecondLanguage=%1\n").arg(language));
    f.engine.setVocabularyFile(f.descriptor);
    f.engine.Reload();
    QCOMPARE(f.engine.answerLanguageIndex(), language);
    f.engine.setGiven(given);
    QTEST(f.engine.CheckAnswer(), "right");
}

void TestLumoVocTest::settingsChangesRestartTheTest()
{
    EngineFixture f(letters(5));
    QVERIFY(!f.answer(QStringLiteral("wrong")));
    QVERIFY(f.answer(f.engine.answer()));
    QVERIFY(f.engine.running());
    QCOMPARE(f.engine.mistakeCount(), 1);

    f.engine.setOrder(TLumoVocTest::toBackward);
    QVERIFY(!f.engine.running());
    QVERIFY(f.engine.ready());
    QCOMPARE(f.engine.mistakeCount(), 0);
    QCOMPARE(f.engine.rightCount(), 0);
    QCOMPARE(f.engine.wordCount(), 5);
    QCOMPARE(f.engine.question(), QStringLiteral("E"));

    f.folder.writeText(QStringLiteral("multi.ltf"), variantText("multichoice"));
    f.engine.setTestFile(f.folder.filePath(QStringLiteral("multi.ltf")));
    QCOMPARE(f.engine.testType(), TestType::MultipleChoice);
    QCOMPARE(f.engine.choices().count(QStringLiteral("e")), 1);

    f.engine.setDataSet(nullptr);
    QVERIFY(!f.engine.ready());
    f.engine.NextQuestion();
    QVERIFY(!f.engine.CheckAnswer());
}

void TestLumoVocTest::swapTurnsQuestionAndAnswer()
{
    EngineFixture f(QList<Entry>{{"Haus", "house"}});
    QCOMPARE(f.engine.question(), QStringLiteral("Haus"));
    QCOMPARE(f.engine.answer(), QStringLiteral("house"));
    QCOMPARE(f.engine.questionLanguageIndex(), 6);
    QCOMPARE(f.engine.answerLanguageIndex(), 1);
    f.engine.setSwap(true);
    QCOMPARE(f.engine.question(), QStringLiteral("house"));
    QCOMPARE(f.engine.answer(), QStringLiteral("Haus"));
    QCOMPARE(f.engine.questionLanguageIndex(), 1);
    QCOMPARE(f.engine.answerLanguageIndex(), 6);
    QCOMPARE(f.engine.description(), QStringLiteral("Verbs"));
    QCOMPARE(f.engine.fontName(), QStringLiteral("Courier New"));
}

void TestLumoVocTest::flashCardsCountEachCardGradedAgain_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("mistakes");
    // Two entries share an answer: a typed miss of it counts once, each card graded Again once.
    QTest::newRow("typed") << "standard" << 1;
    QTest::newRow("flash cards") << "flashcards" << 2;
}

void TestLumoVocTest::flashCardsCountEachCardGradedAgain()
{
    QFETCH(QString, kind);
    QFETCH(int, mistakes);
    EngineFixture f({{"A", "same"}, {"B", "same"}, {"C", "other"}}, variantText(kind));
    QSignalSpy finished(&f.engine, &TLumoVocTest::Finished);
    QStringList missed;
    for (int guard = 0; finished.isEmpty() && guard < 20; ++guard) {
        const QString card = f.engine.question();
        // A and B are missed twice each; only the first miss of each can count.
        const bool miss = card != u"C" && missed.count(card) < 2;
        if (miss)
            missed.append(card);
        if (kind == u"flashcards") {
            f.engine.GradeCard(miss ? FsrsModel::Rating::Again : FsrsModel::Rating::Easy);
            f.engine.NextQuestion();
        } else {
            f.answer(miss ? QStringLiteral("wrong") : f.engine.answer());
        }
    }
    QCOMPARE(missed.size(), 4);
    QCOMPARE(f.ui.summaries.size(), 1);
    QCOMPARE(f.ui.summaries.first().mistakeCount, mistakes);
    QCOMPARE(f.logValue(QStringLiteral("TestResult1")), QString::number(mistakes));
    QCOMPARE(f.mistakesOf(1).toInt() + f.mistakesOf(2).toInt(), mistakes);
    QCOMPARE(f.mistakesOf(3).toInt(), 0);
    // No report for a card: its answer was on show when it was graded.
    QCOMPARE(f.ui.reports.size(), kind == u"flashcards" ? 0 : 4);
}

QTEST_GUILESS_MAIN(TestLumoVocTest)
#include "tst_lumovoctest.moc"
