#include "voctest/enginefixture.h"

#include <QDate>
#include <QLocale>

// Mistakes, the end of a test and its log, the texts of the engine, sounds and missing entries.
class TestVocTestSteps : public QObject
{
    Q_OBJECT

private slots:
    void mistakeCountedOncePerAnswer();
    void sameAnswerTextOnTwoEntriesCountsOnce();
    void mistakesFieldIsRaised_data();
    void mistakesFieldIsRaised();
    void summaryCountsRightAsWordsLessMistakes();
    void stoppedTestWritesNoResult();
    void threeCompletedTestsAreLogged();
    void missingDescriptorLogsNothing();
    void finishWithoutQueueLogsNothing();

    void captionsAndLanguageNames();
    void missingLanguageFileGivesEnglish();
    void playsTheQuestionSideSound();
    void soundFailureIsReported();
    void missingEntryIsReported();
    void failingWindowsAndSoundAreReported();
    void unreadableTableIsReported();
};

void TestVocTestSteps::mistakeCountedOncePerAnswer()
{
    EngineFixture f({{"Haus", "house"}, {"Baum", "tree"}});
    QSignalSpy closed(&f.engine, &TLumoVocTest::MessageBoxClosed);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(f.engine.question(), QStringLiteral("Haus"));
        f.engine.setGiven(QStringLiteral("home"));
        QVERIFY(!f.engine.CheckAnswer());
        // Move on past "Baum", answered right, back to "Haus".
        f.engine.NextQuestion();
        if (i == 0)
            QVERIFY(f.answer(QStringLiteral("tree")));
    }
    QCOMPARE(f.engine.mistakeCount(), 1);
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
    QCOMPARE(f.mistakesOf(2), QVariant());
    QCOMPARE(f.ui.reports.size(), 3);
    QCOMPARE(closed.size(), 3);
    QCOMPARE(f.ui.reports.last().question, QStringLiteral("Haus"));
    QCOMPARE(f.ui.reports.last().answer, QStringLiteral("house"));
    QCOMPARE(f.ui.reports.last().fontName, QStringLiteral("Courier New"));
    QCOMPARE(f.engine.missedAnswers(), QStringList{QStringLiteral("house")});
    QVERIFY(f.engine.running());
}

void TestVocTestSteps::sameAnswerTextOnTwoEntriesCountsOnce()
{
    EngineFixture f({{"gehen", "to go"}, {"fahren", "to go"}, {"gehen", "to Go"}});
    QVERIFY(!f.answer(QStringLiteral("x")));
    QVERIFY(!f.answer(QStringLiteral("x")));
    QCOMPARE(f.engine.mistakeCount(), 1);
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
    QVERIFY(f.mistakesOf(2).isNull());
    // The missed list compares exactly, so another spelling counts anew.
    QVERIFY(!f.answer(QStringLiteral("x")));
    QCOMPARE(f.engine.mistakeCount(), 2);
    QCOMPARE(f.mistakesOf(3).toInt(), 1);
    QCOMPARE(f.ui.reports.size(), 3);
}

void TestVocTestSteps::mistakesFieldIsRaised_data()
{
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("empty field counts as 0") << QVariant() << 1;
    QTest::newRow("earlier mistakes") << QVariant(4) << 5;
}

void TestVocTestSteps::mistakesFieldIsRaised()
{
    QFETCH(QVariant, before);
    EngineFixture f({{"Haus", "house", 1, {}, {}, before}});
    QVERIFY(!f.answer(QStringLiteral("home")));
    QTEST(f.mistakesOf(1).toInt(), "after");
}

void TestVocTestSteps::summaryCountsRightAsWordsLessMistakes()
{
    EngineFixture f(letters(4));
    QVERIFY(!f.answer(QStringLiteral("wrong"))); // A missed once
    f.askAllRight();
    QCOMPARE(f.ui.summaries.size(), 1);
    const TestSummary summary = f.ui.summaries.first();
    QCOMPARE(summary.wordCount, 4);
    QCOMPARE(summary.mistakeCount, 1);
    QCOMPARE(summary.rightCount(), 3);
    QCOMPARE(f.logValue(QStringLiteral("TestResult1")), QStringLiteral("1"));
}

void TestVocTestSteps::stoppedTestWritesNoResult()
{
    EngineFixture f(letters(3));
    QSignalSpy finished(&f.engine, &TLumoVocTest::Finished);
    QVERIFY(!f.answer(QStringLiteral("wrong")));
    QVERIFY(f.answer(f.engine.answer()));
    f.engine.Finish();

    QCOMPARE(finished.size(), 1);
    QCOMPARE(f.messages.shown().size(), 1);
    QCOMPARE(f.messages.shown().first().kind, MessageService::Kind::Information);
    QCOMPARE(f.messages.shown().first().text, QStringLiteral("Test aborded!"));
    QVERIFY(f.ui.summaries.isEmpty());
    QCOMPARE(f.logValue(QStringLiteral("TestCount")), QStringLiteral("<none>"));
    QCOMPARE(f.logValue(QStringLiteral("TestResult1")), QStringLiteral("<none>"));
    QCOMPARE(f.mistakesOf(1).toInt(), 1);
    // A fresh queue waits.
    QVERIFY(f.engine.ready());
    QVERIFY(!f.engine.running());
    QCOMPARE(f.engine.wordCount(), 3);
    QCOMPARE(f.engine.mistakeCount(), 0);
    QCOMPARE(f.engine.rightCount(), 0);
}

void TestVocTestSteps::threeCompletedTestsAreLogged()
{
    EngineFixture f(letters(3));
    const QList<int> misses{0, 2, 1};
    for (int missed : misses) {
        for (int i = 0; i < missed; ++i)
            f.answer(QStringLiteral("wrong") + QString::number(i));
        f.askAllRight();
    }
    QCOMPARE(f.ui.summaries.size(), 3);
    QCOMPARE(f.logValue(QStringLiteral("TestCount")), QStringLiteral("3"));
    QCOMPARE(f.logValue(QStringLiteral("TestResult1")), QStringLiteral("0"));
    QCOMPARE(f.logValue(QStringLiteral("TestResult2")), QStringLiteral("2"));
    QCOMPARE(f.logValue(QStringLiteral("TestResult3")), QStringLiteral("1"));
    QCOMPARE(f.logValue(QStringLiteral("TestResult4")), QStringLiteral("<none>"));
    QCOMPARE(f.logValue(QStringLiteral("LastTestDate")),
             QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    // The rest of the descriptor is kept.
    QCOMPARE(f.logValue(QStringLiteral("Description")), QStringLiteral("Verbs"));
}

void TestVocTestSteps::missingDescriptorLogsNothing()
{
    EngineFixture f(letters(2));
    QVERIFY(QFile::remove(f.descriptor));
    f.askAllRight();
    QCOMPARE(f.ui.summaries.size(), 1);
    QVERIFY(!QFile::exists(f.descriptor));
    QVERIFY(f.messages.shown().isEmpty());
}

void TestVocTestSteps::finishWithoutQueueLogsNothing()
{
    EngineFixture f(letters(2), variantText("standard", "WordTypes=[9],\n"));
    QSignalSpy finished(&f.engine, &TLumoVocTest::Finished);
    QVERIFY(!f.engine.ready());
    f.engine.Finish();
    QCOMPARE(finished.size(), 1);
    QVERIFY(f.ui.summaries.isEmpty());
    QCOMPARE(f.logValue(QStringLiteral("TestCount")), QStringLiteral("<none>"));
}

void TestVocTestSteps::captionsAndLanguageNames()
{
    EngineFixture f({{"Haus", "house"}, {"Baum", "tree"}});
    const QString languageFile = f.folder.writeText(
        QStringLiteral("deutsch.llf"),
        QStringLiteral("[general]\nDescription=Deutsch\nLanguage1=Amerikanisch\nLanguage6=Deutsch\n"
                       "[LumoVocTest1]\nCaption=Fehler\nMsgTestAborded=Test abgebrochen!\n"
                       "TotalScoreLabel=Punkte\n[OtherComponent]\nLabel1=not ours\n"));
    f.engine.setLanguageFile(languageFile);
    QCOMPARE(f.engine.captions().caption, QStringLiteral("Fehler"));
    QCOMPARE(f.engine.captions().totalScoreLabel, QStringLiteral("Punkte"));
    QCOMPARE(f.engine.captions().label1,
             QStringLiteral("Sorry, the answer you gave was not completely right!"));
    QCOMPARE(f.engine.questionLanguageName(), QStringLiteral("Deutsch"));
    QCOMPARE(f.engine.answerLanguageName(), QStringLiteral("Amerikanisch"));
    f.engine.setSwap(true);
    QCOMPARE(f.engine.questionLanguageName(), QStringLiteral("Amerikanisch"));

    QVERIFY(!f.answer(QStringLiteral("wrong")));
    QCOMPARE(f.ui.captions.last().caption, QStringLiteral("Fehler"));
    f.engine.Finish();
    QCOMPARE(f.messages.texts().last(), QStringLiteral("Test abgebrochen!"));
}

void TestVocTestSteps::missingLanguageFileGivesEnglish()
{
    EngineFixture f(letters(1));
    f.engine.setLanguageFile(f.folder.filePath(QStringLiteral("missing.llf")));
    QCOMPARE(f.engine.captions().caption, QStringLiteral("Mistake"));
    QCOMPARE(f.engine.captions().testFinishedLabel, QStringLiteral("Test successfully completet!"));
    QCOMPARE(f.engine.questionLanguageName(), QStringLiteral("unkown"));
    QCOMPARE(f.engine.answerLanguageName(), QStringLiteral("unkown"));

    // A missing descriptor leaves what the last one gave.
    f.engine.setVocabularyFile(f.folder.filePath(QStringLiteral("none.lif")));
    QCOMPARE(f.engine.description(), QStringLiteral("Verbs"));
    QCOMPARE(f.engine.questionLanguageIndex(), 6);
}

void TestVocTestSteps::playsTheQuestionSideSound()
{
    const QByteArray native("RIFF-native"), foreign("RIFF-foreign");
    EngineFixture f({{"A", "a", 1, native, foreign}, {"B", "b", 1, {}, {}}});
    QVERIFY(f.engine.PlayQuestionSound());
    f.engine.setSwap(true);
    QVERIFY(f.engine.PlayQuestionSound());
    QCOMPARE(f.player.played, QList<QByteArray>({native, foreign}));
    QVERIFY(f.answer(QStringLiteral("A")));
    QCOMPARE(f.engine.question(), QStringLiteral("b"));
    QVERIFY(!f.engine.questionHasSound());
    QVERIFY(!f.engine.PlayQuestionSound());
    QCOMPARE(f.player.played.size(), 2);
}

void TestVocTestSteps::soundFailureIsReported()
{
    EngineFixture f({{"A", "a", 1, QByteArray("noise"), {}}});
    f.player.failure = QStringLiteral("Error opening multimedia device!");
    QVERIFY(!f.engine.PlayQuestionSound());
    QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Error opening multimedia device!")});
}

void TestVocTestSteps::missingEntryIsReported()
{
    EngineFixture f(letters(3));
    QVERIFY(f.table.findKey(3));
    f.table.deleteRecord();
    QVERIFY(f.answer(QStringLiteral("a"))); // on to the deleted "C"
    QCOMPARE(f.messages.texts(),
             QStringList{QStringLiteral("Internal Database Error in VOCTEST Component!")});
    f.messages.clear();

    f.engine.setGiven(QStringLiteral("wrong"));
    QVERIFY(!f.engine.CheckAnswer());
    QVERIFY(!f.engine.PlayQuestionSound());
    QCOMPARE(f.messages.texts(), QStringList({QStringLiteral("Internal Database Error!"),
                                              QStringLiteral("Internal Database Error!")}));
    // No other entry was blamed for the miss.
    QVERIFY(f.mistakesOf(1).isNull());
    QVERIFY(f.mistakesOf(2).isNull());
}

void TestVocTestSteps::failingWindowsAndSoundAreReported()
{
    // Windows and sound device that fail with errors not of the program's own kind: each
    // operation still returns, and the failure is reported.
    class FailingUi : public RecordingUi
    {
    public:
        void showMistakeReport(const MistakeReport &, const VocTestCaptions &) override
        {
            throw std::runtime_error("no window for the report");
        }
        void showSummary(const TestSummary &, const VocTestCaptions &) override { throw std::bad_alloc(); }
    };
    class FailingPlayer : public WavePlayer
    {
    public:
        void playWave(const QByteArray &) override { throw std::length_error("sound too long"); }
    };
    TestFolder folder;
    ScriptedMessageService messages;
    FailingUi ui;
    FailingPlayer player;
    TLumoTable table(messages);
    table.setVocabularyFile(folder.filePath(QStringLiteral("unit.db")));
    table.open();
    table.appendRecord({QVariant(), "Haus", "house", 1, QByteArray("RIFF"), QVariant(), QVariant()});
    TLumoVocTest engine(messages, ui, player);
    engine.setOrder(TLumoVocTest::toForward);
    engine.setDataSet(&table);
    QVERIFY(engine.ready());

    QVERIFY(!engine.PlayQuestionSound());
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("sound too long")});
    engine.setGiven(QStringLiteral("home"));
    QVERIFY(!engine.CheckAnswer());
    QCOMPARE(messages.texts().last(), QStringLiteral("no window for the report"));
    QCOMPARE(engine.mistakeCount(), 1); // counted before the report failed
    engine.setGiven(QStringLiteral("house"));
    QVERIFY(engine.CheckAnswer());
    QSignalSpy finished(&engine, &TLumoVocTest::Finished);
    engine.NextQuestion(); // the summary fails
    QCOMPARE(finished.size(), 1);
    QCOMPARE(messages.shown().size(), 3);
    QCOMPARE(messages.shown().last().kind, MessageService::Kind::Error);
    QVERIFY(engine.ready()); // a new queue all the same
}

void TestVocTestSteps::unreadableTableIsReported()
{
    TestFolder folder;
    ScriptedMessageService messages;
    RecordingUi ui;
    RecordingPlayer player;
    const QByteArray noTable("This is a text file, not a table.");
    const QString path = folder.writeFile(QStringLiteral("unit.db"), noTable);
    TLumoTable table(messages);
    table.setVocabularyFile(path);
    TLumoVocTest engine(messages, ui, player);
    engine.setDataSet(&table);
    QVERIFY(!engine.ready());
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown().first().kind, MessageService::Kind::Error);
    QVERIFY2(messages.texts().first().contains(path), qPrintable(messages.texts().first()));
    // Every operation tries again and reports again; none throws, none changes the file.
    engine.Reload();
    engine.NextQuestion();
    QVERIFY(!engine.CheckAnswer());
    QVERIFY(!engine.PlayQuestionSound());
    engine.Finish();
    QCOMPARE(messages.shown().size(), 3);
    QVERIFY(ui.reports.isEmpty() && ui.summaries.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), noTable);
}

QTEST_GUILESS_MAIN(TestVocTestSteps)
#include "tst_vocteststeps.moc"
