#include "voctest/choicebuilder.h"
#include "voctest/choicecandidates.h"
#include "voctest/shuffle.h"

#include <QSet>
#include <QTest>

namespace {
struct Record
{
    QString text;
    int type;
};

QStringList optionsFor(const QString &answer, int type, const QList<Record> &records, quint32 seed)
{
    ChoiceCandidates candidates;
    for (const Record &r : records)
        candidates.addRecord(r.text, r.type);
    QRandomGenerator generator(seed);
    return ChoiceBuilder::options(candidates, answer, type, generator);
}

QList<Record> verbsAndNouns(int verbs, int nouns)
{
    QList<Record> records{{QStringLiteral("to go"), 2}};
    for (int i = 0; i < verbs; ++i)
        records.append({QStringLiteral("verb %1").arg(i), 2});
    for (int i = 0; i < nouns; ++i)
        records.append({QStringLiteral("noun %1").arg(i), 1});
    return records;
}
} // namespace

// The options of a multiple-choice question, and the shuffling of queues and options.
class TestChoices : public QObject
{
    Q_OBJECT

private slots:
    void rightAnswerOnceAmongFive_data();
    void rightAnswerOnceAmongFive();
    void sameTypeWhileEnoughExist();
    void otherTypesFillUp();
    void everyMeaningOfTheAnswerIsOffered();
    void twoMeaningsAmongOtherTypesOnly();
    void manyMeaningsFillAllFive();
    void everyCandidateCanBeDrawn();
    void emptyMeaningIsNoOption();
    void aMeaningIsNeverOfferedTwice();
    void piecesAreTrimmed_data();
    void piecesAreTrimmed();

    void shuffleIsAPermutation_data();
    void shuffleIsAPermutation();
    void shuffleMixes();
};

void TestChoices::rightAnswerOnceAmongFive_data()
{
    QTest::addColumn<int>("verbs");
    QTest::addColumn<int>("nouns");
    QTest::addColumn<int>("count");
    // Of the same-type pieces at most about half are taken.
    QTest::newRow("many verbs") << 20 << 20 << 5;
    QTest::newRow("four verbs") << 4 << 0 << 3;
    QTest::newRow("only nouns") << 0 << 10 << 3;
    QTest::newRow("nothing else") << 0 << 0 << 1;
    QTest::newRow("two of each") << 2 << 2 << 3;
}

void TestChoices::rightAnswerOnceAmongFive()
{
    QFETCH(int, verbs);
    QFETCH(int, nouns);
    QFETCH(int, count);
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to go"), 2, verbsAndNouns(verbs, nouns), seed);
        QCOMPARE(options.count(QStringLiteral("to go")), 1);
        QCOMPARE(options.size(), count);
        QVERIFY(options.size() <= ChoiceBuilder::ChoiceCount);
    }
}

void TestChoices::sameTypeWhileEnoughExist()
{
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to go"), 2, verbsAndNouns(8, 30), seed);
        for (const QString &option : options)
            QVERIFY2(!option.startsWith(u"noun"), qPrintable(option));
    }
}

void TestChoices::otherTypesFillUp()
{
    // One verb beside the answer: three nouns are promoted so that five candidates exist.
    bool sawNoun = false;
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to go"), 2, verbsAndNouns(1, 30), seed);
        QVERIFY(options.contains(QStringLiteral("to go")));
        sawNoun = sawNoun || std::any_of(options.begin(), options.end(),
                                         [](const QString &o) { return o.startsWith(u"noun"); });
    }
    QVERIFY(sawNoun);
}

void TestChoices::everyMeaningOfTheAnswerIsOffered()
{
    QList<Record> records = verbsAndNouns(20, 0);
    records.prepend({QStringLiteral("to walk; to go"), 2});
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to walk; to go"), 2, records, seed);
        QVERIFY(options.contains(QStringLiteral("to walk")));
        QCOMPARE(options.count(QStringLiteral("to go")), 1);
        QCOMPARE(options.size(), 5);
    }
}

void TestChoices::twoMeaningsAmongOtherTypesOnly()
{
    // Both meanings, and three nouns promoted of which about half are taken: four options.
    QList<Record> records{{QStringLiteral("to walk;to go"), 2}};
    for (int i = 0; i < 12; ++i)
        records.append({QStringLiteral("noun %1").arg(i), 1});
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to walk;to go"), 2, records, seed);
        QCOMPARE(options.size(), 4);
        QVERIFY(options.contains(QStringLiteral("to walk")));
        QVERIFY(options.contains(QStringLiteral("to go")));
    }
}

void TestChoices::manyMeaningsFillAllFive()
{
    const QString answer = QStringLiteral("a;b;c;d;e;f;g");
    QList<Record> records{{answer, 2}};
    for (int i = 0; i < 8; ++i)
        records.append({QStringLiteral("verb %1").arg(i), 2});
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QStringList options = optionsFor(answer, 2, records, seed);
        options.sort();
        // The first five meanings, and no room for anything else.
        QCOMPARE(options, QStringList({"a", "b", "c", "d", "e"}));
    }
}

void TestChoices::everyCandidateCanBeDrawn()
{
    // The answer's own text lies among the others of its type and in another type too; every
    // other candidate is offered now and then, the answer's twins of the same type never.
    QList<Record> records;
    for (int i = 0; i < 6; ++i)
        records.append({QStringLiteral("verb %1").arg(i), 2});
    records.append({QStringLiteral("to go"), 2});
    records.append({QStringLiteral("to go"), 2});
    for (int i = 6; i < 12; ++i)
        records.append({QStringLiteral("verb %1; other %1").arg(i), 2});
    records.append({QStringLiteral("noun"), 1});
    QSet<QString> seen;
    for (quint32 seed = 1; seed <= 400; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to go"), 2, records, seed);
        QCOMPARE(options.size(), 5);
        QCOMPARE(options.count(QStringLiteral("to go")), 1);
        seen.unite(QSet<QString>(options.begin(), options.end()));
    }
    for (int i = 0; i < 12; ++i)
        QVERIFY2(seen.contains(QStringLiteral("verb %1").arg(i)), qPrintable(QString::number(i)));
    for (int i = 6; i < 12; ++i)
        QVERIFY(seen.contains(QStringLiteral("other %1").arg(i)));
    QVERIFY(!seen.contains(QStringLiteral("noun")));
}

void TestChoices::emptyMeaningIsNoOption()
{
    QList<Record> records{{QStringLiteral("to walk;; to go; "), 2}};
    for (int i = 0; i < 8; ++i)
        records.append({QStringLiteral("verb %1").arg(i), 2});
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to walk;; to go; "), 2, records, seed);
        QVERIFY(!options.contains(QString()));
        QVERIFY(options.contains(QStringLiteral("to walk")));
        QVERIFY(options.contains(QStringLiteral("to go")));
        QCOMPARE(options.size(), 5);
    }
}

void TestChoices::aMeaningIsNeverOfferedTwice()
{
    // Another entry sharing a meaning with the answer, a twin of the answer with another type,
    // and two entries with the same text.
    const QList<Record> records{{"to go", 2},    {"to go; to leave", 2}, {"to go", 5},
                                {"to run", 2},   {"to run", 2},          {"to sit", 2},
                                {"to stand", 2}, {"to lie", 2},          {"; ;to fly", 2}};
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QStringList options = optionsFor(QStringLiteral("to go"), 2, records, seed);
        QCOMPARE(options.count(QStringLiteral("to go")), 1);
        QCOMPARE(QSet<QString>(options.begin(), options.end()).size(), options.size());
        QVERIFY(!options.contains(QString()));
    }
}

void TestChoices::piecesAreTrimmed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("trimmed") << " a ; b " << QStringList{"a", "b"};
    QTest::newRow("empty between kept") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow("blank last piece kept, trimmed") << "a; " << QStringList{"a", ""};
    QTest::newRow("empty last piece dropped") << "a;" << QStringList{"a"};
}

void TestChoices::piecesAreTrimmed()
{
    QFETCH(QString, text);
    QTEST(ChoiceBuilder::pieces(text), "pieces");
}

void TestChoices::shuffleIsAPermutation_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("many") << 500;
}

void TestChoices::shuffleIsAPermutation()
{
    QFETCH(int, size);
    QList<qint64> keys;
    for (int i = 0; i < size; ++i)
        keys.append(1000 + i);
    for (quint32 seed = 1; seed <= 30; ++seed) {
        QList<qint64> shuffled = keys;
        QRandomGenerator generator(seed);
        Shuffle(shuffled, generator);
        // Every key exactly once: nothing lost, nothing doubled.
        QCOMPARE(shuffled.size(), keys.size());
        QList<int> seen(size, 0);
        for (qint64 key : shuffled) {
            QVERIFY(key >= 1000 && key < 1000 + size);
            ++seen[int(key - 1000)];
        }
        QCOMPARE(seen.count(1), size);
    }
}

void TestChoices::shuffleMixes()
{
    // With 2n+1 exchanges a long list practically never keeps its order.
    QStringList list;
    for (int i = 0; i < 100; ++i)
        list.append(QString::number(i));
    QStringList shuffled = list;
    QRandomGenerator generator(7);
    Shuffle(shuffled, generator);
    QVERIFY(shuffled != list);
}

QTEST_GUILESS_MAIN(TestChoices)
#include "tst_choices.moc"
