#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <sqlite3.h>

using F = TLumoTable::Field;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A SQLite database that is not one of ours.
void writeForeignDatabase(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

QVariantList entry(const QString &native, const QString &foreign, const QVariant &mistakes = 0,
                   const QByteArray &nativeSound = QByteArray())
{
    return {QVariant(), native, foreign, 0, nativeSound, QVariant(), mistakes};
}

QStringList column(SqliteTable &table, int field)
{
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values.append(table.fieldValue(field).toString());
    return values;
}

} // namespace

class TestLumoTable : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    ScriptedMessageService m_messages;

    QString newPath(const QString &name) { return m_folder.filePath(name + QStringLiteral(".db")); }
    std::unique_ptr<TLumoTable> bound(const QString &path)
    {
        auto table = std::make_unique<TLumoTable>(m_messages);
        table->setVocabularyFile(path);
        return table;
    }
    std::unique_ptr<TLumoTable> opened(const QString &path)
    {
        auto table = bound(path);
        table->open();
        return table;
    }

private slots:
    void init() { m_messages.clear(); }

    void createsTheSchemaAndLeavesTheTableClosed()
    {
        const QString path = newPath(QStringLiteral("schema"));
        auto table = bound(path);
        QCOMPARE(table->vocabularyFile(), path);
        QVERIFY(QFile::exists(path));
        QVERIFY(!table->active());
        QVERIFY(m_messages.texts().isEmpty());
        // Built under a temporary name: nothing else is left in the folder.
        QCOMPARE(QDir(m_folder.path())
                     .entryList({QStringLiteral("schema*"), QStringLiteral("*.new-*")},
                                QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("schema.db")});

        table->open();
        const QList<FieldDef> fields = table->fieldDefs();
        QCOMPARE(fields.size(), TLumoTable::FieldCount);
        const QList<FieldDef> expected = TLumoTable::schemaFields();
        for (int i = 0; i < fields.size(); ++i) {
            QCOMPARE(fields.at(i).name, expected.at(i).name);
            QCOMPARE(fields.at(i).type, expected.at(i).type);
            QCOMPARE(fields.at(i).size, expected.at(i).size);
        }
        QCOMPARE(fields.at(F::NativeLanguage).size, 255);
        QCOMPARE(fields.at(F::Count).type, FieldType::AutoInc);
        QCOMPARE(fields.at(F::Type).type, FieldType::SmallInt);
        QCOMPARE(fields.at(F::Mistakes).type, FieldType::Integer);

        const QList<IndexDef> indexes = table->indexDefs();
        QCOMPARE(indexes.size(), 3);
        QVERIFY(indexes.at(0).primary);
        QCOMPARE(indexes.at(0).field, QStringLiteral("Count"));
        QCOMPARE(indexes.at(1).name, QStringLiteral("NativeIndex"));
        QCOMPARE(indexes.at(1).field, QStringLiteral("NativeLanguage"));
        QVERIFY(indexes.at(1).caseInsensitive);
        QCOMPARE(indexes.at(2).name, QStringLiteral("ForeignIndex"));
        QCOMPARE(indexes.at(2).field, QStringLiteral("ForeignLanguage"));
        QVERIFY(indexes.at(2).caseInsensitive);
        QCOMPARE(table->recordCount(), 0);
        QVERIFY(table->eof() && table->bof());
    }

    void numbersAreNeverReused()
    {
        const QString path = newPath(QStringLiteral("numbers"));
        auto table = opened(path);
        for (const char *word : {"one", "two", "three"})
            table->appendRecord(entry(QString::fromLatin1(word), QString()));
        QCOMPARE(column(*table, F::Count), (QStringList{"1", "2", "3"}));

        table->last();
        table->deleteRecord();
        table->appendRecord(entry(QStringLiteral("four"), QString()));
        QCOMPARE(table->fieldValue(F::Count).toInt(), 4);

        // Neither reopening nor packing gives a number again.
        table->last();
        table->deleteRecord();
        QVERIFY(table->Pack());
        table->open();
        table->appendRecord(entry(QStringLiteral("five"), QString()));
        QCOMPARE(table->fieldValue(F::Count).toInt(), 5);
        QCOMPARE(column(*table, F::Count), (QStringList{"1", "2", "5"}));
    }

    void textsAreCutToTheirSize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        const QString a255(255, u'a');
        QTest::newRow("300 characters") << QString(300, u'x') << QString(255, u'x');
        QTest::newRow("exactly 255") << a255 << a255;
        QTest::newRow("short") << QStringLiteral("Haus") << QStringLiteral("Haus");
        // A character outside the basic plane is never cut in half.
        QTest::newRow("pair at the limit")
            << QString(254, u'a') + QStringLiteral("\U0001F600") << QString(254, u'a');
    }
    void textsAreCutToTheirSize()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const QString path = newPath(QStringLiteral("cut"));
        QFile::remove(path);
        {
            auto table = opened(path);
            table->appendRecord(entry(text, text));
        }
        auto table = opened(path);
        QCOMPARE(table->fieldValue(F::NativeLanguage).toString(), stored);
        QCOMPARE(table->fieldValue(F::ForeignLanguage).toString(), stored);
    }

    void creationFailureIsShownOnceAndUnbinds()
    {
        auto table = std::make_unique<TLumoTable>(m_messages);
        table->setVocabularyFile(m_folder.filePath(QStringLiteral("exists.db")));
        table->setVocabularyFile(m_folder.filePath(QStringLiteral("no/such/folder/unit.db")));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Could not create database!")});
        QCOMPARE(m_messages.shown().first().kind, MessageService::Kind::Plain);
        QCOMPARE(m_messages.shown().first().buttons, int(MessageService::Ok));
        QVERIFY(table->vocabularyFile().isEmpty());
        QVERIFY(table->databaseName().isEmpty() && table->tableName().isEmpty());
        QVERIFY_THROWS_EXCEPTION(TableError, table->open());
    }

    void emptyOrRelativePathIsRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << QString();
        QTest::newRow("only the extension") << QStringLiteral(".db");
        QTest::newRow("a bare name") << QStringLiteral("lumo-refused-unit.db");
        QTest::newRow("below the working folder") << QStringLiteral("lumo-refused/unit.db");
    }

    // Nothing is made in the working folder, and the table stays bound and open as it was.
    void emptyOrRelativePathIsRefused()
    {
        QFETCH(QString, path);
        const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);
        const QString kept = newPath(QStringLiteral("kept"));
        auto table = opened(kept);
        try {
            table->setVocabularyFile(path);
            QFAIL("the path was taken");
        } catch (const TableError &error) {
            // The text names what was given, so the user can tell which unit it was.
            QVERIFY(path.isEmpty() ? !error.message().isEmpty()
                                   : error.message().endsWith(QStringLiteral(": ") + path));
        }
        QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::Hidden), before);
        QVERIFY(table->active());
        QCOMPARE(table->vocabularyFile(), kept);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void existingTableIsNeverRestructured()
    {
        const QString path = newPath(QStringLiteral("other"));
        SqliteTable other;
        other.setDatabaseName(m_folder.path());
        other.setTableName(QStringLiteral("other.db"));
        other.setFieldDefs(
            {{QStringLiteral("Id"), FieldType::AutoInc, 0}, {QStringLiteral("Word"), FieldType::String, 40}});
        other.setIndexDefs({{QString(), QStringLiteral("Id"), true, false}});
        other.createTable();
        const QByteArray before = fileBytes(path);

        auto table = opened(path);
        QCOMPARE(table->fieldDefs().size(), 2);
        QCOMPARE(table->fieldDefs().at(1).name, QStringLiteral("Word"));
        QCOMPARE(table->fieldDefs().at(1).size, 40);
        QCOMPARE(table->indexDefs().size(), 1);
        table->close();
        QCOMPARE(fileBytes(path), before);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void secondUserIsRefusedUntilTheFirstCloses()
    {
        const QString path = newPath(QStringLiteral("shared"));
        auto first = opened(path);
        auto second = bound(path);
        try {
            second->open();
            QFAIL("a second table opened a file in use");
        } catch (const TableError &error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
            QVERIFY2(error.message().contains(QStringLiteral("in use")), qPrintable(error.message()));
        }
        QVERIFY(!second->active());
        QVERIFY(!second->Pack()); // compacting needs the file to itself as well
        first->close();
        second->open();
        QVERIFY(second->active());
    }

    void packShrinksTheFileAndKeepsTheRest()
    {
        const QString path = newPath(QStringLiteral("pack"));
        auto table = opened(path);
        const QByteArray sound(20000, '\x7f');
        table->startTransaction();
        for (int i = 0; i < 100; ++i)
            table->appendRecord(entry(QString::number(i), QString(), 0, sound));
        table->commit();
        table->first();
        while (table->fieldValue(F::Count).toInt() <= 90)
            table->deleteRecord();
        table->close();
        const qint64 before = QFileInfo(path).size();

        QVERIFY(table->Pack());
        QVERIFY(!table->active());
        QVERIFY(QFileInfo(path).size() < before / 4);
        table->open();
        QCOMPARE(table->recordCount(), 10);
        QCOMPARE(table->blobValue(F::NativeSound), sound);

        TLumoTable unbound(m_messages);
        QVERIFY(unbound.Pack());
    }

    void badFilesAreRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray noise(4096, '\0');
        QRandomGenerator generator(7);
        for (char &c : noise)
            c = char(generator.bounded(256));
        QByteArray oldTable(2048, '\0');
        oldTable[0] = '\x2a';
        oldTable[4] = '\x00';
        oldTable[5] = '\x08';
        QTest::newRow("random bytes") << "random.db" << noise;
        QTest::newRow("empty file") << "empty.db" << QByteArray();
        QTest::newRow("text file") << "text.db" << QByteArray("[general]\r\nFileType=vokfile\r\n");
        QTest::newRow("old table format") << "old.db" << oldTable;
        QTest::newRow("foreign database") << "foreign.db" << QByteArray("sqlite:CREATE TABLE t(a, b)");
        QTest::newRow("our mark, no table")
            << "marked.db" << QByteArray("sqlite:PRAGMA application_id=1280658767");
    }
    void badFilesAreRefusedAndLeftAlone()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QString path = m_folder.filePath(name);
        if (bytes.startsWith("sqlite:"))
            writeForeignDatabase(path, bytes.mid(7).constData());
        else
            path = m_folder.writeFile(name, bytes);
        const QByteArray before = fileBytes(path);
        const QStringList filesBefore = QDir(m_folder.path()).entryList(QDir::Files);

        auto table = bound(path);
        QVERIFY(m_messages.texts().isEmpty()); // it exists, so it is bound as it is
        try {
            table->open();
            QFAIL("a bad file opened");
        } catch (const TableError &error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        }
        QVERIFY(!table->active());
        QVERIFY(!table->Pack());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), filesBefore);
    }

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

QTEST_GUILESS_MAIN(TestLumoTable)
#include "tst_lumotable.moc"
