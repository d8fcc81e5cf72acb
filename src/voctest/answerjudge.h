#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// Judges a given answer against the expected one with the tolerance of a test variant: notes
// in round brackets, letter case, discard words and accents may be ignored.
class AnswerJudge
{
public:
    bool discardNotes = true;
    bool matchCase = false;
    bool useDiscardList = true;
    bool ignoreAccents = false; // "é" counts as "e"; off keeps the judging of old
    QStringList discardWords;   // lower-case discard words of the answer language
    QLocale locale;             // lower-casing follows this locale

    // Whether one expected meaning and one given meaning count as the same.
    bool AnswersMatch(const QString &expected, const QString &given) const;

    // The number of pairs of an expected and a given meaning (both lists of ";"-separated
    // meanings) that match; every pair is tried.
    int countMatches(const QString &answer, const QString &given) const;

    // A typed answer is right with one matching meaning; ticked choices must match every
    // expected meaning and nothing else.
    bool isRight(const QString &answer, const QString &given, bool multipleChoice) const;

    // Cuts at every ";"; an empty piece between two ";" is kept, an empty last piece is not.
    static QStringList splitMeanings(const QString &text);
    // Removes leading and trailing blanks and control characters.
    static QString trim(const QString &s);
    static QStringView trimmedView(QStringView s);
    // Drops notes in round brackets: "(to) go" gives "go".
    static QString StripNotes(QString s);
    // Drops the brackets but keeps the notes: "(to) go" gives "to go".
    static QString StripBrackets(QString s);
    static QString CollapseSpaces(QString s);
    // Cuts the discard words out of the text: a leading word with its blank, and every
    // occurrence enclosed in blanks together with both blanks.
    static QString RemoveDiscardWords(QString s, const QStringList &words);
    // Drops the diacritics that Unicode decomposes off a letter ("é" gives "e"); letters of
    // their own such as "ß" or "ø" stay.
    static QString StripAccents(const QString &s);

private:
    QString lower(const QString &s) const;
};
