// Kills a child process with SIGKILL at random moments while it changes a unit, a descriptor
// or the settings, then reopens everything as the next start of the program would. Nothing
// whose write had returned may be missing, and nothing may be read back half-written.
#include "logbook/logbookstore.h"
#include "logbook/mistakessaver.h"
#include "platform/ini/regfile.h"
#include "platform/ini/settingslist.h"
#include "platform/lumoerror.h"
#include "support/killedchild.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitconverter.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

namespace {
constexpr int SettingsCount = 24;
constexpr int ConvertedPairs = 400;

int killsPerOperation()
{
    const int wanted = qEnvironmentVariableIntValue("LUMO_CRASH_KILLS");
    return wanted > 0 ? wanted : 200;
}

// For work that ends by itself: a third of the kills fall after its end, so both a finished
// and an interrupted run are seen whatever the machine's speed that moment.
int afterTheEnd(int span)
{
    return span + span / 2;
}

QString wordFor(int number)
{
    return QStringLiteral("word %1").arg(number);
}

// Every native text of the table, which must open as the program would open it.
QStringList nativeWords(const QString &tablePath)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    QStringList words;
    for (table.first(); !table.eof(); table.next())
        words.append(table.fieldValue(TLumoTable::NativeLanguage).toString());
    return words;
}

void fillTable(const QString &tablePath, int count)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    table.startTransaction();
    for (int i = 0; i < count; ++i)
        table.appendRecord({QVariant(), wordFor(i), QStringLiteral("foreign %1").arg(i), 0, QVariant(),
                            QByteArray(300, char(i)), i % 3});
    table.commit();
}

// Posts one entry after the other, as typing into the grid does, and reports each number
// once its post has returned.
void postForever(const QString &tablePath, KilledChild::Reporter &report)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    for (int number = table.recordCount();; ++number) {
        table.append();
        table.setFieldValue(TLumoTable::NativeLanguage, wordFor(number));
        table.setFieldValue(TLumoTable::ForeignLanguage, QStringLiteral("foreign"));
        table.post();
        report.progress(number);
    }
}

SettingsList numberedSettings(int &value)
{
    SettingsList list;
    for (int i = 0; i < SettingsCount; ++i)
        list.addInteger(
            QStringLiteral("Setting%1").arg(i), -1, {i, SettingsCount - i}, [&value] { return value; },
            [](int) {});
    return list;
}

// The generation every setting holds; -1 when none was written yet. Settings of different
// generations mean a half-written store.
int settingsGeneration(const QString &hivePath)
{
    TRegFile registry(hivePath);
    registry.setKey(QStringLiteral("Software\\Lumo"));
    QSet<int> seen;
    for (int i = 0; i < SettingsCount; ++i)
        seen.insert(registry.ReadValueDefault(QStringLiteral("Setting%1").arg(i), -1).toInt());
    if (seen.size() != 1)
        throw LumoError(QStringLiteral("settings of %1 generations").arg(seen.size()));
    return *seen.begin();
}

void writeDescriptorGeneration(const QString &path, int generation)
{
    UnitDescriptor(path).write(generation % 19, (generation + 1) % 19,
                               QStringLiteral("Lesson %1").arg(generation),
                               QStringLiteral("Font %1").arg(generation));
}

// The generation the descriptor holds; its keys must all belong to the same one.
int descriptorGeneration(const QString &path)
{
    const UnitDescriptor descriptor(path);
    const QString description = descriptor.description();
    if (!description.startsWith(QStringLiteral("Lesson ")))
        throw LumoError(QStringLiteral("description lost: ") + description);
    const int generation = description.mid(7).toInt();
    if (descriptor.font() != QStringLiteral("Font %1").arg(generation) ||
        descriptor.firstLanguage() != generation % 19 ||
        descriptor.secondLanguage() != (generation + 1) % 19 || !descriptor.isVocabularyUnit())
        throw LumoError(QStringLiteral("descriptor keys of different generations"));
    return generation;
}

constexpr int LogbookEntries = 300;

// A unit whose every entry was missed (1 to 3 times) in five logged tests.
void makeLoggedUnit(const QString &folder)
{
    const QString descriptor = folder + QStringLiteral("Unit.lif");
    QFile::remove(descriptor);
    QFile::remove(folder + QStringLiteral("Unit.db"));
    UnitDescriptor(descriptor).write(2, 6, QStringLiteral("Lesson"), QStringLiteral("Arial"));
    UnitTestLog log(descriptor);
    for (int test = 0; test < 5; ++test)
        log.append(test + 1, QStringLiteral("01.12.26"));
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(folder + QStringLiteral("Unit.db"));
    table.open();
    table.startTransaction();
    for (int i = 0; i < LogbookEntries; ++i)
        table.appendRecord({QVariant(), wordFor(i), QStringLiteral("foreign %1").arg(i), 0, QVariant(),
                            QByteArray(200, char(i)), 1 + i % 3});
    table.commit();
}

// The sum of the entries' mistakes; the table must open.
int mistakesSum(const QString &tablePath)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    int sum = 0;
    for (table.first(); !table.eof(); table.next())
        sum += table.fieldValue(TLumoTable::Mistakes).toInt();
    return sum;
}

QByteArray oldUnit(int pairs)
{
    QByteArray bytes("french\r\nBasics\r\nLesson 1\r\n");
    for (int i = 0; i < pairs; ++i)
        bytes += QStringLiteral("mot %1\r\nword %1\r\n").arg(i).toUtf8();
    return bytes;
}
} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void postedEntriesSurvive();
    void packingKeepsEveryEntry();
    void conversionLeavesAWholeUnitOrNone();
    void descriptorIsOldOrNew();
    void settingsAreOldOrNew();
    void resetLogLeavesOldOrEmptyLogbook();
    void savedMistakesAreAWholeUnitOrNone();
    void fullDiskIsReportedAndLosesNothing();
    void fullDiskKeepsDescriptorAndSettings();
    void secondProgramCannotOpenAUnitInUse();

private:
    // Writes generation after generation in a child killed at random moments: what reads
    // back must be whole and no older than the last write that returned.
    void generationsSurviveKills(const std::function<void(int)> &write, const std::function<int()> &readBack);

    KilledChild child;
};

void TestCrashSafety::postedEntriesSurvive()
{
    TestFolder folder;
    const QString tablePath = folder.filePath(QStringLiteral("Unit.db"));
    fillTable(tablePath, 0);
    const KilledChild::Work posting = [&](KilledChild::Reporter &report) { postForever(tablePath, report); };
    const int span = child.millisecondsTo(posting, 4);
    QSet<int> posted;
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        const KilledChild::Outcome outcome = child.killDuring(posting, span);
        for (int number : outcome.progress)
            posted.insert(number);
        const QStringList words = nativeWords(tablePath);
        for (int number : outcome.progress)
            QVERIFY2(words.contains(wordFor(number)),
                     qPrintable(wordFor(number) + QStringLiteral(" was lost")));
        QVERIFY2(words.size() >= posted.size(), "fewer entries than posts returned");
    }
    // The kills fell while entries were being posted, not before the first one.
    QVERIFY2(posted.size() > killsPerOperation() / 2, qPrintable(QString::number(posted.size())));
}

void TestCrashSafety::packingKeepsEveryEntry()
{
    TestFolder folder;
    const QString tablePath = folder.filePath(QStringLiteral("Unit.db"));
    fillTable(tablePath, 1500);
    const QStringList before = nativeWords(tablePath);
    const KilledChild::Work packing = [&](KilledChild::Reporter &report) {
        ScriptedMessageService messages;
        TLumoTable table(messages);
        table.setVocabularyFile(tablePath);
        for (int round = 0;; ++round) {
            if (!table.Pack())
                throw LumoError(QStringLiteral("packing failed"));
            report.progress(round);
        }
    };
    const int span = child.millisecondsTo(packing, 2);
    int packs = 0;
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        const KilledChild::Outcome outcome = child.killDuring(packing, span);
        packs += outcome.progress.size();
        QCOMPARE(nativeWords(tablePath), before);
    }
    QVERIFY2(packs > 0, "no pack ever finished before a kill");
}

void TestCrashSafety::conversionLeavesAWholeUnitOrNone()
{
    TestFolder folder;
    const QString oldFile = folder.writeFile(QStringLiteral("old/French.vok"), oldUnit(ConvertedPairs));
    QString target;
    const KilledChild::Work converting = [&](KilledChild::Reporter &report) {
        ScriptedMessageService messages;
        TLumoTable table(messages);
        UnitConverter(table).convert(oldFile, target);
        report.progress(1);
    };
    target = folder.filePath(QStringLiteral("measured/"));
    QVERIFY(QDir().mkpath(target));
    const int span = child.millisecondsTo(converting, 1);
    int whole = 0;
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        target = folder.filePath(QStringLiteral("converted%1/").arg(kill));
        QVERIFY(QDir().mkpath(target));
        const KilledChild::Outcome outcome = child.killDuring(converting, afterTheEnd(span));
        const QString descriptor = target + QStringLiteral("French.lif");
        const QString tablePath = target + QStringLiteral("French.db");
        if (QFile::exists(descriptor)) {
            const UnitDescriptor keys(descriptor);
            QCOMPARE(keys.description(), QStringLiteral("Basics; Lesson 1"));
            QCOMPARE(keys.font(), QStringLiteral("MS Sans Serif"));
        }
        if (QFile::exists(tablePath)) {
            const qsizetype entries = nativeWords(tablePath).size();
            QVERIFY2(entries == 0 || entries == ConvertedPairs, qPrintable(QString::number(entries)));
            whole += entries == ConvertedPairs ? 1 : 0;
        }
        if (!outcome.progress.isEmpty())
            QCOMPARE(nativeWords(tablePath).size(), ConvertedPairs);
    }
    QVERIFY2(whole > 0 && whole < killsPerOperation(), qPrintable(QString::number(whole)));
}

void TestCrashSafety::descriptorIsOldOrNew()
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("Unit.lif"));
    generationsSurviveKills([&](int generation) { writeDescriptorGeneration(path, generation); },
                            [&] { return descriptorGeneration(path); });
}

void TestCrashSafety::settingsAreOldOrNew()
{
    TestFolder folder;
    const QString hivePath = folder.filePath(QStringLiteral("registry.db"));
    generationsSurviveKills(
        [&](int generation) {
            TRegFile registry(hivePath);
            registry.setKey(QStringLiteral("Software\\Lumo"));
            int value = generation;
            numberedSettings(value).writeAll(registry);
        },
        [&] { return settingsGeneration(hivePath); });
}

void TestCrashSafety::generationsSurviveKills(const std::function<void(int)> &write,
                                              const std::function<int()> &readBack)
{
    int lastReturned = 0;
    const KilledChild::Work writing = [&](KilledChild::Reporter &report) {
        for (int generation = lastReturned + 1;; ++generation) {
            write(generation);
            report.progress(generation);
        }
    };
    const int span = child.millisecondsTo(writing, 3);
    write(0);
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        const KilledChild::Outcome outcome = child.killDuring(writing, span);
        if (!outcome.progress.isEmpty())
            lastReturned = outcome.progress.last();
        int generation = -1;
        try {
            generation = readBack();
        } catch (const LumoError &error) {
            QFAIL(qPrintable(error.message()));
        }
        QVERIFY2(generation >= lastReturned, "a returned write was lost");
        QVERIFY(generation <= lastReturned + 1);
        lastReturned = generation;
    }
    QVERIFY2(lastReturned > 0, "no write ever returned before a kill");
}

void TestCrashSafety::resetLogLeavesOldOrEmptyLogbook()
{
    TestFolder folder;
    const QString descriptor = folder.filePath(QStringLiteral("Unit.lif"));
    const QString tablePath = folder.filePath(QStringLiteral("Unit.db"));
    makeLoggedUnit(folder.path());
    const int before = mistakesSum(tablePath);
    const KilledChild::Work resetting = [&](KilledChild::Reporter &report) {
        ScriptedMessageService messages;
        TLumoTable table(messages);
        table.setVocabularyFile(tablePath);
        table.open();
        LogbookStore::resetLog(table, descriptor);
        report.progress(1);
    };
    const int span = child.millisecondsTo(resetting, 1);
    int resets = 0;
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        makeLoggedUnit(folder.path());
        const KilledChild::Outcome outcome = child.killDuring(resetting, afterTheEnd(span));
        const int sum = mistakesSum(tablePath);
        QVERIFY2(sum == before || sum == 0, qPrintable(QStringLiteral("half-reset mistakes: %1").arg(sum)));
        const UnitTestLog log(descriptor);
        const QList<int> results = log.results(10);
        QVERIFY2((log.testCount() == 5 && results.size() == 5) || (log.testCount() == 0 && results.isEmpty()),
                 "half-reset test log");
        const UnitDescriptor keys(descriptor);
        QCOMPARE(keys.description(), QStringLiteral("Lesson"));
        QCOMPARE(keys.font(), QStringLiteral("Arial"));
        QCOMPARE(keys.secondLanguage(), 6);
        if (!outcome.progress.isEmpty()) {
            QCOMPARE(sum, 0);
            QCOMPARE(log.testCount(), 0);
            ++resets;
        }
    }
    QVERIFY2(resets > 0 && resets < killsPerOperation(), qPrintable(QString::number(resets)));
}

void TestCrashSafety::savedMistakesAreAWholeUnitOrNone()
{
    TestFolder folder;
    makeLoggedUnit(folder.path());
    const QString source = folder.filePath(QStringLiteral("Unit.db"));
    const QString saved = folder.filePath(QStringLiteral("Hard.db"));
    const QString savedDescriptor = folder.filePath(QStringLiteral("Hard.lif"));
    const KilledChild::Work saving = [&](KilledChild::Reporter &report) {
        ScriptedMessageService messages;
        TLumoTable table(messages);
        table.setVocabularyFile(source);
        table.setFilterCondition(LogbookStore::mistakesCondition());
        table.setFiltered(true);
        table.open();
        MistakesSaver::Source from;
        from.table = &table;
        from.descriptorPath = folder.filePath(QStringLiteral("Unit.lif"));
        from.folder = folder.path();
        from.firstLanguage = 2;
        from.secondLanguage = 6;
        from.fontName = QStringLiteral("Arial");
        MistakesSaver::Choice choice;
        choice.name = QStringLiteral("Hard");
        choice.withSounds = true;
        if (MistakesSaver(from, messages).save(choice) == MistakesSaver::Outcome::Closed)
            report.progress(1);
    };
    const int span = child.millisecondsTo(saving, 1);
    const int before = mistakesSum(source);
    int whole = 0;
    for (int kill = 0; kill < killsPerOperation(); ++kill) {
        QFile::remove(saved);
        QFile::remove(savedDescriptor);
        const KilledChild::Outcome outcome = child.killDuring(saving, afterTheEnd(span));
        QCOMPARE(mistakesSum(source), before);
        if (QFile::exists(savedDescriptor))
            QCOMPARE(UnitDescriptor(savedDescriptor).font(), QStringLiteral("Arial"));
        const qsizetype entries = QFile::exists(saved) ? nativeWords(saved).size() : 0;
        QVERIFY2(entries == 0 || entries == LogbookEntries, qPrintable(QString::number(entries)));
        if (!outcome.progress.isEmpty()) {
            QCOMPARE(entries, LogbookEntries);
            QCOMPARE(mistakesSum(saved), 0);
        }
        whole += entries == LogbookEntries ? 1 : 0;
    }
    QVERIFY2(whole > 0 && whole < killsPerOperation(), qPrintable(QString::number(whole)));
}

void TestCrashSafety::fullDiskIsReportedAndLosesNothing()
{
    TestFolder folder;
    const QString tablePath = folder.filePath(QStringLiteral("Unit.db"));
    fillTable(tablePath, 200);
    const QStringList before = nativeWords(tablePath);
    // The table may grow by a few pages only; then every write fails as on a full disk.
    const KilledChild::Outcome outcome =
        child.runWithFileSizeLimit([&](KilledChild::Reporter &report) { postForever(tablePath, report); },
                                   QFileInfo(tablePath).size() + 16 * 1024);
    QVERIFY2(outcome.error.contains(tablePath) || outcome.error.contains(QStringLiteral("Unit.db")),
             qPrintable(QStringLiteral("unclear error: ") + outcome.error));
    QVERIFY2(!outcome.progress.isEmpty(), "the limit left no room for a single post");
    const QStringList after = nativeWords(tablePath);
    for (const QString &word : before)
        QVERIFY(after.contains(word));
    for (int number : outcome.progress)
        QVERIFY(after.contains(wordFor(number)));
}

void TestCrashSafety::fullDiskKeepsDescriptorAndSettings()
{
    TestFolder folder;
    const QString descriptor = folder.filePath(QStringLiteral("Unit.lif"));
    writeDescriptorGeneration(descriptor, 7);
    const KilledChild::Outcome written = child.runWithFileSizeLimit(
        [&](KilledChild::Reporter &report) {
            UnitDescriptor(descriptor).write(1, 2, QString(4000, QLatin1Char('x')), QStringLiteral("Arial"));
            report.progress(1);
        },
        1024);
    QVERIFY2(written.error.startsWith(QStringLiteral("Unable to write to ")), qPrintable(written.error));
    QCOMPARE(descriptorGeneration(descriptor), 7);

    const QString hivePath = folder.filePath(QStringLiteral("registry.db"));
    int value = 3;
    {
        TRegFile registry(hivePath);
        registry.setKey(QStringLiteral("Software\\Lumo"));
        numberedSettings(value).writeAll(registry);
    }
    const qint64 hiveSize = QFileInfo(hivePath).size();
    const KilledChild::Outcome settings = child.runWithFileSizeLimit(
        [&](KilledChild::Reporter &) {
            TRegFile registry(hivePath);
            registry.setKey(QStringLiteral("Software\\Lumo"));
            TRegFile::Batch batch(registry);
            registry.WriteValue(QStringLiteral("Setting0"), 4);
            registry.WriteValue(QStringLiteral("Filler"), QString(64 * 1024, QLatin1Char('f')));
            batch.end();
        },
        hiveSize + 4096);
    QVERIFY2(!settings.error.isEmpty(), "the full store was not reported");
    QCOMPARE(settingsGeneration(hivePath), 3);
}

void TestCrashSafety::secondProgramCannotOpenAUnitInUse()
{
    TestFolder folder;
    const QString tablePath = folder.filePath(QStringLiteral("Unit.db"));
    fillTable(tablePath, 20);
    QFile file(tablePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    KilledChild::Holder holder([&] {
        static ScriptedMessageService messages;
        static TLumoTable table(messages);
        table.setExclusive(true);
        table.setVocabularyFile(tablePath);
        table.open();
    });
    QVERIFY2(holder.ready(), "the first program could not open the unit");
    ScriptedMessageService messages;
    TLumoTable second(messages);
    second.setExclusive(true);
    second.setVocabularyFile(tablePath);
    try {
        second.open();
        QFAIL("the unit opened twice");
    } catch (const LumoError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("The table ") + tablePath + QStringLiteral(" is in use by another program."));
    }
    holder.release();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
