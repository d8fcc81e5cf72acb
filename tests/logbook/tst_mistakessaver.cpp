// Copying the mistaken entries of a unit into another unit.

#include "logbook/logbookstore.h"
#include "logbook/mistakessaver.h"
#include "platform/table/sqlitedatabase.h"
#include "support/foreignunit.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QDir>
#include <QFile>
#include <QTest>

using F = TLumoTable::Field;
using Outcome = MistakesSaver::Outcome;

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray Sound("RIFF....WAVEfmt ");

struct Row
{
    QString native;
    QVariant mistakes;
    QVariant sound;
    QVariant type = 1;
};

// Each row as "native/foreign/type/mistakes/native sound/foreign sound".
QStringList rowsOf(const QString &path)
{
    ScriptedMessageService messages;
    TLumoTable table(messages);
    table.setVocabularyFile(path);
    table.open();
    QStringList rows;
    for (table.first(); !table.eof(); table.next())
        rows.append(QStringList{
            table.fieldValue(F::NativeLanguage).toString(), table.fieldValue(F::ForeignLanguage).toString(),
            table.fieldValue(F::Type).toString(), table.fieldValue(F::Mistakes).toString(),
            QString::fromLatin1(table.blobValue(F::NativeSound)),
            QString::fromLatin1(table.blobValue(F::ForeignSound))}
                        .join(u'/'));
    return rows;
}
} // namespace

class TestMistakesSaver : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_source;
    QString m_descriptor;

    QString path(const QString &name) const { return m_folder->filePath(name); }

    // The current unit "verbs" with its logbook view open, as the logbook page has it.
    void openSource(const QList<Row> &rows)
    {
        m_descriptor = path(QStringLiteral("verbs.lif"));
        UnitDescriptor(m_descriptor).write(2, 6, QStringLiteral("Verbs"), QStringLiteral("DejaVu Sans"));
        UnitTestLog(m_descriptor).append(4, QStringLiteral("01.12.26"));
        m_source = std::make_unique<TLumoTable>(m_messages);
        m_source->setVocabularyFile(path(QStringLiteral("verbs.db")));
        m_source->open();
        for (const Row &row : rows)
            m_source->appendRecord(
                {QVariant(), row.native, row.native.toUpper(), row.type, row.sound, row.sound, row.mistakes});
        m_source->setFilterCondition(LogbookStore::mistakesCondition());
        m_source->setFiltered(true);
    }

    MistakesSaver saver()
    {
        MistakesSaver::Source source;
        source.table = m_source.get();
        source.descriptorPath = m_descriptor;
        source.folder = m_folder->path();
        source.firstLanguage = 2;
        source.secondLanguage = 6;
        source.fontName = QStringLiteral("DejaVu Sans");
        return MistakesSaver(source, m_messages);
    }

    static MistakesSaver::Choice choice(const QString &name, bool all = true, int moreThan = 0,
                                        bool sounds = false)
    {
        return {name, QStringLiteral("Hard ones"), all, moreThan, sounds};
    }

    const QList<Row> m_rows = {{"go", 2, Sound},
                               {"eat", 0, Sound},
                               {"see", 1, QVariant()},
                               {"run", 5, Sound},
                               {"sit", QVariant(), QVariant()}};

private slots:
    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_messages = ScriptedMessageService();
        openSource(m_rows);
    }
    void cleanup()
    {
        m_source.reset();
        m_folder.reset();
    }

    void copiesTheMistakesIntoANewUnit_data();
    void copiesTheMistakesIntoANewUnit();
    void appendsToAnExistingUnitAfterAsking();
    void declinedOverwriteChangesNothing();
    void emptyNameClosesWithoutCreating();
    void refusedNamesKeepTheDialogOpen_data();
    void refusedNamesKeepTheDialogOpen();
    void theOpenUnitIsRefused();
    void failedTableLeavesBothFilesAsTheyWere();
    void aTableMadeElsewhereGetsTheWordsByFieldName_data();
    void aTableMadeElsewhereGetsTheWordsByFieldName();
};

void TestMistakesSaver::copiesTheMistakesIntoANewUnit_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("moreThan");
    QTest::addColumn<bool>("sounds");
    QTest::addColumn<QStringList>("rows");
    const QString s = QString::fromLatin1(Sound);
    QTest::newRow("all, no sounds") << true << 3 << false
                                    << QStringList{"go/GO/1/0//", "see/SEE/1/0//", "run/RUN/1/0//"};
    QTest::newRow("all, with sounds")
        << true << 0 << true
        << QStringList{"go/GO/1/0/" + s + "/" + s, "see/SEE/1/0//", "run/RUN/1/0/" + s + "/" + s};
    // The view holds only entries with mistakes, so "more than 0" is all of them.
    QTest::newRow("more than 0") << false << 0 << false
                                 << QStringList{"go/GO/1/0//", "see/SEE/1/0//", "run/RUN/1/0//"};
    QTest::newRow("more than 1") << false << 1 << false << QStringList{"go/GO/1/0//", "run/RUN/1/0//"};
    QTest::newRow("more than 5") << false << 5 << false << QStringList{};
}

void TestMistakesSaver::copiesTheMistakesIntoANewUnit()
{
    QFETCH(bool, all);
    QFETCH(int, moreThan);
    QFETCH(bool, sounds);
    QFETCH(QStringList, rows);
    QCOMPARE(saver().save(choice(QStringLiteral("hard"), all, moreThan, sounds)), Outcome::Closed);
    QVERIFY(m_messages.texts().isEmpty());
    QCOMPARE(contents(path(QStringLiteral("hard.lif"))),
             QByteArray("[general]\nFileType=vokfile\nFirstLanguage=2\nSecondLanguage=6\n"
                        "Description=Hard ones\nFont=DejaVu Sans\n"));
    QCOMPARE(rowsOf(path(QStringLiteral("hard.db"))), rows);
    // The current unit's logbook is unchanged, and its view is back at its first entry.
    QCOMPARE(m_source->recordCount(), 3);
    QCOMPARE(m_source->recNo(), 0);
    QCOMPARE(m_source->fieldValue(F::Mistakes).toInt(), 2);
    QCOMPARE(UnitTestLog(m_descriptor).testCount(), 1);
}

void TestMistakesSaver::appendsToAnExistingUnitAfterAsking()
{
    QVERIFY(saver().save(choice(QStringLiteral("hard"), false, 1)) == Outcome::Closed);
    UnitTestLog(path(QStringLiteral("hard.lif"))).append(2, QStringLiteral("02.12.26"));
    m_messages.answerWith(MessageService::Yes);
    QCOMPARE(saver().save(choice(QStringLiteral("hard"))), Outcome::Closed);
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().at(0).kind, MessageService::Kind::Information);
    QCOMPARE(m_messages.shown().at(0).text, QStringLiteral("Overwrite existing file?"));
    QCOMPARE(m_messages.shown().at(0).buttons, int(MessageService::Yes | MessageService::No));
    // The table keeps its entries and gets the new ones behind them; the descriptor is new.
    QCOMPARE(rowsOf(path(QStringLiteral("hard.db"))),
             (QStringList{"go/GO/1/0//", "run/RUN/1/0//", "go/GO/1/0//", "see/SEE/1/0//", "run/RUN/1/0//"}));
    QCOMPARE(UnitTestLog(path(QStringLiteral("hard.lif"))).testCount(), 0);
    QCOMPARE(UnitDescriptor(path(QStringLiteral("hard.lif"))).description(), QStringLiteral("Hard ones"));
}

void TestMistakesSaver::declinedOverwriteChangesNothing()
{
    const QString other = path(QStringLiteral("other.lif"));
    UnitDescriptor(other).write(1, 1, QStringLiteral("Mine"), QStringLiteral("Arial"));
    const QByteArray before = contents(other);
    m_messages.answerWith(MessageService::No);
    QCOMPARE(saver().save(choice(QStringLiteral("other"))), Outcome::StayOpen);
    QCOMPARE(contents(other), before);
    QVERIFY(!QFile::exists(path(QStringLiteral("other.db"))));
}

void TestMistakesSaver::emptyNameClosesWithoutCreating()
{
    const QStringList before = QDir(m_folder->path()).entryList(QDir::Files);
    QCOMPARE(saver().save(choice(QString())), Outcome::Closed);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), before);
    QVERIFY(m_messages.texts().isEmpty());
}

void TestMistakesSaver::refusedNamesKeepTheDialogOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString forbidden =
        QStringLiteral("A filename cannot contain any of the following characters:\r\n\\/:*?\"<>|");
    for (const QChar c : QStringLiteral("\\/:*?\"<>|"))
        QTest::newRow(qPrintable(QStringLiteral("with ") + c))
            << QStringLiteral("a") + c + QStringLiteral("b") << forbidden;
    QTest::newRow("control character") << QStringLiteral("a\tb") << forbidden;
    // More than the file system holds: told so before anything is written.
    QTest::newRow("too long")
        << QString(300, u'x')
        << QStringLiteral("The name of the unit is too long for this folder. Please choose a shorter name.");
}

void TestMistakesSaver::refusedNamesKeepTheDialogOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QDir().mkpath(path(QStringLiteral("a"))); // "a/b" must not reach into it
    const QStringList before = QDir(m_folder->path()).entryList(QDir::Files);
    QCOMPARE(saver().save(choice(name)), Outcome::StayOpen);
    QCOMPARE(m_messages.texts(), QStringList{message});
    QCOMPARE(m_messages.shown().at(0).kind, MessageService::Kind::Error);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), before);
    QVERIFY(QDir(path(QStringLiteral("a"))).isEmpty());
}

void TestMistakesSaver::theOpenUnitIsRefused()
{
    const QByteArray before = contents(m_descriptor);
    m_messages.answerWith(MessageService::Yes);
    QCOMPARE(saver().save(choice(QStringLiteral("verbs"))), Outcome::StayOpen);
    QCOMPARE(m_messages.texts(),
             QStringList{QStringLiteral(
                 "The mistakes cannot be saved into the unit they come from. Please choose another name.")});
    QCOMPARE(contents(m_descriptor), before);
    m_source->setFiltered(false);
    QCOMPARE(m_source->recordCount(), m_rows.size());
}

void TestMistakesSaver::failedTableLeavesBothFilesAsTheyWere()
{
    // A unit whose table takes only numbers as word types, and a source whose second
    // mistaken entry has a word type that is no number: the copy fails half-way.
    const QString target = path(QStringLiteral("hard.lif"));
    QVERIFY(saver().save(choice(QStringLiteral("hard"), false, 4)) == Outcome::Closed);
    UnitTestLog(target).append(1, QStringLiteral("03.12.26")); // a descriptor unlike the new one
    const QByteArray descriptorBefore = contents(target);
    const QStringList rowsBefore = rowsOf(path(QStringLiteral("hard.db")));
    m_source.reset();
    QVERIFY(QFile::remove(path(QStringLiteral("verbs.db"))));
    {
        TLumoTable maker(m_messages);
        maker.setFieldDefs({{"Count", FieldType::AutoInc, 0},
                            {"NativeLanguage", FieldType::String, 255},
                            {"ForeignLanguage", FieldType::String, 255},
                            {"Type", FieldType::String, 20},
                            {"NativeSound", FieldType::Blob, 0},
                            {"ForeignSound", FieldType::Blob, 0},
                            {"Mistakes", FieldType::Integer, 0}});
        maker.setIndexDefs({{QString(), "Count", true, false}});
        maker.setDatabaseName(m_folder->path());
        maker.setTableName(QStringLiteral("verbs.db"));
        maker.createTable();
    }
    openSource({{"go", 2, QVariant(), 3}, {"run", 5, QVariant(), QStringLiteral("noun")}});
    m_messages.answerWith(MessageService::Yes);
    QVERIFY_THROWS_EXCEPTION(TableError, saver().save(choice(QStringLiteral("hard"))));
    QCOMPARE(contents(target), descriptorBefore);
    QCOMPARE(rowsOf(path(QStringLiteral("hard.db"))), rowsBefore);

    // A new unit that fails is not left behind at all.
    QVERIFY_THROWS_EXCEPTION(TableError, saver().save(choice(QStringLiteral("fresh"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("fresh.lif"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("fresh.db"))));
}

void TestMistakesSaver::aTableMadeElsewhereGetsTheWordsByFieldName_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("rows"); // none: refused
    QTest::newRow("another order") << QStringList{"Mistakes INTEGER",
                                                  "ForeignSound BLOB",
                                                  "Type SMALLINT",
                                                  "ForeignLanguage TEXT",
                                                  "NativeSound BLOB",
                                                  "NativeLanguage TEXT",
                                                  "Count INTEGER PRIMARY KEY AUTOINCREMENT"}
                                   << QStringList{"go/GO/1/0", "see/SEE/1/0", "run/RUN/1/0"};
    QTest::newRow("two fields") << QStringList{"Count INTEGER PRIMARY KEY AUTOINCREMENT",
                                               "NativeLanguage TEXT"}
                                << QStringList();
}

void TestMistakesSaver::aTableMadeElsewhereGetsTheWordsByFieldName()
{
    QFETCH(QStringList, columns);
    QFETCH(QStringList, rows);
    MakeForeignUnit(m_folder->path(), QStringLiteral("hard"), {ForeignTable(columns)});
    const QString table = path(QStringLiteral("hard.db"));
    const QByteArray before = contents(table);
    m_messages.answerWith(MessageService::Yes);
    if (rows.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(TableError, saver().save(choice(QStringLiteral("hard"))));
        QCOMPARE(contents(table), before);
        return;
    }
    QCOMPARE(saver().save(choice(QStringLiteral("hard"))), Outcome::Closed);
    SqliteDatabase db(table);
    db.open(SqliteDatabase::tableOptions(true));
    SqliteStatement select(db,
                           QStringLiteral("SELECT NativeLanguage || '/' || ForeignLanguage || '/' || Type || "
                                          "'/' || Mistakes FROM vocabulary ORDER BY Count"));
    QStringList stored;
    while (select.step())
        stored.append(select.text(0));
    QCOMPARE(stored, rows);
}

QTEST_GUILESS_MAIN(TestMistakesSaver)
#include "tst_mistakessaver.moc"
