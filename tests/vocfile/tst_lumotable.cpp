#include "support/unittables.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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

} // namespace

// A unit's table file: created with its schema, refused when it is not ours or in use, packed.
// Its records are tst_lumotablerecords.
class TestLumoTable : public QObject, protected UnitTables
{
    Q_OBJECT

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
};

QTEST_GUILESS_MAIN(TestLumoTable)
#include "tst_lumotable.moc"
