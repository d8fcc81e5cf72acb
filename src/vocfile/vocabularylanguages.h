#pragma once

#include <QLocale>
#include <QString>

// The vocabulary languages a unit names by number ("FirstLanguage", "SecondLanguage"). The
// numbering is fixed: descriptors store it, and it also picks the language's flag picture.
enum TVocabularyLanguage {
    vlOther = 0,
    vlAmericanEnglish,
    vlBritishEnglish,
    vlAustralianEnglish,
    vlFrench,
    vlBelgian,
    vlGerman,
    vlSwiss,
    vlAustrian,
    vlItalian,
    vlSpanish,
    vlGreek,
    vlDutch,
    vlTurkish,
    vlBrazilian,
    vlDanish,
    vlFinnish,
    vlNorwegian,
    vlSwedish
};

constexpr int LanguageCount = 19;

// True for the numbers 0 to 18; other numbers only come from files.
constexpr bool IsLanguageNumber(int number)
{
    return number >= 0 && number < LanguageCount;
}

// The built-in English name, "unkown" for a number outside 0..18.
QString LanguageEnglishName(int number);

// The name the UI language file gives under "general"/"Language" + number, with the English
// name as default.
QString LanguageName(const QString &languageFile, int number);

// The same where a unit's languages are only shown (lists, grids, tests, prints): "unkown"
// when the file lacks the name.
QString ShownLanguageName(const QString &languageFile, int number);

// The case rules for finding a word of the language without regard to case: Turkish pairs
// I with ı and İ with i; every other language pairs I with i.
QLocale LanguageCaseRules(int number);
