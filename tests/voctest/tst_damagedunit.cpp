// A unit whose table file has one damaged page: opening it, walking it, a whole test over it
// with every sound played, and packing it end in a message where something fails, never in a
// crash or an exception, and a file that could not be opened is left as it was.

#include "platform/sound/wavefile.h"
#include "voctest/enginefixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtEndian>

namespace {
constexpr int PageSize = 4096;
constexpr int EntryCount = 240;
// Every few questions are first answered wrongly, which writes the entry's mistake count.
constexpr int WrongEvery = 16;

QByteArray silentWave(int samples, quint8 level)
{
    const auto u32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const auto u16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const QByteArray format = u16(1) + u16(1) + u32(8000) + u32(8000) + u16(1) + u16(8);
    QByteArray body = "WAVE" + QByteArray("fmt ") + u32(16) + format + QByteArray("data") +
                      u32(quint32(samples)) + QByteArray(samples, char(level));
    if (samples % 2)
        body += '\0';
    return "RIFF" + u32(quint32(body.size())) + body;
}

// Checks every image as the sound device would, without a sound device.
class SilentPlayer : public WavePlayer
{
public:
    int played = 0;
    void playWave(const QByteArray &image) override
    {
        WaveFile::fromBytes(image);
        ++played;
    }
};

enum class Pattern { Zeros, Ones, Garbage, GarbageKeepingHeader };

QByteArray damaged(const QByteArray &pristine, int page, Pattern pattern, quint32 seed)
{
    QByteArray bytes = pristine;
    char *at = bytes.data() + qsizetype(page) * PageSize;
    const int length = int(qMin<qsizetype>(PageSize, bytes.size() - qsizetype(page) * PageSize));
    QRandomGenerator generator(seed);
    // A b-tree page keeps its first bytes, so the damage lies in the cells it points to.
    const int from = pattern == Pattern::GarbageKeepingHeader ? qMin(length, 12) : 0;
    for (int i = from; i < length; ++i) {
        switch (pattern) {
        case Pattern::Zeros: at[i] = 0; break;
        case Pattern::Ones: at[i] = char(0xFF); break;
        default: at[i] = char(generator.bounded(256)); break;
        }
    }
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool anyError(const ScriptedMessageService &messages, qsizetype from = 0)
{
    for (qsizetype i = from; i < messages.shown().size(); ++i)
        if (messages.shown().at(i).kind == MessageService::Kind::Error &&
            !messages.shown().at(i).text.isEmpty())
            return true;
    return false;
}

struct Tally
{
    int copies = 0;
    int openFailed = 0;
    int errorsAfterOpening = 0;
    int clean = 0;
    int packed = 0;
    int soundsPlayed = 0;
};
} // namespace

class TestDamagedUnit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pristineUnitRunsClean();
    void everyDamagedPageEndsInAMessage();

private:
    // One run over the file as it stands; returns what went wrong, or nothing.
    QString run(const QByteArray &bytes, int variant, Tally &tally);
    static QString walk(TLumoTable &table);
    QString wholeTest(TLumoVocTest &engine, ScriptedMessageService &messages, SilentPlayer &player);

    TestFolder m_folder;
    QString m_unit;
    QString m_descriptor;
    QStringList m_variants;
    QByteArray m_pristine;
};

void TestDamagedUnit::initTestCase()
{
    m_unit = m_folder.filePath(QStringLiteral("Vocabulary/unit.db"));
    m_descriptor = m_folder.writeText(QStringLiteral("Vocabulary/unit.lif"),
                                      QStringLiteral("[general]\nFirstLanguage=6\nSecondLanguage=1\n"));
    for (const char *type : {"standard", "multichoice", "comprehension"})
        m_variants.append(m_folder.writeText(QStringLiteral("%1.ltf").arg(QLatin1String(type)),
                                             variantText(QString::fromLatin1(type))));
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(m_unit);
    table.open();
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord({QVariant(), QStringLiteral("Wort %1").arg(i),
                            QStringLiteral("word %1; meaning %2").arg(i).arg(i % 7), i % 4,
                            // Every fifth sound is long enough to spill onto pages of its own.
                            silentWave(i % 5 ? 300 + 7 * (i % 50) : 5000 + 40 * i, quint8(i)),
                            i % 3 ? QVariant() : QVariant(silentWave(300, 0x80)), QVariant()});
    table.commit();
    table.close();
    m_pristine = readAll(m_unit);
    QVERIFY(messages.shown().isEmpty());
    QCOMPARE(m_pristine.size() % PageSize, 0);
    QVERIFY2(m_pristine.size() / PageSize >= 40, qPrintable(QString::number(m_pristine.size())));
}

void TestDamagedUnit::pristineUnitRunsClean()
{
    // The same runs over the undamaged file: every sound plays and nothing is reported, so a
    // message for a damaged copy comes from the damage.
    for (int variant = 0; variant < m_variants.size(); ++variant) {
        Tally tally;
        const QString failure = run(m_pristine, variant, tally);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(tally.clean, 1);
        QCOMPARE(tally.packed, 1);
        QVERIFY(tally.soundsPlayed >= EntryCount);
    }
}

void TestDamagedUnit::everyDamagedPageEndsInAMessage()
{
    const int pages = int(m_pristine.size() / PageSize);
    // Zeros and ones on every page and garbage of different seeds: some two thousand copies.
    constexpr int GarbagePerPage = 10;
    Tally tally;
    int copy = 0;
    for (int page = 0; page < pages; ++page) {
        QList<std::pair<Pattern, quint32>> patterns{{Pattern::Zeros, 0}, {Pattern::Ones, 0}};
        for (quint32 seed = 1; seed <= GarbagePerPage; ++seed)
            patterns.append(
                {seed % 2 ? Pattern::Garbage : Pattern::GarbageKeepingHeader, seed * 7919u + page});
        for (const auto &[pattern, seed] : patterns) {
            const QString failure = run(damaged(m_pristine, page, pattern, seed), copy % 3, tally);
            QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("page %1, pattern %2, seed %3: %4")
                                                       .arg(page)
                                                       .arg(int(pattern))
                                                       .arg(seed)
                                                       .arg(failure)));
            ++copy;
        }
    }
    qInfo("%d copies: %d not opened, %d with errors after opening, %d clean, %d packed", tally.copies,
          tally.openFailed, tally.errorsAfterOpening, tally.clean, tally.packed);
    QVERIFY(tally.copies >= 2000);
    // The damage reached every kind of outcome, so each check above was put to work.
    QVERIFY(tally.openFailed > 0);
    QVERIFY(tally.errorsAfterOpening > 0);
    QVERIFY(tally.clean > 0);
}

QString TestDamagedUnit::run(const QByteArray &bytes, int variant, Tally &tally)
{
    ++tally.copies;
    QFile::remove(m_unit + QStringLiteral("-journal"));
    m_folder.writeFile(QStringLiteral("Vocabulary/unit.db"), bytes);

    ScriptedMessageService messages;
    RecordingUi ui;
    SilentPlayer player;
    TLumoTable table(messages);
    table.setVocabularyFile(m_unit);
    TLumoVocTest engine(messages, ui, player);
    engine.setOrder(TLumoVocTest::toForward);
    engine.setTestFile(m_variants.at(variant));
    engine.setVocabularyFile(m_descriptor);
    engine.setDataSet(&table); // opens the table

    if (!table.active()) {
        ++tally.openFailed;
        if (!anyError(messages) || !messages.texts().join(u'\n').contains(QStringLiteral("unit.db")))
            return QStringLiteral("a failed open named no file: ") + messages.texts().join(u'|');
        // Nothing can start on a table that is not open, and nothing throws trying.
        engine.setGiven(QStringLiteral("word"));
        if (engine.CheckAnswer() || engine.PlayQuestionSound() || engine.ready())
            return QStringLiteral("the engine ran without a table");
        engine.NextQuestion();
        engine.Finish();
        table.Pack();
        if (readAll(m_unit) != bytes)
            return QStringLiteral("a file that could not be opened was changed");
        return QString();
    }

    QString failure = walk(table);
    if (failure.isEmpty())
        failure = wholeTest(engine, messages, player);
    if (!failure.isEmpty())
        return failure;
    tally.soundsPlayed += player.played;
    table.close();
    const QByteArray beforePack = readAll(m_unit);
    if (table.Pack())
        ++tally.packed;
    else if (readAll(m_unit) != beforePack)
        return QStringLiteral("a failed pack changed the file");
    if (anyError(messages))
        ++tally.errorsAfterOpening;
    else
        ++tally.clean;
    return QString();
}

QString TestDamagedUnit::walk(TLumoTable &table)
{
    // The table reports damage as its own error, with a text for the user; anything else
    // escaping is a fault.
    try {
        for (table.first(); !table.eof(); table.next())
            for (int field = 0; field < TLumoTable::FieldCount; ++field) {
                table.fieldValue(field);
                table.blobValue(field);
            }
    } catch (const LumoError &error) {
        if (error.message().isEmpty())
            return QStringLiteral("an error without a text");
    }
    return QString();
}

QString TestDamagedUnit::wholeTest(TLumoVocTest &engine, ScriptedMessageService &messages,
                                   SilentPlayer &player)
{
    if (!engine.ready())
        return anyError(messages) ? QString() : QStringLiteral("no queue and no message");
    QSignalSpy finished(&engine, &TLumoVocTest::Finished);
    for (int step = 0; finished.isEmpty() && step < 3 * EntryCount; ++step) {
        const qsizetype shown = messages.shown().size();
        const int played = player.played;
        if (engine.questionHasSound() && !engine.PlayQuestionSound() && messages.shown().size() == shown)
            return QStringLiteral("a sound was not played and nothing said why");
        if (player.played > played + 1)
            return QStringLiteral("one question played two sounds");
        // Ticked choices are the answer's meanings; a typed answer is the answer itself.
        engine.setGiven(step % WrongEvery == 0 ? QStringLiteral("wrong") : engine.answer());
        engine.CheckAnswer();
        engine.NextQuestion();
    }
    if (finished.isEmpty())
        engine.Finish(); // stopped, as the Stop button does
    if (finished.size() != 1)
        return QStringLiteral("the test did not end once");
    return QString();
}

int main(int argc, char **argv)
{
    // Thousands of copies are written, synced and packed; a folder in memory keeps that quick
    // where the system offers one.
    if (QFileInfo(QStringLiteral("/dev/shm")).isDir() && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    QCoreApplication app(argc, argv);
    TestDamagedUnit test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_damagedunit.moc"
