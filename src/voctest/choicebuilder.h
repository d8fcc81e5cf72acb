#pragma once

#include <QRandomGenerator>
#include <QStringList>

class ChoiceCandidates;

// The five options of a multiple-choice question: the meanings of the right answer and
// meanings of other entries, preferring entries of the same word type.
class ChoiceBuilder
{
public:
    static constexpr int ChoiceCount = 5;

    // The options for the answer of a record of this type, in random order, at most five and
    // never empty; the right meanings come first in line, so they are always among them.
    static QStringList options(const ChoiceCandidates &candidates, const QString &answer, int type,
                               QRandomGenerator &generator);

    // Cuts at every ";" and trims each piece; an empty last piece is dropped.
    static QStringList pieces(const QString &text);
};
