#pragma once

#include "platform/ini/inifile.h"

#include <QList>
#include <QString>

// The test log of a unit, kept in its descriptor beside the unit's own keys: how many tests
// were completed, the mistakes of each, and the date of the last one. Every change is one
// atomic save, so a crash never leaves a count without its result.
class UnitTestLog
{
public:
    explicit UnitTestLog(QString descriptorPath);

    bool exists() const { return m_ini.exists(); }
    int testCount() const;        // "TestCount", default 0
    QString lastTestDate() const; // "LastTestDate", default empty
    // Mistakes of the tests 1, 2, ... as long as their results are there: a missing or
    // negative result ends the list, and so does limit.
    QList<int> results(int limit) const;

    // Logs a completed test: "TestResult<n>" := mistakes, "TestCount" := n, "LastTestDate" :=
    // date, where n is the stored count plus one. Throws IniWriteError and changes nothing
    // when the descriptor cannot be written.
    void append(int mistakes, const QString &date);
    // Empties the log and drops every other key of the unit's section, keeping the unit's
    // own keys (file type, languages, description, font): "TestCount" := 0, "LastTestDate"
    // := empty. Throws IniWriteError and changes nothing when it cannot be written.
    void reset();

    // Today in the system's short date format, as the log writes it.
    static QString today();

private:
    IniFile m_ini;
};
