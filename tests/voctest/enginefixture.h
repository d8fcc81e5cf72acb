#pragma once

// A unit on disk, a test variant and a test engine driven the way the test page drives it,
// with windows and sound recorded instead of shown.

#include "platform/ini/inifile.h"
#include "platform/sound/waveplayer.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/voctestui.h"

#include <QSignalSpy>
#include <QTest>

struct Entry
{
    QString native;
    QString foreign;
    QVariant type = 1;
    QByteArray nativeSound = {};
    QByteArray foreignSound = {};
    QVariant mistakes = {};
};

class RecordingUi : public VocTestUi
{
public:
    QList<MistakeReport> reports;
    QList<TestSummary> summaries;
    QList<VocTestCaptions> captions;

    void showMistakeReport(const MistakeReport &report, const VocTestCaptions &c) override
    {
        reports.append(report);
        captions.append(c);
    }
    void showSummary(const TestSummary &summary, const VocTestCaptions &c) override
    {
        summaries.append(summary);
        captions.append(c);
    }
};

class RecordingPlayer : public WavePlayer
{
public:
    QList<QByteArray> played;
    QString failure;

    void playWave(const QByteArray &image) override
    {
        if (!failure.isEmpty())
            throw LumoError(failure);
        played.append(image);
    }
};

inline QString variantText(const QString &testType, const QString &more = QString())
{
    return QStringLiteral("[settings]\nDescription=Variant\nTestType=") + testType + u'\n' + more;
}

class EngineFixture
{
public:
    // The unit's native language is 6, its foreign language 1.
    explicit EngineFixture(const QList<Entry> &entries, const QString &variant = variantText("standard"),
                           TTestOrder order = TLumoVocTest::toForward)
    {
        descriptor =
            folder.writeText(QStringLiteral("Vocabulary/unit.lif"),
                             QStringLiteral("[general]\nFileType=vokfile\nFirstLanguage=6\n"
                                            "SecondLanguage=1\nDescription=Verbs\nFont=Courier New\n"));
        table.setVocabularyFile(folder.filePath(QStringLiteral("Vocabulary/unit.db")));
        table.open();
        for (const Entry &e : entries)
            table.appendRecord({QVariant(), e.native, e.foreign, e.type,
                                e.nativeSound.isEmpty() ? QVariant() : QVariant(e.nativeSound),
                                e.foreignSound.isEmpty() ? QVariant() : QVariant(e.foreignSound),
                                e.mistakes});
        variantFile = folder.writeText(QStringLiteral("test.ltf"), variant);

        engine.setObjectName(QStringLiteral("LumoVocTest1"));
        engine.setOrder(order);
        engine.setDataSet(&table);
        engine.setTestFile(variantFile);
        engine.setVocabularyFile(descriptor);
        engine.Reload();
    }

    // Answers the current question and moves on, as the Start/Next button does.
    bool answer(const QString &given)
    {
        engine.setGiven(given);
        const bool right = engine.CheckAnswer();
        engine.NextQuestion();
        return right;
    }

    // The native words in the order they are asked while every answer is right.
    QStringList askAllRight()
    {
        QStringList asked;
        QSignalSpy finished(&engine, &TLumoVocTest::Finished);
        for (int guard = 0; finished.isEmpty() && guard < 1000; ++guard) {
            asked.append(engine.question());
            answer(engine.answer());
        }
        return asked;
    }

    QVariant mistakesOf(qint64 key)
    {
        return table.findKey(key) ? table.fieldValue(TLumoTable::Mistakes)
                                  : QVariant(QStringLiteral("no entry"));
    }

    QString logValue(const QString &key) const
    {
        return IniFile(descriptor).readString(QStringLiteral("general"), key, QStringLiteral("<none>"));
    }

    TestFolder folder;
    ScriptedMessageService messages;
    RecordingUi ui;
    RecordingPlayer player;
    TLumoTable table{messages};
    TLumoVocTest engine{messages, ui, player};
    QString descriptor;
    QString variantFile;
};

// Entries "A" to "E" (and on) meaning "a" to "e", all of word type 1.
inline QList<Entry> letters(int count)
{
    QList<Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.append({QString(QChar(u'A' + i)), QString(QChar(u'a' + i))});
    return entries;
}
