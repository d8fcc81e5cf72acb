#include "voctest/lumovoctest.h"

#include "voctest/choicebuilder.h"
#include "voctest/discardlist.h"
#include "voctest/shuffle.h"
#include "voctest/voctestui.h"

#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/sound/waveplayer.h"
#include "uilang/translate.h"
#include "vocfile/speechvoices.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfields.h"
#include "vocfile/unittestlog.h"
#include "vocfile/vocabularylanguages.h"

#include <QFileInfo>
#include <algorithm>
#include <exception>

namespace {

// Marks the table's change notices that follow as the engine's own.
class OwnChange
{
public:
    explicit OwnChange(int &depth) : m_depth(depth) { ++m_depth; }
    ~OwnChange() { --m_depth; }
    OwnChange(const OwnChange &) = delete;
    OwnChange &operator=(const OwnChange &) = delete;

private:
    int &m_depth;
};

int wordType(const QVariant &value)
{
    return value.isNull() ? 0 : value.toInt(); // an empty type is type 0
}
} // namespace

struct TLumoVocTest::Fields
{
    int count = -1;
    int question = -1;
    int answer = -1;
    int type = -1;
    int questionSound = -1;
    int mistakes = -1;

    bool valid() const { return std::min({count, question, answer, type, questionSound, mistakes}) >= 0; }
};

TLumoVocTest::TLumoVocTest(MessageService &messages, VocTestUi &ui, WavePlayer &sound, QObject *parent)
    : QObject(parent), m_messages(messages), m_ui(ui), m_sound(sound)
{}

TLumoVocTest::~TLumoVocTest() = default;

void TLumoVocTest::setSwap(bool swap)
{
    m_swap = swap;
    if (!m_dataSet)
        return;
    Guarded(m_messages, [&] { readDescriptor(); });
    prepareAndReset();
}

void TLumoVocTest::setOrder(TTestOrder order)
{
    m_order = order;
    if (m_dataSet)
        prepareAndReset();
}

void TLumoVocTest::setTestFile(const QString &path)
{
    m_testFile = path;
    // Read even without a table, so the variant shown is the one in force once a table comes.
    Guarded(m_messages, [&] { LoadSettings(); });
    if (m_dataSet)
        prepareAndReset();
}

void TLumoVocTest::setVocabularyFile(const QString &path)
{
    m_vocabularyFile = path;
    Guarded(m_messages, [&] { readDescriptor(); });
}

void TLumoVocTest::setDataSet(SqliteTable *table)
{
    m_dataSet = table;
    watchTable();
    if (m_dataSet) {
        prepareAndReset();
    } else {
        m_ready = false;
        m_running = false;
    }
}

void TLumoVocTest::watchTable()
{
    disconnect(m_dataChanged);
    disconnect(m_recordChanged);
    m_candidatesValid = false;
    if (!m_dataSet)
        return;
    const auto changed = [this] {
        if (m_ownChanges == 0)
            m_candidatesValid = false;
    };
    m_dataChanged = connect(m_dataSet, &SqliteTable::dataSetChanged, this, changed);
    m_recordChanged = connect(m_dataSet, &SqliteTable::recordChanged, this, changed);
}

void TLumoVocTest::setLanguageFile(const QString &path)
{
    m_languageFile = path;
    Guarded(m_messages, [&] {
        m_captions = VocTestCaptions::load(m_languageFile, objectName());
        readDescriptor(); // the language names follow the new UI language
    });
}

void TLumoVocTest::Reload()
{
    Guarded(m_messages, [&] { LoadSettings(); });
    prepareAndReset();
}

bool TLumoVocTest::tableOpen()
{
    if (!m_dataSet)
        return false;
    if (!m_dataSet->active() && !m_dataSet->tableName().isEmpty())
        m_dataSet->open();
    return m_dataSet->active();
}

void TLumoVocTest::prepareAndReset()
{
    m_ready = false;
    m_running = false;
    if (!Guarded(m_messages, [&] { m_ready = tableOpen() && Prepare(); }))
        clearQuestion(); // nothing half-built stays on show
}

void TLumoVocTest::clearQuestion()
{
    m_question.clear();
    m_answer.clear();
    m_choices = QStringList(ChoiceCount, QString());
    m_questionHasSound = false;
}

TLumoVocTest::Fields TLumoVocTest::fields() const
{
    const UnitFields unit(*m_dataSet);
    Fields f;
    f.count = unit[TLumoTable::Count];
    f.question = unit[m_swap ? TLumoTable::ForeignLanguage : TLumoTable::NativeLanguage];
    f.answer = unit[m_swap ? TLumoTable::NativeLanguage : TLumoTable::ForeignLanguage];
    f.type = unit[TLumoTable::Type];
    f.questionSound = unit[m_swap ? TLumoTable::ForeignSound : TLumoTable::NativeSound];
    f.mistakes = unit[TLumoTable::Mistakes];
    return f;
}

void TLumoVocTest::LoadSettings()
{
    m_settings.load(m_testFile);
    m_judge.discardNotes = m_settings.discardNotes;
    m_judge.matchCase = m_settings.matchCase;
    m_judge.useDiscardList = m_settings.useDiscardList;
    m_judge.ignoreAccents = m_settings.ignoreAccents;
}

bool TLumoVocTest::Prepare()
{
    const BusyScope busy(*m_busy);
    OwnChange own(m_ownChanges);
    m_candidatesValid = false;
    m_candidates.clear();
    m_queue = TestQueue();
    m_missed.clear();
    m_missedCards.clear();
    m_nothingDue = false;
    m_reviews.begin(m_dataSet, m_swap ? 1 : 0);
    // A failed build leaves nothing of an earlier queue on show.
    m_wordCount = m_mistakeCount = m_rightCount = m_position = 0;
    clearQuestion();

    if (!m_dataSet || !m_dataSet->active())
        return false;
    const Fields f = fields();
    if (!f.valid())
        return false;
    // Asked only when the variant wants it: starting the synthesiser takes a moment.
    m_speakMissing = m_settings.speakMissingSounds && SpeechVoices::canSpeak(questionLanguageIndex());
    QList<qint64> keys;
    if (m_dataSet->recordCount() > 0)
        fillQueue(f, keys);
    if (keys.isEmpty()) {
        m_nothingDue = m_order == toDue;
        return false;
    }
    if (m_settings.testType == TestType::MultipleChoice && keys.size() < ChoiceCount)
        return false;

    orderQueue(keys);
    if (keys.isEmpty()) {
        m_nothingDue = true;
        return false;
    }
    m_queue = TestQueue(std::move(keys));
    // Letter case follows the answers' own language, not the desktop's: Turkish pairs I with ı.
    m_judge.locale = LanguageCaseRules(answeredLanguageIndex());
    if (m_settings.useDiscardList)
        LoadDiscardList();

    m_wordCount = int(m_queue.size());
    loadQuestionGuarded();
    return true;
}

void TLumoVocTest::orderQueue(QList<qint64> &keys)
{
    if (m_order == toBackward) {
        std::reverse(keys.begin(), keys.end());
    } else if (m_order == toRandom) {
        QRandomGenerator generator = ClockSeededGenerator();
        Shuffle(keys, generator);
    } else if (m_order == toDue) {
        keys = m_reviews.dueQueue(keys, m_settings.newPerDay);
    }
}

void TLumoVocTest::fillQueue(const Fields &f, QList<qint64> &keys)
{
    const bool needsSound = m_settings.testType == TestType::Comprehension;
    // Multiple choice sorts the meanings of the same pass for the choices of every question.
    const bool keepAnswers = m_settings.testType == TestType::MultipleChoice;
    // The question texts only matter where a missing sound may be spoken.
    const bool speakable = needsSound && m_speakMissing;
    // Every record in the order the table presents them, read in one pass, with only the
    // columns this kind of test looks at: texts are the dear part of a large unit.
    QList<int> wanted = {f.count, f.type};
    const auto column = [&wanted](bool needed, int field) {
        if (!needed)
            return -1;
        wanted.append(field);
        return int(wanted.size()) - 1;
    };
    const int soundColumn = column(needsSound, f.questionSound);
    const int answerColumn = column(keepAnswers, f.answer);
    const int questionColumn = column(speakable, f.question);
    const QList<QVector<QVariant>> columns = m_dataSet->readColumns(wanted);
    const QVector<QVariant> &counts = columns.at(0);
    const QVector<QVariant> &types = columns.at(1);
    m_candidates.clear();
    for (int i = 0; i < counts.size(); ++i) {
        const int type = wordType(types.at(i));
        if (keepAnswers)
            m_candidates.addRecord(columns.at(answerColumn).at(i).toString(), type);
        if (needsSound && !columns.at(soundColumn).at(i).toBool() &&
            !(speakable && speaks(columns.at(questionColumn).at(i).toString())))
            continue;
        if (m_settings.includesType(type))
            keys.append(counts.at(i).toLongLong());
    }
    m_candidatesValid = keepAnswers;
    m_candidatesField = f.answer;
}

void TLumoVocTest::readCandidates(int answerField, int typeField)
{
    m_candidatesValid = false;
    m_candidates.clear();
    const QList<QVector<QVariant>> columns = m_dataSet->readColumns({answerField, typeField});
    for (int i = 0; i < columns.at(0).size(); ++i)
        m_candidates.addRecord(columns.at(0).at(i).toString(), wordType(columns.at(1).at(i)));
    m_candidatesValid = true;
    m_candidatesField = answerField;
}

void TLumoVocTest::LoadDiscardList()
{
    m_judge.discardWords = DiscardList::wordsFor(answeredLanguageIndex());
}

bool TLumoVocTest::findEntry(int position)
{
    return position >= 0 && position < m_queue.size() && m_dataSet->findKey(m_queue.at(position));
}

void TLumoVocTest::LoadQuestion()
{
    if (!m_dataSet || !m_dataSet->active())
        return;
    const Fields f = fields();
    if (!f.valid())
        return;
    if (!findEntry(m_position))
        m_messages.plain(QStringLiteral("Internal Database Error in VOCTEST Component!"));
    SqliteTable &t = *m_dataSet;
    m_question = t.fieldValue(f.question).toString();
    m_answer =
        m_settings.testType == TestType::Comprehension ? m_question : t.fieldValue(f.answer).toString();
    m_questionHasSound = !t.fieldIsNull(f.questionSound) || speaks(m_question);
    if (m_settings.testType == TestType::MultipleChoice)
        BuildChoices(f.answer, wordType(t.fieldValue(f.type)));
    else
        m_choices = QStringList(ChoiceCount, QString());
}

void TLumoVocTest::BuildChoices(int answerField, int type)
{
    m_choices = QStringList(ChoiceCount, QString());
    if (!m_candidatesValid || m_candidatesField != answerField)
        readCandidates(answerField, UnitFields(*m_dataSet)[TLumoTable::Type]);
    QRandomGenerator generator = ClockSeededGenerator();
    const QStringList options = ChoiceBuilder::options(m_candidates, m_answer, type, generator);
    for (int i = 0; i < options.size() && i < ChoiceCount; ++i)
        m_choices[i] = options.at(i);
}

bool TLumoVocTest::CheckAnswer()
{
    if (!m_ready || !m_dataSet)
        return false;
    bool judged = false;
    bool right = false;
    Guarded(m_messages, [&] {
        if (!startJudging())
            return;
        right = m_judge.isRight(m_answer, m_given, m_settings.testType == TestType::MultipleChoice);
        judged = true;
        score(right, FsrsModel::Rating::Good);
    });
    // The miss is shown even when its count could not be written.
    if (judged && !right)
        Guarded(m_messages, [&] { showMistakeReport(); });
    return right;
}

bool TLumoVocTest::GradeCard(FsrsModel::Rating grade)
{
    if (!m_ready || !m_dataSet)
        return false;
    const bool known = grade != FsrsModel::Rating::Again;
    bool graded = false;
    Guarded(m_messages, [&] {
        if (!startJudging())
            return;
        graded = true;
        score(known, grade);
    });
    return graded && known;
}

bool TLumoVocTest::startJudging()
{
    if (tableOpen())
        m_running = true;
    // Nothing is left to judge once the last entry has been answered.
    return m_position >= 0 && m_position < m_queue.size();
}

void TLumoVocTest::score(bool right, FsrsModel::Rating knownGrade)
{
    const qint64 entry = m_queue.at(m_position);
    if (right) {
        ++m_rightCount;
        m_queue.removeAt(m_position);
        // Leaving the queue unmissed: the entry was known in this test.
        if (!m_reviews.reviewed(entry))
            writeReview(entry, knownGrade);
        return;
    }
    const bool raise = firstMiss(entry);
    if (raise)
        ++m_mistakeCount;
    // A miss decides the entry's review for this test, even if the miss counts no mistake
    // because another entry with the same answer was missed before.
    const bool review = !m_reviews.reviewed(entry);
    if (raise || review)
        writeMiss(raise, review);
}

bool TLumoVocTest::firstMiss(qint64 entry)
{
    // A typed answer counts once per answer text; a card the learner graded himself is his
    // own mistake, whatever other card shares its answer.
    if (m_settings.testType == TestType::FlashCards) {
        if (m_missedCards.contains(entry))
            return false;
        m_missedCards.insert(entry);
        return true;
    }
    if (m_missed.contains(m_answer))
        return false;
    m_missed.append(m_answer);
    return true;
}

void TLumoVocTest::writeReview(qint64 entry, FsrsModel::Rating rating)
{
    if (tableOpen())
        recordReview(entry, rating);
}

void TLumoVocTest::recordReview(qint64 entry, FsrsModel::Rating rating)
{
    try {
        m_reviews.record(entry, rating);
    } catch (const LumoError &) {
        // The other orders go on as they always have, whatever becomes of the schedule.
        if (m_order == toDue)
            throw;
    }
}

void TLumoVocTest::writeMiss(bool raise, bool review)
{
    if (!tableOpen())
        return;
    const Fields f = fields();
    if (!f.valid())
        return;
    // Raising whatever record happens to be current would blame the wrong entry.
    if (!findEntry(m_position)) {
        if (raise)
            m_messages.plain(QStringLiteral("Internal Database Error!"));
        return;
    }
    SqliteTable &t = *m_dataSet;
    OwnChange own(m_ownChanges);
    const qint64 entry = m_queue.at(m_position);
    std::exception_ptr reviewFailure;
    t.startTransaction();
    try {
        if (raise) {
            t.edit();
            t.setFieldValue(f.mistakes, t.fieldValue(f.mistakes).toInt() + 1); // empty counts as 0
            t.post();
        }
        if (review) {
            try {
                recordReview(entry, FsrsModel::Rating::Again);
            } catch (const LumoError &) {
                reviewFailure = std::current_exception(); // the raised Mistakes are kept
            }
        }
        t.commit();
    } catch (...) {
        // A failed post must not stay pending, or the next move would try it again.
        if (t.state() == SqliteTable::State::Edit)
            t.cancel();
        try {
            t.rollback();
        } catch (...) {
            // The error that stopped the write is the one to report.
        }
        throw;
    }
    if (reviewFailure)
        std::rethrow_exception(reviewFailure);
}

void TLumoVocTest::showMistakeReport()
{
    m_ui.showMistakeReport(MistakeReport{m_question, m_answer, m_fontName}, m_captions);
    emit MessageBoxClosed();
}

void TLumoVocTest::NextQuestion()
{
    if (!m_ready)
        return;
    if (m_queue.isEmpty()) {
        Finish();
        return;
    }
    m_running = true;
    if (m_position < m_queue.size() - 1)
        ++m_position;
    else
        m_position = 0;
    loadQuestionGuarded();
}

void TLumoVocTest::loadQuestionGuarded()
{
    // An entry that cannot be read is shown empty; it can still be answered or the test stopped.
    if (!Guarded(m_messages, [&] { LoadQuestion(); }))
        clearQuestion();
}

void TLumoVocTest::Finish()
{
    // Without a queue built there was no test, so nothing is logged or reported.
    if (m_ready && m_queue.isEmpty()) {
        Guarded(m_messages, [&] { WriteLog(); });
        Guarded(m_messages, [&] { showSummary(); });
    } else if (m_ready) {
        m_messages.information(m_captions.msgTestAborded);
    }
    prepareAndReset();
    emit Finished();
}

void TLumoVocTest::showSummary()
{
    TestSummary summary;
    summary.wordCount = m_wordCount;
    summary.mistakeCount = m_mistakeCount;
    m_ui.showSummary(summary, m_captions);
}

void TLumoVocTest::WriteLog()
{
    if (m_vocabularyFile.isEmpty() || !QFileInfo(m_vocabularyFile).isFile())
        return;
    try {
        UnitTestLog(m_vocabularyFile).append(m_mistakeCount, UnitTestLog::today());
    } catch (const LumoError &error) {
        ReportError(m_messages, error);
    }
}

bool TLumoVocTest::PlayQuestionSound()
{
    if (!m_ready || m_position < 0 || m_position >= m_queue.size())
        return false;
    bool played = false;
    Guarded(m_messages, [&] { played = playQuestionSound(); });
    return played;
}

bool TLumoVocTest::playQuestionSound()
{
    if (!tableOpen())
        return false;
    const Fields f = fields();
    if (!f.valid())
        return false;
    if (!findEntry(m_position)) {
        m_messages.plain(QStringLiteral("Internal Database Error!"));
        return false;
    }
    if (!m_dataSet->fieldIsNull(f.questionSound)) {
        m_sound.playWave(m_dataSet->blobValue(f.questionSound));
        return true;
    }
    const QString question = m_dataSet->fieldValue(f.question).toString();
    if (!speaks(question))
        return false;
    m_sound.playWave(SpeechVoices::speak(question, questionLanguageIndex()));
    return true;
}

bool TLumoVocTest::speaks(const QString &question) const
{
    return m_speakMissing && !SpeechVoices::spokenText(question).isEmpty();
}

void TLumoVocTest::readDescriptor()
{
    if (m_vocabularyFile.isEmpty() || !QFileInfo(m_vocabularyFile).isFile())
        return;
    const UnitDescriptor descriptor(m_vocabularyFile);
    m_firstLanguage = descriptor.firstLanguage();
    m_secondLanguage = descriptor.secondLanguage();
    m_description = descriptor.description();
    m_fontName = descriptor.font();
    m_firstLanguageName = ShownLanguageName(m_languageFile, m_firstLanguage);
    m_secondLanguageName = ShownLanguageName(m_languageFile, m_secondLanguage);
}
