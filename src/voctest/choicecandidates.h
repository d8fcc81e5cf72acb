#pragma once

#include <QList>
#include <QMap>
#include <QStringList>

// The meanings the records of a table can offer as options of a multiple-choice question,
// sorted by word type. Built once per test queue: only the number of meanings of each record
// is counted here, and a question cuts up just the few records it draws.
class ChoiceCandidates
{
public:
    // One record: its answer-column text and word type.
    void addRecord(const QString &text, int type);
    void clear();

    // The number of records of this type whose whole text is exactly `text`.
    qsizetype recordsWithText(int type, const QString &text) const;

    // The meanings of all records of one type, one per record and meaning, by index.
    qsizetype typeCount(int type) const;
    QString typeAt(int type, qsizetype index) const;
    // The whole text of the record the meaning at that index belongs to.
    const QString &recordTextAt(int type, qsizetype index) const;

    // The meanings of the records of every other type, by index.
    qsizetype otherTypeCount(int type) const;
    QString otherTypeAt(int type, qsizetype index) const;

    // A record's meanings as options: cut at ";", trimmed, empty ones left out.
    static qsizetype countMeanings(QStringView text);
    static QString meaningAt(const QString &text, qsizetype index);

private:
    // The records of one word type in table order.
    struct TypeRecords
    {
        QList<QString> texts;
        QList<qsizetype> ends; // meanings of this record and all before it
        qsizetype size() const { return ends.isEmpty() ? 0 : ends.last(); }
        qsizetype recordOf(qsizetype index) const;
        qsizetype startOf(qsizetype record) const { return record == 0 ? 0 : ends.at(record - 1); }
    };

    const TypeRecords *records(int type) const;

    QMap<int, TypeRecords> m_types;
    qsizetype m_size = 0;
};
