#pragma once

#include <QString>

// The locale codes of word list files against our vocabulary languages. A full code ("de_CH",
// "en-GB") is matched first, then its language part alone ("de", "en"), which picks the
// language's main country; a code matching nothing, or none, is "Other".
class LanguageCodes
{
public:
    // The language number for a locale code; 0 ("Other") when nothing matches.
    static int languageOf(const QString &code);
    // The code written for a language number; empty for "Other" and unknown numbers.
    static QString codeOf(int language);
};
