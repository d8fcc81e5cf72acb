#include "exchange/wordtypenames.h"

namespace {
const char *const Names[WordTypeNames::Count] = {"none",        "noun",        "verb",       "pronoun",
                                                 "adverb",      "adjective",   "article",    "numeral",
                                                 "preposition", "conjunction", "exclamation"};
} // namespace

QString WordTypeNames::name(int type)
{
    return type >= 0 && type < Count ? QString::fromLatin1(Names[type]) : QString();
}

int WordTypeNames::parse(const QString &text)
{
    const QString word = text.trimmed().toLower().section(u'/', 0, 0);
    if (word.isEmpty())
        return 0;
    bool isNumber = false;
    const int number = word.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < Count ? number : -1;
    if (word == u"other")
        return 0;
    for (int type = 0; type < Count; ++type)
        if (word == QLatin1String(Names[type]))
            return type;
    return -1;
}
