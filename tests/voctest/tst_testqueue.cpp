// The keys still to ask in a test: taking keys out anywhere, in any order, leaves the others
// in their order, each found at its position.

#include "voctest/testqueue.h"

#include <QRandomGenerator>
#include <QTest>

class TestTestQueue : public QObject
{
    Q_OBJECT

private slots:
    void removalKeepsTheOrder_data();
    void removalKeepsTheOrder();
};

void TestTestQueue::removalKeepsTheOrder_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("where"); // which position each removal takes
    for (const int size : {1, 2, 7, 64, 100})
        for (const char *where : {"first", "last", "middle", "scattered"})
            QTest::addRow("%d keys, %s", size, where) << size << QString::fromLatin1(where);
}

void TestTestQueue::removalKeepsTheOrder()
{
    QFETCH(int, size);
    QFETCH(QString, where);
    // Keys unlike their positions, as a shuffled test has them.
    QList<qint64> expected;
    for (int i = 0; i < size; ++i)
        expected.append(qint64(i) * 7919 % 1009 + 1000);
    TestQueue queue(expected);
    QRandomGenerator generator(size);
    while (!expected.isEmpty()) {
        const qsizetype last = expected.size() - 1;
        const qsizetype position = where == QLatin1String("first")    ? 0
                                   : where == QLatin1String("last")   ? last
                                   : where == QLatin1String("middle") ? last / 2
                                                                      : generator.bounded(last + 1);
        QCOMPARE(queue.at(position), expected.at(position));
        queue.removeAt(position);
        expected.removeAt(position);
        QCOMPARE(queue.size(), expected.size());
        QCOMPARE(queue.keys(), expected);
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(queue.at(i), expected.at(i));
    }
    QVERIFY(queue.isEmpty());
}

QTEST_GUILESS_MAIN(TestTestQueue)
#include "tst_testqueue.moc"
