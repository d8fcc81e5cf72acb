#pragma once

#include <QRandomGenerator>
#include <QStringList>

// Collects the five options of a multiple-choice question: the meanings of the right answer
// and meanings of other entries, preferring entries of the same word type.
class ChoiceBuilder
{
public:
    static constexpr int ChoiceCount = 5;

    ChoiceBuilder(QString answer, int type);

    // One record of the table: its answer-column text and word type.
    void addRecord(const QString &text, int type);

    // The options in random order, at most five; the right meanings come first in line, so
    // they are always among them.
    QStringList options(QRandomGenerator &generator);

    // Cuts at every ";" and trims each piece; an empty last piece is dropped.
    static QStringList pieces(const QString &text);

private:
    QString m_answer;
    int m_type;
    QStringList m_correct;
    QStringList m_sameType;
    QStringList m_otherType;
};
