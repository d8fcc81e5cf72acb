#include "exchange/languagecodes.h"

#include "vocfile/vocabularylanguages.h"

namespace {
struct Code
{
    const char *code;
    int language;
};

// The first code of a language is the one written; the others are understood too. Belgium
// has two languages, both taken as "Belgian".
const Code Codes[] = {
    {"en_US", vlAmericanEnglish},
    {"en_GB", vlBritishEnglish},
    {"en_AU", vlAustralianEnglish},
    {"fr", vlFrench},
    {"fr_FR", vlFrench},
    {"fr_BE", vlBelgian},
    {"nl_BE", vlBelgian},
    {"de", vlGerman},
    {"de_DE", vlGerman},
    {"de_CH", vlSwiss},
    {"de_AT", vlAustrian},
    {"it", vlItalian},
    {"es", vlSpanish},
    {"el", vlGreek},
    {"nl", vlDutch},
    {"tr", vlTurkish},
    {"pt_BR", vlBrazilian},
    {"da", vlDanish},
    {"fi", vlFinnish},
    {"nb", vlNorwegian},
    {"no", vlNorwegian},
    {"nn", vlNorwegian},
    {"sv", vlSwedish},
};

// A language part alone names the language's main country.
const Code MainCountries[] = {{"en", vlAmericanEnglish}, {"pt", vlBrazilian}};

QString normalised(const QString &code)
{
    QString c = code.trimmed();
    c.replace(u'-', u'_');
    const qsizetype split = c.indexOf(u'_');
    // Language in small letters, country in capitals, as the table spells them.
    return split < 0 ? c.toLower() : c.left(split).toLower() + u'_' + c.mid(split + 1).toUpper();
}

int find(const QString &code)
{
    for (const Code &c : Codes)
        if (code == QLatin1String(c.code))
            return c.language;
    for (const Code &c : MainCountries)
        if (code == QLatin1String(c.code))
            return c.language;
    return -1;
}
} // namespace

int LanguageCodes::languageOf(const QString &code)
{
    const QString full = normalised(code);
    if (full.isEmpty())
        return vlOther;
    const int exact = find(full);
    if (exact >= 0)
        return exact;
    const int byLanguage = find(full.section(u'_', 0, 0));
    return byLanguage >= 0 ? byLanguage : int(vlOther);
}

QString LanguageCodes::codeOf(int language)
{
    for (const Code &c : Codes)
        if (c.language == language)
            return QLatin1String(c.code);
    return QString();
}
