#include "vocfile/vocabularylanguages.h"

#include "uilang/translate.h"

#include <array>

namespace {
constexpr std::array<const char *, LanguageCount> EnglishNames = {
    "Other",    "American English", "British English", "Australian English",
    "French",   "Belgian",          "German",          "Swiss",
    "Austrian", "Italian",          "Spanish",         "Greek",
    "Dutch",    "Turkish",          "Brazilian",       "Danish",
    "Finnish",  "Norwegian",        "Swedish"};
} // namespace

QString LanguageEnglishName(int number)
{
    if (!IsLanguageNumber(number))
        return QStringLiteral("unkown");
    return QString::fromLatin1(EnglishNames[number]);
}

QString LanguageName(const QString &languageFile, int number)
{
    return Translate(languageFile, QStringLiteral("general"),
                     QStringLiteral("Language") + QString::number(number), LanguageEnglishName(number));
}

QString ShownLanguageName(const QString &languageFile, int number)
{
    return Translate(languageFile, QStringLiteral("general"),
                     QStringLiteral("Language") + QString::number(number), QStringLiteral("unkown"));
}

QLocale LanguageCaseRules(int number)
{
    return number == vlTurkish ? QLocale(QLocale::Turkish, QLocale::Turkey) : QLocale::c();
}
