#include "voctest/answerjudge.h"

#include <QTest>

namespace {
AnswerJudge judge(bool discardNotes, bool matchCase, bool useDiscardList, const QStringList &words = {})
{
    AnswerJudge j;
    j.discardNotes = discardNotes;
    j.matchCase = matchCase;
    j.useDiscardList = useDiscardList;
    j.discardWords = words;
    j.locale = QLocale(QLocale::German, QLocale::Germany);
    return j;
}
} // namespace

class TestAnswerJudge : public QObject
{
    Q_OBJECT

private slots:
    void stripNotes_data();
    void stripNotes();
    void stripBrackets_data();
    void stripBrackets();
    void collapseSpacesAndTrim();
    void removeDiscardWords_data();
    void removeDiscardWords();

    void answersMatch_data();
    void answersMatch();
    void caseFollowsTheLocale();
    void variantLettersAreMistakes_data();
    void variantLettersAreMistakes();
    void greekDiscardWordWithFinalSigma();
    void ignoreAccents_data();
    void ignoreAccents();

    void meaningsAreCut_data();
    void meaningsAreCut();
    void isRight_data();
    void isRight();
};

void TestAnswerJudge::stripNotes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading note") << "(to) go"
                                  << "go";
    QTest::newRow("note inside") << "a (b) c"
                                 << "a c";
    QTest::newRow("two notes") << "(x) a (y) b"
                               << "a b";
    QTest::newRow("unclosed note drops the rest") << "go (away"
                                                  << "go";
    QTest::newRow("closing bracket before the opening one") << "a) b (c"
                                                            << "a) b";
    QTest::newRow("no note") << "  plain  words "
                             << "plain words";
}

void TestAnswerJudge::stripNotes()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(AnswerJudge::StripNotes(text), expected);
}

void TestAnswerJudge::stripBrackets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading note") << "(to) go"
                                  << "to go";
    QTest::newRow("stray brackets") << "a) b (c"
                                    << "a b c";
    QTest::newRow("blanks collapse") << " ( to )  go "
                                     << "to go";
}

void TestAnswerJudge::stripBrackets()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(AnswerJudge::StripBrackets(text), expected);
}

void TestAnswerJudge::collapseSpacesAndTrim()
{
    QCOMPARE(AnswerJudge::CollapseSpaces(QStringLiteral("a     b  c")), QStringLiteral("a b c"));
    // Control characters count as blanks when trimming, but not inside the text.
    QCOMPARE(AnswerJudge::trim(QStringLiteral("\t\r\n a\tb \x01")), QStringLiteral("a\tb"));
    QCOMPARE(AnswerJudge::trim(QStringLiteral(" \t ")), QString());
}

void TestAnswerJudge::removeDiscardWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("expected");
    const QStringList to{QStringLiteral("to")};
    QTest::newRow("leading word") << "to go" << to << "go";
    QTest::newRow("enclosed word joins its neighbours") << "a to b" << to << "ab";
    QTest::newRow("every enclosed occurrence") << "x to y to z" << to << "xyz";
    QTest::newRow("word at the end stays") << "go to" << to << "go to";
    QTest::newRow("only as a whole word") << "tomato top" << to << "tomato top";
    QTest::newRow("words are trimmed") << "the cat" << QStringList{QStringLiteral("  the ")} << "cat";
    QTest::newRow("words in list order") << "der die das" << QStringList{"der", "die"} << "das";
    QTest::newRow("a blank word changes nothing") << "a  b" << QStringList{QStringLiteral(" ")} << "a b";
}

void TestAnswerJudge::removeDiscardWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(QString, expected);
    QCOMPARE(AnswerJudge::RemoveDiscardWords(text, words), expected);
}

void TestAnswerJudge::answersMatch_data()
{
    QTest::addColumn<bool>("discardNotes");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("useDiscardList");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("match");

    QTest::newRow("notes on: go") << true << false << false << "(to) go"
                                  << "go" << true;
    QTest::newRow("notes on: Go") << true << false << false << "(to) go"
                                  << "Go" << true;
    QTest::newRow("notes on: to go") << true << false << false << "(to) go"
                                     << "to go" << true;
    QTest::newRow("notes on: to  go") << true << false << false << "(to) go"
                                      << "to  go" << true;
    QTest::newRow("notes on: (to) go") << true << false << false << "(to) go"
                                       << "(to) go" << true;
    QTest::newRow("notes on: to") << true << false << false << "(to) go"
                                  << "to" << false;
    QTest::newRow("notes off: go") << false << false << false << "(to) go"
                                   << "go" << false;
    QTest::newRow("notes off: to go") << false << false << false << "(to) go"
                                      << "to go" << false;
    QTest::newRow("notes off: (to) go") << false << false << false << "(to) go"
                                        << " (To) go " << true;
    QTest::newRow("match case: Go") << true << true << false << "(to) go"
                                    << "Go" << false;
    QTest::newRow("match case: go") << true << true << false << "(to) go"
                                    << "go" << true;
    QTest::newRow("discard list: the house") << false << false << true << "the house"
                                             << "house" << true;
    QTest::newRow("discard list: The house") << false << false << true << "house"
                                             << "The house" << true;
    QTest::newRow("discard list off") << false << false << false << "the house"
                                      << "house" << false;
    QTest::newRow("discard list with match case keeps The") << false << true << true << "house"
                                                            << "The house" << false;
    QTest::newRow("wrong word") << true << false << true << "house"
                                << "mouse" << false;
    QTest::newRow("empty given") << true << false << true << "house"
                                 << "" << false;
}

void TestAnswerJudge::answersMatch()
{
    QFETCH(bool, discardNotes);
    QFETCH(bool, matchCase);
    QFETCH(bool, useDiscardList);
    QFETCH(QString, expected);
    QFETCH(QString, given);
    QFETCH(bool, match);
    const AnswerJudge j = judge(discardNotes, matchCase, useDiscardList, {QStringLiteral("the")});
    QCOMPARE(j.AnswersMatch(expected, given), match);
}

void TestAnswerJudge::caseFollowsTheLocale()
{
    const AnswerJudge j = judge(true, false, false);
    QVERIFY(j.AnswersMatch(QStringLiteral("É"), QStringLiteral("é")));
    QVERIFY(j.AnswersMatch(QStringLiteral("Äpfel"), QStringLiteral("äpfel")));
    QVERIFY(j.AnswersMatch(QStringLiteral("STRASSE"), QStringLiteral("strasse")));
    QVERIFY(j.AnswersMatch(QStringLiteral("Straße"), QStringLiteral("STRAẞE")));
    QVERIFY(!j.AnswersMatch(QStringLiteral("Straße"), QStringLiteral("Strase")));
    // A word written in capitals matches its lower-case form with a final sigma.
    QVERIFY(j.AnswersMatch(QStringLiteral("ΟΔΟΣ"), QStringLiteral("οδος")));

    AnswerJudge turkish = judge(true, false, false);
    turkish.locale = QLocale(QLocale::Turkish);
    QVERIFY(turkish.AnswersMatch(QStringLiteral("KIZ"), QStringLiteral("kız")));

    const AnswerJudge strict = judge(true, true, false);
    QVERIFY(!strict.AnswersMatch(QStringLiteral("É"), QStringLiteral("é")));
}

void TestAnswerJudge::variantLettersAreMistakes_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("given");
    // Lower-casing keeps these apart; only case folding would join them.
    QTest::newRow("sigma for the final sigma") << "λόγος"
                                               << "λόγοσ";
    QTest::newRow("final sigma inside a word") << "λόγοι"
                                               << "λόςοι";
    QTest::newRow("long s") << "s"
                            << "ſ";
    QTest::newRow("long s in a word") << "Haus"
                                      << "Hauſ";
}

void TestAnswerJudge::variantLettersAreMistakes()
{
    QFETCH(QString, expected);
    QFETCH(QString, given);
    const AnswerJudge j = judge(true, false, false);
    QVERIFY(!j.AnswersMatch(expected, given));
    QVERIFY(!j.AnswersMatch(given, expected));
    QVERIFY(j.AnswersMatch(expected, expected.toUpper()));
}

void TestAnswerJudge::greekDiscardWordWithFinalSigma()
{
    // The discard words are lower-cased in ASCII only, so a Greek word keeps its final sigma
    // and must meet the answer's final sigma after the locale's lower-casing.
    AnswerJudge j = judge(false, false, true, {QStringLiteral("της"), QStringLiteral("τους")});
    j.locale = QLocale(QLocale::Greek);
    QVERIFY(j.AnswersMatch(QStringLiteral("της γυναίκας"), QStringLiteral("γυναίκας")));
    QVERIFY(j.AnswersMatch(QStringLiteral("ΤΟΥΣ φίλους"), QStringLiteral("φίλους")));
    QVERIFY(!j.AnswersMatch(QStringLiteral("της γυναίκας"), QStringLiteral("γυναίκα")));
}

void TestAnswerJudge::meaningsAreCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("two meanings") << "to walk;to go" << QStringList{"to walk", "to go"};
    QTest::newRow("not trimmed") << "a ; b" << QStringList{"a ", " b"};
    QTest::newRow("empty piece between kept") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow("empty last piece dropped") << "a;b;" << QStringList{"a", "b"};
    QTest::newRow("blank last piece kept") << "a; " << QStringList{"a", " "};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TestAnswerJudge::meaningsAreCut()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(AnswerJudge::splitMeanings(text), pieces);
}

void TestAnswerJudge::isRight_data()
{
    QTest::addColumn<bool>("multipleChoice");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("right");
    // The expected answer holds two meanings.
    QTest::newRow("standard: one meaning") << false << "to go" << true;
    QTest::newRow("standard: other meaning") << false << "walk" << true;
    QTest::newRow("standard: both meanings") << false << "to go;to walk" << true;
    QTest::newRow("standard: wrong") << false << "to run" << false;
    QTest::newRow("standard: empty") << false << "" << false;
    QTest::newRow("choice: both ticked") << true << "to walk;to go;" << true;
    QTest::newRow("choice: both, other order") << true << "to go;to walk;" << true;
    QTest::newRow("choice: one ticked") << true << "to go;" << false;
    QTest::newRow("choice: both and another") << true << "to walk;to go;to run;" << false;
    QTest::newRow("choice: nothing ticked") << true << "" << false;
}

void TestAnswerJudge::isRight()
{
    QFETCH(bool, multipleChoice);
    QFETCH(QString, given);
    QFETCH(bool, right);
    const AnswerJudge j = judge(true, false, true, {QStringLiteral("to")});
    QCOMPARE(j.isRight(QStringLiteral("(to) walk;(to) go"), given, multipleChoice), right);
}

QTEST_GUILESS_MAIN(TestAnswerJudge)
#include "tst_answerjudge.moc"

void TestAnswerJudge::ignoreAccents_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("rightWithAccentsIgnored");
    QTest::addColumn<bool>("rightAsBefore");
    QTest::newRow("acute") << "été"
                           << "ete" << false << true << false;
    QTest::newRow("same letters") << "été"
                                  << "été" << false << true << true;
    QTest::newRow("accent where none is") << "ete"
                                          << "été" << false << true << false;
    QTest::newRow("umlaut and case") << "ÜBER"
                                     << "uber" << false << true << false;
    QTest::newRow("case still matters when asked") << "Über"
                                                   << "uber" << true << false << false;
    QTest::newRow("decomposed input") << "café"
                                      << "café" << false << true << false;
    QTest::newRow("sharp s stays") << "Straße"
                                   << "strasse" << false << false << false;
    QTest::newRow("Greek tonos") << "νερό"
                                 << "νερο" << false << true << false;
    QTest::newRow("cedilla with a note") << "(le) garçon"
                                         << "garcon" << false << true << false;
    QTest::newRow("other letters stay wrong") << "été"
                                              << "eta" << false << false << false;
    QTest::newRow("discard word with its accent") << "à la maison"
                                                  << "maison" << false << true << true;
}

void TestAnswerJudge::ignoreAccents()
{
    QFETCH(QString, expected);
    QFETCH(QString, given);
    QFETCH(bool, matchCase);
    QFETCH(bool, rightWithAccentsIgnored);
    QFETCH(bool, rightAsBefore);
    AnswerJudge j = judge(true, matchCase, true, {QStringLiteral("à"), QStringLiteral("la")});
    QCOMPARE(j.AnswersMatch(expected, given), rightAsBefore);
    j.ignoreAccents = true;
    QCOMPARE(j.AnswersMatch(expected, given), rightWithAccentsIgnored);
    QCOMPARE(j.isRight(expected + QStringLiteral(";x"), given, false), rightWithAccentsIgnored);
}
