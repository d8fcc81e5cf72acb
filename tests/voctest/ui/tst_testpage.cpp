#include "voctest/enginefixture.h"
#include "voctest/ui/gauge.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

namespace {
// The engine's windows as a user meets them: each call runs what the test scripted for it,
// while the page still shows the state of that moment.
class ScriptedUi : public VocTestUi
{
public:
    QList<MistakeReport> reports;
    QList<TestSummary> summaries;
    std::function<void()> onReport;

    void showMistakeReport(const MistakeReport &report, const VocTestCaptions &) override
    {
        reports.append(report);
        if (onReport)
            onReport();
    }
    void showSummary(const TestSummary &summary, const VocTestCaptions &) override
    {
        summaries.append(summary);
    }
};

// A unit (native language German, foreign language American English), the variants of every
// kind in the program folder and a page that drives a test engine on them.
class PageFixture
{
public:
    explicit PageFixture(const QList<Entry> &entries, const QString &kind = QStringLiteral("standard"))
    {
        descriptor = folder.writeText(QStringLiteral("Vocabulary/unit.lif"),
                                      QStringLiteral("[general]\nFileType=vokfile\nFirstLanguage=6\n"
                                                     "SecondLanguage=1\nDescription=Verbs\n"));
        table.setVocabularyFile(folder.filePath(QStringLiteral("Vocabulary/unit.db")));
        table.open();
        for (const Entry &e : entries)
            table.appendRecord({QVariant(), e.native, e.foreign, e.type,
                                e.nativeSound.isEmpty() ? QVariant() : QVariant(e.nativeSound),
                                e.foreignSound.isEmpty() ? QVariant() : QVariant(e.foreignSound),
                                e.mistakes});
        folder.writeText(QStringLiteral("a.ltf"), variantText("standard").replace("=Variant", "=Typed"));
        folder.writeText(QStringLiteral("b.ltf"), variantText("multichoice").replace("=Variant", "=Choices"));
        folder.writeText(QStringLiteral("c.ltf"),
                         variantText("comprehension").replace("=Variant", "=Listening"));
        if (kind == QStringLiteral("flashcards"))
            folder.writeText(QStringLiteral("d.ltf"),
                             variantText("flashcards").replace("=Variant", "=Cards"));
        engine.setLanguageFile(folder.copyFromData(QStringLiteral("english.llf")));
        engine.setDataSet(&table);
        engine.setVocabularyFile(descriptor);
        page.resize(600, 400);
        page.attach(engine, messages);
        page.LoadTestVariants();
        page.selectTestVariant(page.TestVariants->findText(kindNames().value(kind)));
        page.ForwardOrder->click();
        page.show();
    }

    static QHash<QString, QString> kindNames()
    {
        return {{"standard", "Typed"},
                {"multichoice", "Choices"},
                {"comprehension", "Listening"},
                {"flashcards", "Cards"}};
    }

    // Types an answer and presses Enter, as the user does.
    void typeAnswer(const QString &text)
    {
        page.AnswerEdit->setText(text);
        QTest::keyClick(page.AnswerEdit, Qt::Key_Return);
    }

    bool idle() const
    {
        return page.TestVariants->isEnabled() && page.Direction1->isEnabled() &&
               page.RandomOrder->isEnabled() && !page.StopBtn->isEnabled() && !page.Choice[0]->isEnabled() &&
               page.StartBtn->text() == "&Start";
    }

    TestFolder folder;
    ScriptedMessageService messages;
    ScriptedUi ui;
    RecordingPlayer player;
    TLumoTable table{messages};
    TLumoVocTest engine{messages, ui, player};
    TestPage page;
    QString descriptor;
};

QColor textColour(const QWidget *widget)
{
    return widget->palette().color(QPalette::WindowText);
}
} // namespace

// The test page driven as a user drives it: choosing a variant, a direction and an order,
// pressing Start, answering by keyboard or by ticking choices, stopping.
class TestTestPage : public QObject
{
    Q_OBJECT

private slots:
    void aWholeStandardTestWithOneWrongAnswer()
    {
        PageFixture f(letters(3));
        QVERIFY(f.idle());
        QCOMPARE(f.page.FileNameLabel->text(), QStringLiteral("unit"));
        QCOMPARE(f.page.TitleLabel->text(), QStringLiteral("Verbs"));
        QCOMPARE(f.page.MaxProgress->text(), QStringLiteral("3"));
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(0)"));
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("A"));

        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QVERIFY(!f.page.TestVariants->isEnabled());
        QVERIFY(!f.page.Direction2->isEnabled());
        QVERIFY(!f.page.BackwardOrder->isEnabled());
        QVERIFY(f.page.StopBtn->isEnabled());
        QCOMPARE(f.page.StartBtn->text(), QStringLiteral("&Next"));

        // While the report is open the page still shows the question answered wrongly.
        QString questionDuringReport;
        f.ui.onReport = [&] { questionDuringReport = f.page.QuestionLabel->text(); };
        f.typeAnswer(QStringLiteral("wrong"));
        QCOMPARE(f.ui.reports.size(), 1);
        QCOMPARE(f.ui.reports.at(0).answer, QStringLiteral("a"));
        QCOMPARE(questionDuringReport, QStringLiteral("A"));
        QCOMPARE(f.page.MistakesCount->text(), QStringLiteral("(1)"));
        QCOMPARE(f.page.MistakesGauge->progress(), 1);
        QCOMPARE(f.page.MistakesGauge->maxValue(), 3);
        QCOMPARE(f.page.ProgressGauge->progress(), 0);
        QVERIFY(f.page.AnswerEdit->text().isEmpty());

        for (int guard = 0; f.ui.summaries.isEmpty() && guard < 10; ++guard) {
            QCOMPARE(f.page.StartBtn->text(), QStringLiteral("&Next"));
            const int right = f.engine.rightCount();
            f.typeAnswer(f.engine.answer());
            if (f.ui.summaries.isEmpty()) {
                QCOMPARE(f.page.ProgressGauge->progress(), right + 1);
                QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(%1)").arg(right + 1));
            }
        }
        QCOMPARE(f.ui.summaries.size(), 1);
        QCOMPARE(f.ui.summaries.at(0).wordCount, 3);
        QCOMPARE(f.ui.summaries.at(0).mistakeCount, 1);
        QCOMPARE(f.ui.reports.size(), 1);

        // Idle again, with a fresh queue at once.
        QVERIFY(f.idle());
        QVERIFY(f.engine.ready());
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(0)"));
        QCOMPARE(f.page.MistakesCount->text(), QStringLiteral("(0)"));
        QCOMPARE(f.page.ProgressGauge->progress(), 0);
        QCOMPARE(f.page.MaxMistakes->text(), QStringLiteral("3"));
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QVERIFY(f.page.StopBtn->isEnabled());
    }

    void multipleChoiceHandsInTheTickedCaptions()
    {
        PageFixture f(letters(6), QStringLiteral("multichoice"));
        QVERIFY(f.page.Choice[0]->isVisible());
        QVERIFY(!f.page.AnswerEdit->isVisible());
        QVERIFY(!f.page.Choice[0]->isEnabled());
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QVERIFY(f.page.Choice[4]->isEnabled());

        const QString answer = f.engine.answer();
        QStringList wrong;
        for (QCheckBox *choice : f.page.Choice) {
            QCOMPARE(choice->toolTip(), choice->text());
            if (choice->text() != answer && !choice->text().isEmpty())
                wrong.append(choice->text());
        }
        QVERIFY(wrong.size() >= 3);
        QList<QColor> colours;
        QStringList captions;
        QString given;
        f.ui.onReport = [&] {
            given = f.engine.given();
            for (QCheckBox *choice : f.page.Choice) {
                colours.append(textColour(choice));
                captions.append(choice->text());
            }
        };
        for (QCheckBox *choice : f.page.Choice)
            if (choice->text() == wrong.at(0) || choice->text() == wrong.at(2))
                choice->click();
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);

        QCOMPARE(given, wrong.at(0) + u';' + wrong.at(2) + u';');
        QCOMPARE(colours.size(), 5);
        // Green where the caption occurs in the answer, red elsewhere.
        for (int i = 0; i < 5; ++i)
            QCOMPARE(colours.at(i), QColor(answer.contains(captions.at(i)) ? Qt::darkGreen : Qt::red));
        QCOMPARE(colours.count(QColor(Qt::darkGreen)), captions.count(QString()) + 1);
        // Afterwards the choices are unticked and in the window-text colour again.
        for (QCheckBox *choice : f.page.Choice) {
            QVERIFY(!choice->isChecked());
            QCOMPARE(textColour(choice), QPalette().color(QPalette::WindowText));
        }

        // Nothing ticked hands in empty text, which is wrong.
        f.ui.onReport = [&] { given = f.engine.given(); };
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QCOMPARE(given, QString());
        QCOMPARE(f.ui.reports.size(), 2);
    }

    void multipleChoiceByKeyboardAlone()
    {
        PageFixture f(letters(6), QStringLiteral("multichoice"));
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        int right = -1;
        for (int i = 0; i < TestPage::ChoiceCount; ++i)
            if (f.page.Choice[i]->text() == f.engine.answer())
                right = i;
        QVERIFY(right >= 0);
        f.page.Choice[right]->setFocus();
        QTest::keyClick(f.page.Choice[right], Qt::Key_Space);
        QVERIFY(f.page.Choice[right]->isChecked());
        QTest::keyClick(f.page.Choice[right], Qt::Key_Return);
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(1)"));
        QVERIFY(f.ui.reports.isEmpty());
        QVERIFY(!f.page.Choice[right]->isChecked());
    }

    void stoppingATest()
    {
        PageFixture f(letters(3));
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        f.typeAnswer(f.engine.answer());
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(1)"));
        QTest::mouseClick(f.page.StopBtn, Qt::LeftButton);
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Test aborded!")});
        QVERIFY(f.ui.summaries.isEmpty());
        QVERIFY(f.idle());
        QVERIFY(!f.page.testUnderWay());
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(0)"));
        QCOMPARE(f.page.MaxProgress->text(), QStringLiteral("3"));
    }

    void directionAndOrderWhileIdle()
    {
        QList<Entry> entries = letters(4);
        entries[3].type = 5; // an adjective
        PageFixture f(entries);
        QCOMPARE(f.page.Direction1->text(), QStringLiteral("German - American English"));
        QCOMPARE(f.page.Direction2->text(), QStringLiteral("American English - German"));
        QCOMPARE(f.page.QuestionLanguage->text(), QStringLiteral("German:"));
        QCOMPARE(f.page.AnswerLanguage->text(), QStringLiteral("American English:"));

        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        f.typeAnswer(f.engine.answer());
        QTest::mouseClick(f.page.StopBtn, Qt::LeftButton);

        f.page.Direction2->click();
        QVERIFY(f.engine.swap());
        QCOMPARE(f.page.QuestionLanguage->text(), QStringLiteral("American English:"));
        QCOMPARE(f.page.AnswerLanguage->text(), QStringLiteral("German:"));
        QCOMPARE(f.page.Direction1->text(), QStringLiteral("German - American English"));
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("a"));
        QCOMPARE(f.page.MaxProgress->text(), QStringLiteral("4"));

        f.page.BackwardOrder->click();
        QCOMPARE(f.engine.order(), TLumoVocTest::toBackward);
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("d"));
        f.page.RandomOrder->click();
        QCOMPARE(f.engine.order(), TLumoVocTest::toRandom);
        QCOMPARE(f.page.ProgressCount->text(), QStringLiteral("(0)"));
    }

    void theOrderShownIsTheOrderAtStart()
    {
        ScriptedMessageService messages;
        ScriptedUi ui;
        RecordingPlayer player;
        TLumoVocTest engine(messages, ui, player);
        engine.setOrder(TLumoVocTest::toForward);
        TestPage page;
        QVERIFY(page.RandomOrder->isChecked());
        QVERIFY(page.Direction1->isChecked());
        page.attach(engine, messages);
        QCOMPARE(engine.order(), TLumoVocTest::toRandom);
        QVERIFY(!engine.swap());
    }

    void eachKindShowsItsControls_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("question");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("choices");
        QTest::addColumn<bool>("listening");
        QTest::newRow("standard") << "standard" << true << true << false << false;
        QTest::newRow("multiple choice") << "multichoice" << true << false << true << false;
        QTest::newRow("listening") << "comprehension" << false << true << false << true;
        QTest::newRow("flash cards") << "flashcards" << true << false << false << false;
    }

    void eachKindShowsItsControls()
    {
        QFETCH(QString, kind);
        QFETCH(bool, question);
        QFETCH(bool, answer);
        QFETCH(bool, choices);
        QFETCH(bool, listening);
        const QByteArray sound("RIFF....WAVE");
        QList<Entry> entries = letters(6);
        for (Entry &e : entries)
            e.nativeSound = sound;
        PageFixture f(entries, kind);
        QVERIFY(f.page.QuestionLanguage->isVisible());
        QVERIFY(f.page.AnswerLanguage->isVisible());
        QCOMPARE(f.page.QuestionLabel->isVisible(), question);
        QCOMPARE(f.page.AnswerEdit->isVisible(), answer);
        QCOMPARE(f.page.CharGrid2->isVisible(), answer);
        for (QCheckBox *choice : f.page.Choice)
            QCOMPARE(choice->isVisible(), choices);
        QCOMPARE(f.page.ListeningBtn->isVisible(), listening);
        const bool cards = kind == "flashcards";
        QCOMPARE(f.page.ShowAnswerBtn->isVisible(), cards);
        QVERIFY(!f.page.GradeGood->isVisible());
        const QHash<QString, QString> files = {{"standard", "a.ltf"},
                                               {"multichoice", "b.ltf"},
                                               {"comprehension", "c.ltf"},
                                               {"flashcards", "d.ltf"}};
        QCOMPARE(f.engine.testFile(), f.folder.filePath(files.value(kind)));
        // The buttons sit under the choices or under the answer.
        const int questionTop = qRound(f.page.MainPanel->height() * 0.08);
        QCOMPARE(f.page.QuestionLabel->y(), questionTop);
        QCOMPARE(f.page.StartBtn->y(), choices ? questionTop + 130 + 40 : questionTop + 50 + 60);
        QCOMPARE(f.page.StopBtn->y(), f.page.StartBtn->y());
        if (listening) {
            QCOMPARE(f.page.AnswerLanguage->text(), f.page.QuestionLanguage->text());
            QCOMPARE(f.page.Direction1->text(), QStringLiteral("German - German"));
            QCOMPARE(f.page.Direction2->text(), QStringLiteral("American English - American English"));
        }
    }

    void listeningPlaysEachQuestionBySelf()
    {
        const QByteArray sound("RIFF....WAVE");
        QList<Entry> entries = letters(3);
        for (Entry &e : entries)
            e.nativeSound = sound + e.native.toUtf8();
        PageFixture f(entries, QStringLiteral("comprehension"));
        QVERIFY(f.player.played.isEmpty());
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QCOMPARE(f.player.played, QList<QByteArray>{"RIFF....WAVEA"});
        f.typeAnswer(f.engine.answer());
        QCOMPARE(f.player.played.size(), 2);
        QVERIFY(f.engine.question() != QStringLiteral("A"));
        QCOMPARE(f.player.played.last(), "RIFF....WAVE" + f.engine.question().toUtf8());
        f.page.SpellIt->click();
        QCOMPARE(f.player.played.size(), 3);
        // Nothing plays while the page is not the one shown.
        f.page.isActivePage = [] { return false; };
        f.page.ListeningBtn->click();
        QCOMPARE(f.player.played.size(), 3);
    }

    // A flash card is heard when it has a sound, once: showing its answer plays nothing more.
    void flashCardsPlayTheirSound()
    {
        QList<Entry> entries = letters(3);
        entries[0].nativeSound = "RIFF....WAVEA";
        entries[2].nativeSound = "RIFF....WAVEC";
        PageFixture f(entries, QStringLiteral("flashcards"));
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        QCOMPARE(f.player.played, QList<QByteArray>{"RIFF....WAVEA"});
        QTest::mouseClick(f.page.ShowAnswerBtn, Qt::LeftButton);
        QCOMPARE(f.player.played.size(), 1);
        QTest::mouseClick(f.page.GradeGood, Qt::LeftButton);
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("C"));
        QCOMPARE(f.player.played.size(), 2);
        QCOMPARE(f.player.played.last(), "RIFF....WAVEC");
        QTest::mouseClick(f.page.ShowAnswerBtn, Qt::LeftButton);
        QTest::mouseClick(f.page.GradeAgain, Qt::LeftButton);
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("B"));
        QCOMPARE(f.player.played.size(), 2);
        QCOMPARE(f.engine.mistakeCount(), 1);
        QVERIFY(f.ui.reports.isEmpty());
    }

    void aQuestionWithASoundGetsTheSoundCursor()
    {
        QList<Entry> entries = letters(2);
        entries[1].nativeSound = "RIFF....WAVE";
        PageFixture f(entries);
        f.page.setSoundCursor(QCursor(Qt::CrossCursor));
        f.page.RefreshTestPage();
        QCOMPARE(f.page.QuestionLabel->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        f.typeAnswer(f.engine.answer());
        QCOMPARE(f.page.QuestionLabel->text(), QStringLiteral("B"));
        QCOMPARE(f.page.QuestionLabel->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(f.page.QuestionLanguage->cursor().shape(), Qt::CrossCursor);
    }

    void startDoesNothingWhenTheEngineIsNotReady_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("more");
        QTest::addColumn<int>("entries");
        QTest::newRow("four entries to choose from") << "multichoice"
                                                     << "" << 4;
        QTest::newRow("every entry of an excluded type") << "standard"
                                                         << "WordTypes=[2],[5],\n"
                                                         << 6;
        QTest::newRow("no sounds to listen to") << "comprehension"
                                                << "" << 6;
    }

    void startDoesNothingWhenTheEngineIsNotReady()
    {
        QFETCH(QString, kind);
        QFETCH(QString, more);
        QFETCH(int, entries);
        PageFixture f(letters(entries), kind);
        f.folder.writeText(QStringLiteral("a.ltf"), variantText(kind, more).replace("=Variant", "=Typed"));
        f.page.LoadTestVariants();
        f.page.selectTestVariant(0);
        QVERIFY(!f.engine.ready());
        QTest::mouseClick(f.page.StartBtn, Qt::LeftButton);
        f.typeAnswer(QStringLiteral("a"));
        QVERIFY(f.idle());
        QVERIFY(f.ui.reports.isEmpty());
        QVERIFY(f.messages.shown().isEmpty());
    }

    void infoPanelKeepsItsScaleAtTheBottom()
    {
        PageFixture f(letters(2));
        f.page.resize(700, 500);
        QApplication::processEvents();
        const int h = f.page.InfoPanel->height();
        QCOMPARE(f.page.ProgressCount->y(), h - 44);
        QCOMPARE(f.page.MistakesLabel->y(), h - 60);
        QCOMPARE(f.page.ZeroLabel2->y(), h - 80);
        QCOMPARE(f.page.ProgressPanel->height(), h - f.page.ProgressPanel->y() - 71);
        QCOMPARE(f.page.AnswerEdit->width(), f.page.MainPanel->width() - f.page.AnswerEdit->x() - 20);
        QCOMPARE(f.page.Choice[3]->width(), f.page.AnswerEdit->width());
    }

    void settingsDialogStartsAtTheAnswerLanguage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("swap");
        QTest::addColumn<int>("language");
        QTest::newRow("typed") << "standard" << false << 1;
        QTest::newRow("typed, swapped") << "standard" << true << 6;
        QTest::newRow("listening") << "comprehension" << false << 6;
        QTest::newRow("listening, swapped") << "comprehension" << true << 1;
    }

    void settingsDialogStartsAtTheAnswerLanguage()
    {
        QFETCH(QString, kind);
        QFETCH(bool, swap);
        QFETCH(int, language);
        PageFixture f(letters(6), kind);
        f.page.firstLanguage = 6;
        f.page.secondLanguage = 1;
        if (swap)
            f.page.Direction2->click();
        int shown = -1;
        QString selected;
        f.page.runSettingsDialog = [&](TTestParamsDlg &dialog) {
            shown = dialog.discardLanguage();
            selected = dialog.TestVariants->currentText();
            return int(QDialog::Rejected);
        };
        f.page.ConfigureTestBtn->click();
        QCOMPARE(shown, language);
        QCOMPARE(selected, f.page.TestVariants->currentText());
    }

    void settingsDialogOkRelistsTheVariants()
    {
        PageFixture f(letters(6));
        f.page.runSettingsDialog = [&](TTestParamsDlg &dialog) {
            // The user makes the shown variant a multiple-choice one and picks another.
            dialog.MultiChoice->setChecked(true);
            dialog.TestVariants->setCurrentIndex(dialog.TestVariants->findText("Listening"));
            dialog.Comprehension->setChecked(false);
            dialog.OkBtn->click();
            return dialog.result();
        };
        f.page.ConfigureTestBtn->click();
        QCOMPARE(f.page.TestVariants->currentText(), QStringLiteral("Listening"));
        QVERIFY(f.page.ListeningBtn->isVisible());
        QCOMPARE(f.page.variants().testTypes().at(0), QStringLiteral("multichoice"));

        // Cancel lists the variants again too, and stays on the variant the page showed.
        f.page.runSettingsDialog = [](TTestParamsDlg &) { return int(QDialog::Rejected); };
        f.page.TestVariants->setCurrentIndex(0);
        const QString shown = f.page.selectedVariantFile();
        f.folder.writeText(QStringLiteral("0.ltf"), variantText("standard").replace("=Variant", "=New"));
        f.page.ConfigureTestBtn->click();
        QCOMPARE(f.page.TestVariants->count(), 4);
        QCOMPARE(f.page.selectedVariantFile(), shown);
        QVERIFY(f.page.Choice[0]->isVisible());
    }

    void storedIndexSelectsAVariantWheneverThereIsOne()
    {
        PageFixture f(letters(3));
        f.page.selectTestVariant(-1);
        QCOMPARE(f.page.TestVariants->currentIndex(), 0);
        f.page.selectTestVariant(7);
        QCOMPARE(f.page.TestVariants->currentIndex(), 0);
        for (const char *name : {"a.ltf", "b.ltf", "c.ltf"})
            QFile::remove(f.folder.filePath(name));
        f.page.LoadTestVariants();
        f.page.selectTestVariant(-1);
        QCOMPARE(f.page.TestVariants->currentIndex(), -1);
    }
};

QTEST_MAIN(TestTestPage)
#include "tst_testpage.moc"
