#pragma once

#include "cli/lumotool.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <memory>

// What a run of the tool in process gave: its exit code and both outputs.
struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

inline Outcome runTool(const QStringList &arguments, bool terminal = false)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.code = LumoTool(out, err, terminal).run(arguments);
    return outcome;
}

using Pairs = QList<QPair<QString, QString>>;

// (foreign, native) in the order of entry.
inline Pairs tablePairs(const QString &tablePath)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(tablePath);
    table.open();
    Pairs pairs;
    for (table.first(); !table.eof(); table.next())
        pairs.append({table.fieldValue(TLumoTable::ForeignLanguage).toString(),
                      table.fieldValue(TLumoTable::NativeLanguage).toString()});
    return pairs;
}

inline QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// A folder of the test's own with units of three animals, and the built program.
class LumoToolFixture
{
protected:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;

    // A unit with entries (native, foreign, sound?, mistakes) and a test log of two tests.
    QString makeUnit(const QString &name)
    {
        const QString descriptor = folder->filePath(name + QStringLiteral(".lif"));
        UnitDescriptor(descriptor).write(2, 6, QStringLiteral("Animals; lesson 1"), QStringLiteral("Arial"));
        UnitTestLog log(descriptor);
        log.append(3, QStringLiteral("01.12.2026"));
        log.append(1, QStringLiteral("02.12.2026"));
        TLumoTable table(messages);
        table.setVocabularyFile(folder->filePath(name + QStringLiteral(".db")));
        table.open();
        const QByteArray sound("RIFF....WAVEfmt ");
        table.appendRecord({QVariant(), "dog", "Hund", 1, sound, sound, 2});
        table.appendRecord({QVariant(), "cat", "Katze", 1, QVariant(), sound, 0});
        table.appendRecord({QVariant(), "bird", "Vogel", 1, QVariant(), QVariant(), 5});
        table.close();
        return descriptor;
    }

    static QString toolProgram()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../program/lumo-tool");
    }

    void setUpFixture()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
    }
    void tearDownFixture() { folder.reset(); }
};
