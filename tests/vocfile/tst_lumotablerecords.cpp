#include "support/unittables.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using F = TLumoTable::Field;

// A unit's records: order, walking, filtering, finding, editing and taking edits back.
class TestLumoTableRecords : public QObject, protected UnitTables
{
    Q_OBJECT

private slots:
    void init() { m_messages.clear(); }

    void indexesOrderWithoutRegardToCase()
    {
        auto table = opened(newPath(QStringLiteral("order")));
        const QStringList words{"Zebra",        "apple", "\u00e4hnlich", "Banana",
                                "\u00c4HNLICH", "APPLE", "banana"};
        for (const QString &word : words)
            table->appendRecord(entry(word, word.toUpper()));

        table->setIndexName(QStringLiteral("NativeIndex"));
        // Letters are folded, then compared by character code (ties by entry number):
        // an umlaut sorts after Z, and the spellings of one word sit together.
        QCOMPARE(column(*table, F::NativeLanguage), (QStringList{"apple", "APPLE", "Banana", "banana",
                                                                 "Zebra", "\u00e4hnlich", "\u00c4HNLICH"}));
        table->setIndexName(QStringLiteral("ForeignIndex"));
        QCOMPARE(column(*table, F::Count), (QStringList{"2", "6", "4", "7", "1", "3", "5"}));
        table->setIndexName(QString());
        QCOMPARE(column(*table, F::NativeLanguage), words);
        QVERIFY_THROWS_EXCEPTION(TableError, table->setIndexName(QStringLiteral("NoSuchIndex")));
    }

    void recordsAppendedOrEditedTakeTheirPlaceInTheOrder()
    {
        auto table = opened(newPath(QStringLiteral("placing")));
        table->setIndexName(QStringLiteral("NativeIndex"));
        QRandomGenerator generator(11);
        for (int i = 0; i < 300; ++i) {
            const QString word = QString::number(generator.bounded(50)) + (i % 2 ? u'a' : u'A');
            table->appendRecord(entry(word, QString()));
            QCOMPARE(table->fieldValue(F::NativeLanguage).toString(), word); // stays on what was posted
        }
        table->setRecNo(150);
        table->edit();
        table->setFieldValue(F::NativeLanguage, QStringLiteral("0"));
        table->post();
        QCOMPARE(table->recNo(), 0);
        QCOMPARE(table->fieldValue(F::NativeLanguage).toString(), QStringLiteral("0"));

        const QStringList placed = column(*table, F::Count);
        table->refresh();
        QCOMPARE(column(*table, F::Count), placed);
    }

    void walkingCrossesPages_data()
    {
        QTest::addColumn<QString>("index");
        QTest::newRow("entry order") << QString();
        QTest::newRow("native order") << QStringLiteral("NativeIndex");
    }
    void walkingCrossesPages()
    {
        QFETCH(QString, index);
        const QString path = newPath(QStringLiteral("pages"));
        if (!QFile::exists(path)) {
            auto table = opened(path);
            table->startTransaction();
            for (int i = 0; i < 1000; ++i)
                table->appendRecord(entry(QStringLiteral("w%1").arg(999 - i, 4, 10, QChar(u'0')),
                                          QString::number(i), i,
                                          i % 100 == 0 ? QByteArray("RIFF") : QByteArray()));
            table->commit();
        }
        auto table = opened(path);
        table->setIndexName(index);
        int visited = 0, sounds = 0;
        for (table->first(); !table->eof(); table->next(), ++visited) {
            const int i = index.isEmpty() ? visited : 999 - visited;
            QCOMPARE(table->fieldValue(F::Count).toInt(), i + 1);
            QCOMPARE(table->fieldValue(F::ForeignLanguage).toString(), QString::number(i));
            QCOMPARE(table->fieldValue(F::Mistakes).toInt(), i);
            sounds += table->fieldIsNull(F::NativeSound) ? 0 : 1;
        }
        QCOMPARE(visited, 1000);
        QCOMPARE(sounds, 10);
        // Backwards from the end, and by position without moving.
        table->last();
        QVERIFY(table->eof());
        QCOMPARE(table->valueAt(0, F::Count).toInt(), index.isEmpty() ? 1 : 1000);
        QCOMPARE(table->valueAt(999, F::Count).toInt(), index.isEmpty() ? 1000 : 1);
    }

    void columnsReadInOnePassMatchTheWalk_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<bool>("filtered");
        QTest::newRow("entry order") << QString() << false;
        QTest::newRow("native order") << QStringLiteral("NativeIndex") << false;
        QTest::newRow("native order, filtered") << QStringLiteral("NativeIndex") << true;
        QTest::newRow("entry order, filtered") << QString() << true;
    }
    void columnsReadInOnePassMatchTheWalk()
    {
        QFETCH(QString, index);
        QFETCH(bool, filtered);
        auto table = opened(newPath(QStringLiteral("columns")));
        if (table->isEmpty()) {
            const QStringList words = {"pear", "Apple", "fig", "apple", "banana", "Cherry", "date"};
            for (int i = 0; i < words.size(); ++i)
                table->appendRecord(
                    entry(words.at(i), QString::number(i), i % 3, i % 2 ? QByteArray("RIFF") : QByteArray()));
            QVERIFY(table->findKey(3));
            table->deleteRecord(); // a gap in the numbers
        }
        table->setIndexName(index);
        table->setFilter([](const TableRecord &record) { return record.values.at(F::Mistakes).toInt() > 0; });
        table->setFiltered(filtered);
        QVERIFY(table->findKey(filtered ? 2 : 1));
        const qint64 current = table->currentKey();

        const QList<int> fields = {F::Count, F::NativeLanguage, F::NativeSound, F::Mistakes};
        const QList<QVector<QVariant>> columns = table->readColumns(fields);
        QCOMPARE(table->currentKey(), current); // reading does not move
        QCOMPARE(columns.size(), fields.size());
        QCOMPARE(columns.at(0).size(), table->recordCount());
        int row = 0;
        for (table->first(); !table->eof(); table->next(), ++row) {
            QCOMPARE(columns.at(0).at(row).toLongLong(), table->currentKey());
            QCOMPARE(columns.at(1).at(row).toString(), table->fieldValue(F::NativeLanguage).toString());
            QCOMPARE(columns.at(2).at(row).toBool(), !table->fieldIsNull(F::NativeSound));
            QCOMPARE(columns.at(3).at(row).toInt(), table->fieldValue(F::Mistakes).toInt());
        }
        QCOMPARE(row, columns.at(0).size());
    }

    void filterSeesValuesAndSoundFlags()
    {
        auto table = opened(newPath(QStringLiteral("filter")));
        table->appendRecord(entry("a", "x", 0));
        table->appendRecord(entry("b", "y", 2, "RIFF"));
        table->appendRecord(entry("c", "z", QVariant()));
        table->appendRecord(entry("d", "w", 1));
        QList<QVariant> soundFlags;
        table->setFilter([&soundFlags](const TableRecord &record) {
            soundFlags.append(record.values.at(F::NativeSound));
            return record.values.at(F::Mistakes).toInt() > 0;
        });
        table->setFiltered(true);
        QCOMPARE(column(*table, F::NativeLanguage), (QStringList{"b", "d"}));
        QCOMPARE(soundFlags, (QList<QVariant>{false, true, false, false}));
        QVERIFY(table->findKey(4));
        QVERIFY(!table->findKey(1)); // filtered out
        table->setFiltered(false);
        QCOMPARE(table->recordCount(), 4);
    }

    void findKeyWorksInEveryOrder()
    {
        auto table = opened(newPath(QStringLiteral("find")));
        for (const char *word : {"pear", "fig", "apple", "date"})
            table->appendRecord(entry(word, QString()));
        table->setIndexName(QStringLiteral("NativeIndex"));
        QVERIFY(table->findKey(3));
        QCOMPARE(table->recNo(), 0);
        QCOMPARE(table->fieldValue(F::NativeLanguage).toString(), QStringLiteral("apple"));
        QVERIFY(table->findKey(1));
        QCOMPARE(table->recNo(), 3);
        QVERIFY(!table->findKey(99));
        QCOMPARE(table->currentKey(), qint64(1)); // a failed search does not move
    }

    void editingMistakesIsStored()
    {
        const QString path = newPath(QStringLiteral("mistakes"));
        {
            auto table = opened(path);
            table->appendRecord(entry("a", "x", QVariant()));
            table->appendRecord(entry("b", "y", 3));
            table->setIndexName(QStringLiteral("NativeIndex"));
            QVERIFY(table->findKey(1));
            table->edit();
            QCOMPARE(table->state(), SqliteTable::State::Edit);
            table->setFieldValue(F::Mistakes, table->fieldValue(F::Mistakes).toInt() + 1);
            table->post();
            QCOMPARE(table->state(), SqliteTable::State::Browse);
            table->edit();
            table->setFieldValue(QStringLiteral("Mistakes"), 9);
            table->cancel();
            QCOMPARE(table->fieldValue(F::Mistakes).toInt(), 1);
        }
        auto table = opened(path);
        QCOMPARE(column(*table, F::Mistakes), (QStringList{"1", "3"}));
    }

    void invalidNumbersAreRefused_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << QVariant("abc") << "'abc' is not a valid integer value for field 'Type'";
        QTest::newRow("too large")
            << QVariant(40000)
            << "40000 is not a valid value for field 'Type'. The allowed range is -32768 to 32767";
    }
    void invalidNumbersAreRefused()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, message);
        auto table = opened(newPath(QStringLiteral("numbers-") + QTest::currentDataTag()));
        table->append();
        try {
            table->setFieldValue(F::Type, value);
            QFAIL("an invalid value was taken");
        } catch (const TableError &error) {
            QCOMPARE(error.message(), message);
        }
        QVERIFY_THROWS_EXCEPTION(TableError, table->setFieldValue(F::Count, 5));
        table->setFieldValue(F::Type, QStringLiteral(" 7 "));
        table->post();
        QCOMPARE(table->fieldValue(F::Type), QVariant(7));
    }

    void soundsRoundTripAsBytes()
    {
        const QString path = newPath(QStringLiteral("sounds"));
        QByteArray wave("RIFF\0\0\0\0WAVEfmt ", 16);
        wave.append(QByteArray(5000, '\x80'));
        {
            auto table = opened(path);
            table->appendRecord(entry("with", "sound", 0, wave));
        }
        auto table = opened(path);
        QVERIFY(!table->fieldIsNull(F::NativeSound));
        QVERIFY(table->fieldIsNull(F::ForeignSound));
        QCOMPARE(table->valueAt(0, F::NativeSound), QVariant(true));
        QCOMPARE(table->blobValue(F::NativeSound), wave);
        QCOMPARE(table->fieldValue(F::NativeSound).toByteArray(), wave);
        QVERIFY(table->fieldValue(F::ForeignSound).isNull());

        table->edit();
        table->setFieldValue(F::NativeSound, QByteArray());
        table->setFieldValue(F::ForeignSound, wave);
        table->post();
        QVERIFY(table->fieldIsNull(F::NativeSound));
        QCOMPARE(table->blobValue(F::ForeignSound), wave);
    }

    void deletingWhileWalkingVisitsEveryRecord()
    {
        auto table = opened(newPath(QStringLiteral("sweep")));
        for (int i = 1; i <= 9; ++i)
            table->appendRecord(entry(QString::number(i), QString(), i % 3));
        for (table->first(); !table->eof();) {
            if (table->fieldValue(F::Mistakes).toInt() != 1)
                table->deleteRecord();
            else
                table->next();
        }
        QCOMPARE(column(*table, F::NativeLanguage), (QStringList{"1", "4", "7"}));
    }

    void insertingAndRollingBack()
    {
        auto table = opened(newPath(QStringLiteral("rollback")));
        table->appendRecord(entry("kept", QString()));
        table->appendRecord(entry("second", QString()));
        table->first();
        table->insert();
        QCOMPARE(table->recordCount(), 3);
        QCOMPARE(table->recNo(), 0);
        QVERIFY(table->fieldValue(F::Count).isNull());
        table->cancel();
        QCOMPARE(table->recordCount(), 2);

        table->startTransaction();
        table->appendRecord(entry("gone", QString()));
        table->first();
        table->deleteRecord();
        table->rollback();
        QCOMPARE(column(*table, F::NativeLanguage), (QStringList{"kept", "second"}));
    }

    void disabledControlsHearNothing()
    {
        auto table = opened(newPath(QStringLiteral("quiet")));
        QSignalSpy data(table.get(), &SqliteTable::dataSetChanged);
        QSignalSpy record(table.get(), &SqliteTable::recordChanged);
        QSignalSpy current(table.get(), &SqliteTable::currentChanged);
        QSignalSpy state(table.get(), &SqliteTable::stateChanged);

        table->disableControls();
        table->disableControls();
        table->appendRecord(entry("a", "b"));
        table->appendRecord(entry("c", "d"));
        table->first();
        table->edit();
        table->setFieldValue(F::Mistakes, 1);
        table->post();
        table->enableControls();
        QVERIFY(table->controlsDisabled());
        QCOMPARE(data.count() + record.count() + current.count() + state.count(), 0);
        table->enableControls();
        QVERIFY(!table->controlsDisabled());
        QCOMPARE(data.count(), 1); // one catch-up notice
        QCOMPARE(current.count(), 1);

        table->next();
        QCOMPARE(current.count(), 2);
        QCOMPARE(current.last().first().toInt(), 1);
        table->edit();
        table->setFieldValue(F::Mistakes, 2);
        QVERIFY(record.count() >= 1);
        table->post();
        QCOMPARE(record.last().first().toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLumoTableRecords)
#include "tst_lumotablerecords.moc"
