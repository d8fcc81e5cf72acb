#include "voctest/answerjudge.h"

#include "voctest/discardlist.h"

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() <= u' ';
}
} // namespace

bool AnswerJudge::AnswersMatch(const QString &expected, const QString &given) const
{
    QString a1 = trim(expected);
    QString a2 = a1;
    QString b1 = trim(given);
    QString b2 = b1;
    if (discardNotes) {
        a1 = StripNotes(a1);
        b1 = StripNotes(b1);
        a2 = StripBrackets(a2);
        b2 = StripBrackets(b2);
    }
    if (!matchCase) {
        a1 = lower(a1);
        a2 = lower(a2);
        b1 = lower(b1);
        b2 = lower(b2);
    }
    if (useDiscardList) {
        a1 = RemoveDiscardWords(a1, discardWords);
        a2 = RemoveDiscardWords(a2, discardWords);
        b1 = RemoveDiscardWords(b1, discardWords);
        b2 = RemoveDiscardWords(b2, discardWords);
    }
    // After the discard words, which are written with their accents.
    if (ignoreAccents) {
        a1 = StripAccents(a1);
        a2 = StripAccents(a2);
        b1 = StripAccents(b1);
        b2 = StripAccents(b2);
    }
    return a1 == b1 || a2 == b2;
}

int AnswerJudge::countMatches(const QString &answer, const QString &given) const
{
    const QStringList expectedPieces = splitMeanings(answer);
    const QStringList givenPieces = splitMeanings(given);
    int matches = 0;
    for (const QString &e : expectedPieces)
        for (const QString &g : givenPieces)
            if (AnswersMatch(e, g))
                ++matches;
    return matches;
}

bool AnswerJudge::isRight(const QString &answer, const QString &given, bool multipleChoice) const
{
    const int matches = countMatches(answer, given);
    if (!multipleChoice)
        return matches > 0;
    return matches == splitMeanings(answer).size() && matches == splitMeanings(given).size();
}

QStringList AnswerJudge::splitMeanings(const QString &text)
{
    QStringList pieces = text.split(u';');
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

QString AnswerJudge::trim(const QString &s)
{
    const QStringView trimmed = trimmedView(s);
    return trimmed.size() == s.size() ? s : trimmed.toString();
}

QStringView AnswerJudge::trimmedView(QStringView s)
{
    while (!s.isEmpty() && isBlankOrControl(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlankOrControl(s.back()))
        s.chop(1);
    return s;
}

QString AnswerJudge::StripNotes(QString s)
{
    qsizetype open;
    while ((open = s.indexOf(u'(')) >= 0) {
        const qsizetype close = s.indexOf(u')');
        QString kept = s.left(open);
        if (close > open)
            kept += s.mid(close + 1);
        s = kept;
    }
    return trim(CollapseSpaces(s));
}

QString AnswerJudge::StripBrackets(QString s)
{
    s.remove(u'(');
    s.remove(u')');
    return trim(CollapseSpaces(s));
}

QString AnswerJudge::CollapseSpaces(QString s)
{
    while (s.contains(QStringLiteral("  ")))
        s.replace(QStringLiteral("  "), QStringLiteral(" "));
    return s;
}

QString AnswerJudge::RemoveDiscardWords(QString s, const QStringList &words)
{
    for (const QString &word : words) {
        const QString w = DiscardList::asciiLower(trim(word));
        // A blank word would cut out every double blank and join the words around it.
        if (w.isEmpty())
            continue;
        if (s.startsWith(w + u' '))
            s.remove(0, w.size() + 1);
        const QString enclosed = u' ' + w + u' ';
        qsizetype at;
        while ((at = s.indexOf(enclosed)) >= 0)
            s.remove(at, enclosed.size());
    }
    return trim(CollapseSpaces(s));
}

QString AnswerJudge::StripAccents(const QString &s)
{
    const QString decomposed = s.normalized(QString::NormalizationForm_D);
    QString kept;
    kept.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_Enclosing)
            kept += c;
    return kept.normalized(QString::NormalizationForm_C);
}

QString AnswerJudge::lower(const QString &s) const
{
    // The locale's lower case only: folding would also make variant letters such as the
    // final sigma or the long s equal to their plain forms, and those are spelling mistakes.
    return locale.toLower(s);
}
