#pragma once

#include <QList>
#include <QString>

class MessageService;
class QTextStream;

// What a unit is: its languages, description and font from the descriptor, its number of
// entries from the table and its test log; written for people or as JSON for scripts.
class UnitInfo
{
public:
    UnitInfo(const QString &descriptor, const QString &table, MessageService &messages);

    void writeText(QTextStream &out) const;
    void writeJson(QTextStream &out) const;

private:
    QString m_descriptor;
    int m_native = 0;
    int m_foreign = 0;
    QString m_description;
    QString m_font;
    int m_entries = 0;
    int m_testCount = 0;
    QString m_lastTestDate;
    QList<int> m_results;
};
