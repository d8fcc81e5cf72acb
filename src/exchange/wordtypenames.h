#pragma once

#include <QString>

// The word types by their English names, as word lists write them. Number 0 is "none" in the
// grid and "other" in the test settings; both are understood.
class WordTypeNames
{
public:
    static constexpr int Count = 11;

    // "none", "noun", ... "exclamation"; empty for a number outside 0 to 10.
    static QString name(int type);
    // A number 0 to 10 or an English name (any case, "other" for 0, a KVTML subtype such as
    // "noun/male" by its main type); -1 when the text names no type. An empty text is 0.
    static int parse(const QString &text);
};
