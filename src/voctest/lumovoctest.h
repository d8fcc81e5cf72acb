#pragma once

#include "voctest/answerjudge.h"
#include "voctest/choicecandidates.h"
#include "voctest/testqueue.h"
#include "voctest/testsettings.h"
#include "voctest/voctestcaptions.h"

#include "repetition/testreviews.h"

#include "platform/busyindicator.h"
#include "platform/table/sqlitetable.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

class MessageService;
class VocTestUi;
class WavePlayer;

// Runs one vocabulary test over the entries of an open vocabulary table: builds the queue of
// entries to ask, loads each question, judges the answers, counts mistakes and writes the
// first miss of an entry into its "Mistakes" field, and logs a completed test in the unit
// descriptor. It reaches the user only through the injected message service, windows and
// sound player. None of its public operations throws: whatever fails on the way (a damaged
// table, a sound that cannot be played) is reported through the message service.
class TLumoVocTest : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Swap READ swap WRITE setSwap)
    Q_PROPERTY(TTestOrder Order READ order WRITE setOrder)
    Q_PROPERTY(QString TestFile READ testFile WRITE setTestFile)
    Q_PROPERTY(QString VocabularyFile READ vocabularyFile WRITE setVocabularyFile)
    Q_PROPERTY(SqliteTable *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)

public:
    // toDue asks the entries whose review is due, then a few new ones.
    enum TTestOrder { toForward, toBackward, toRandom, toDue };
    Q_ENUM(TTestOrder)

    static constexpr int ChoiceCount = 5;

    TLumoVocTest(MessageService &messages, VocTestUi &ui, WavePlayer &sound, QObject *parent = nullptr);
    ~TLumoVocTest() override;

    // Published properties; each setter does the loading work its value calls for.
    bool swap() const { return m_swap; }
    void setSwap(bool swap);
    TTestOrder order() const { return m_order; }
    void setOrder(TTestOrder order);
    QString testFile() const { return m_testFile; }
    void setTestFile(const QString &path);
    QString vocabularyFile() const { return m_vocabularyFile; }
    void setVocabularyFile(const QString &path);
    SqliteTable *dataSet() const { return m_dataSet; }
    void setDataSet(SqliteTable *table);
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path);

    // Shown while a queue is built.
    void setBusyIndicator(BusyIndicator &busy) { m_busy = &busy; }
    // The time the reviews of a test are written at and the due words are chosen by.
    void setReviewClock(ReviewClock clock) { m_reviews.setClock(std::move(clock)); }

    // Operations as the test page drives them.
    void Reload();
    bool CheckAnswer();
    // A flash card graded by the learner: Again counts as a miss (without a report, as the
    // answer is already on show), the other grades as known. The grade is the entry's review
    // when it is the entry's first in this test. Returns whether the card counted as known.
    bool GradeCard(FsrsModel::Rating grade);
    void NextQuestion();
    void Finish();
    bool PlayQuestionSound();

    // State the test page reads.
    QString question() const { return m_question; }
    QString answer() const { return m_answer; }
    QString given() const { return m_given; }
    void setGiven(const QString &given) { m_given = given; }
    QStringList choices() const { return m_choices; } // always five, empty where none
    int wordCount() const { return m_wordCount; }
    int rightCount() const { return m_rightCount; }
    int mistakeCount() const { return m_mistakeCount; }
    TestType testType() const { return m_settings.testType; }
    const TestSettings &settings() const { return m_settings; }
    bool questionHasSound() const { return m_questionHasSound; }
    bool ready() const { return m_ready; }
    bool running() const { return m_running; }
    // The due order found no entry due and none new to learn today.
    bool nothingDue() const { return m_nothingDue; }
    QString fontName() const { return m_fontName; }
    QString description() const { return m_description; }
    int questionLanguageIndex() const { return m_swap ? m_secondLanguage : m_firstLanguage; }
    int answerLanguageIndex() const { return m_swap ? m_firstLanguage : m_secondLanguage; }
    // The language the user types in: a listening test's answers are in the question's.
    int answeredLanguageIndex() const
    {
        return m_settings.testType == TestType::Comprehension ? questionLanguageIndex()
                                                              : answerLanguageIndex();
    }
    QString questionLanguageName() const { return m_swap ? m_secondLanguageName : m_firstLanguageName; }
    QString answerLanguageName() const { return m_swap ? m_firstLanguageName : m_secondLanguageName; }
    const VocTestCaptions &captions() const { return m_captions; }
    QList<qint64> testQueue() const { return m_queue.keys(); } // keys of the entries still to ask
    int position() const { return m_position; }
    QStringList missedAnswers() const { return m_missed; }
    QStringList discardWords() const { return m_judge.discardWords; }

signals:
    void Finished();
    void MessageBoxClosed();

private:
    struct Fields;

    // The steps behind the operations; they throw, the operations catch.
    void LoadSettings();
    bool Prepare();
    void LoadDiscardList();
    void LoadQuestion();
    void BuildChoices(int answerField, int type);
    void WriteLog();

    bool tableOpen();
    bool startJudging();
    void score(bool right, FsrsModel::Rating knownGrade);
    bool firstMiss(qint64 entry);
    void prepareAndReset();
    void clearQuestion();
    Fields fields() const;
    bool findEntry(int position);
    void fillQueue(const Fields &f, QList<qint64> &keys);
    void loadQuestionGuarded();
    bool playQuestionSound();
    // A question without a sound is spoken instead.
    bool speaks(const QString &question) const;
    void readCandidates(int answerField, int typeField);
    void watchTable();
    // The first miss of an entry in a test: its Mistakes raised when raise is set and its
    // review written when review is set, in one transaction.
    void writeMiss(bool raise, bool review);
    void writeReview(qint64 entry, FsrsModel::Rating rating);
    void recordReview(qint64 entry, FsrsModel::Rating rating);
    void orderQueue(QList<qint64> &keys);
    void showMistakeReport();
    void showSummary();
    void readDescriptor();

    MessageService &m_messages;
    VocTestUi &m_ui;
    WavePlayer &m_sound;
    BusyIndicator *m_busy = &BusyIndicator::none();

    bool m_swap = false;
    TTestOrder m_order = toRandom;
    QString m_testFile;
    QString m_vocabularyFile;
    QPointer<SqliteTable> m_dataSet;
    QString m_languageFile;

    TestSettings m_settings;
    AnswerJudge m_judge;
    VocTestCaptions m_captions;

    // The meanings of every record by word type, kept for the choices of the next questions
    // until the table changes other than through the engine.
    ChoiceCandidates m_candidates;
    bool m_candidatesValid = false;
    int m_candidatesField = -1;
    int m_ownChanges = 0;
    QMetaObject::Connection m_dataChanged;
    QMetaObject::Connection m_recordChanged;

    TestQueue m_queue;
    QStringList m_missed;
    QSet<qint64> m_missedCards; // flash cards graded Again in this test
    int m_position = 0;
    int m_wordCount = 0;
    int m_mistakeCount = 0;
    int m_rightCount = 0;
    QString m_question;
    QString m_answer;
    QString m_given;
    QStringList m_choices = QStringList(ChoiceCount, QString());
    bool m_questionHasSound = false;
    bool m_speakMissing = false; // the variant speaks missing sounds and the question language can
    bool m_ready = false;
    bool m_running = false;
    bool m_nothingDue = false;
    TestReviews m_reviews;

    int m_firstLanguage = 0;
    int m_secondLanguage = 0;
    QString m_firstLanguageName;
    QString m_secondLanguageName;
    QString m_description;
    QString m_fontName = QStringLiteral("MS Sans Serif");
};

using TTestOrder = TLumoVocTest::TTestOrder;
