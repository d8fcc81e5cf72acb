#include "platform/ini/inifile.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitdialogcommit.h"
#include "vocfile/unittestlog.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
const QString Failed =
    QStringLiteral("A filename cannot contain any of the following characters:\r\n\\/:*?\"<>|");

UnitDialogCommit::Input input(const TestFolder &folder, const QString &name)
{
    UnitDialogCommit::Input in;
    in.folder = folder.path();
    in.extension = QStringLiteral("lif");
    in.name = name;
    in.nativeLanguage = 6;
    in.foreignLanguage = 2;
    in.description = QStringLiteral("  Verbs  ");
    in.font = QStringLiteral("MS Sans Serif");
    return in;
}

UnitDialogCommit::Input properties(const TestFolder &folder, const QString &previous, const QString &name)
{
    UnitDialogCommit::Input in = input(folder, name);
    in.propertiesMode = true;
    in.previousName = previous;
    in.font.reset();
    return in;
}

// A unit with a table and a test log, as the program leaves one after a test.
void makeUnit(const TestFolder &folder, const QString &name)
{
    UnitDescriptor(folder.filePath(name + QStringLiteral(".lif")))
        .write(1, 4, QStringLiteral("old"), QStringLiteral("Serif"));
    UnitTestLog(folder.filePath(name + QStringLiteral(".lif"))).append(3, QStringLiteral("1.1.26"));
    folder.writeFile(name + QStringLiteral(".db"), "words of " + name.toUtf8());
}

QStringList files(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}
} // namespace

class TestUnitDialogCommit : public QObject
{
    Q_OBJECT

private slots:
    void init() { messages = ScriptedMessageService(); }

    void createsTrimmedUnit();
    void blankNameDoesNothing();
    void forbiddenCharactersAreRefused_data();
    void forbiddenCharactersAreRefused();
    void existingUnitAsksBeforeOverwriting();
    void existingUpperCaseDescriptorIsTheOneOverwritten();
    void unwritableFolderShowsTheMessage();
    void propertiesWithSameNameRewriteKeys();
    void propertiesKeepTheFontUnlessChanged_data();
    void propertiesKeepTheFontUnlessChanged();
    void propertiesRenameCarriesTheWholeUnit();
    void caseOnlyRenameLeavesOneDescriptor();
    void renameOntoAnotherUnitIsRefused();
    void namesTooLongForTheFolderAreRefused_data();
    void namesTooLongForTheFolderAreRefused();

private:
    UnitDialogCommit commit()
    {
        UnitDialogCommit::Texts texts;
        texts.creationFailedMessage = Failed;
        return UnitDialogCommit(messages, texts);
    }

    ScriptedMessageService messages;
};

void TestUnitDialogCommit::createsTrimmedUnit()
{
    TestFolder folder;
    UnitDialogCommit::Input in = input(folder, QStringLiteral("  Animals "));
    UnitDialogCommit c = commit();
    QCOMPARE(c.run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(in.name, QStringLiteral("Animals"));
    QCOMPARE(files(folder), QStringList({"Animals.lif"}));
    const UnitDescriptor unit(folder.filePath(QStringLiteral("Animals.lif")));
    QCOMPARE(unit.firstLanguage(), 6);
    QCOMPARE(unit.secondLanguage(), 2);
    QCOMPARE(c.writtenDescriptor(), folder.filePath(QStringLiteral("Animals.lif")));
    QVERIFY(messages.shown().isEmpty());
}

void TestUnitDialogCommit::blankNameDoesNothing()
{
    TestFolder folder;
    UnitDialogCommit::Input in = input(folder, QStringLiteral("   "));
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Ignored);
    QVERIFY(files(folder).isEmpty());
    QVERIFY(messages.shown().isEmpty());
}

void TestUnitDialogCommit::forbiddenCharactersAreRefused_data()
{
    QTest::addColumn<QString>("name");
    for (const QChar c : UnitDialogCommit::forbiddenCharacters())
        QTest::newRow(qPrintable(QString(c))) << QStringLiteral("a") + c + QStringLiteral("b");
    QTest::newRow("line break") << QStringLiteral("a\nb");
    QTest::newRow("dot dot") << QStringLiteral("..");
}

void TestUnitDialogCommit::forbiddenCharactersAreRefused()
{
    QFETCH(QString, name);
    TestFolder folder;
    UnitDialogCommit::Input in = input(folder, name);
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Failed);
    QCOMPARE(messages.texts(), QStringList({Failed}));
    QCOMPARE(messages.shown().first().kind, MessageService::Kind::Error);
    QVERIFY(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestUnitDialogCommit::existingUnitAsksBeforeOverwriting()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("unit"));
    UnitDialogCommit::Input in = input(folder, QStringLiteral("unit"));
    messages.answerWith(MessageService::No);
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Declined);
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("unit.lif"))).description(),
             QStringLiteral("old"));

    messages.answerWith(MessageService::Yes);
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(messages.texts(), QStringList({"Overwrite existing file?", "Overwrite existing file?"}));
    const QString path = folder.filePath(QStringLiteral("unit.lif"));
    QCOMPARE(UnitDescriptor(path).description(), QStringLiteral("  Verbs  "));
    // The test log and the words stay.
    QCOMPARE(UnitTestLog(path).results(99), QList<int>({3}));
    QFile table(folder.filePath(QStringLiteral("unit.db")));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(), QByteArray("words of unit"));
}

void TestUnitDialogCommit::existingUpperCaseDescriptorIsTheOneOverwritten()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("SHOUT"));
    QVERIFY(QFile::rename(folder.filePath(QStringLiteral("SHOUT.lif")),
                          folder.filePath(QStringLiteral("SHOUT.LIF"))));
    const QStringList before = files(folder);
    UnitDialogCommit::Input in = input(folder, QStringLiteral("SHOUT"));
    messages.answerWith(MessageService::No);
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Declined);
    QCOMPARE(files(folder), before);
    messages.answerWith(MessageService::Yes);
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(files(folder), before);
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("SHOUT.LIF"))).description(),
             QStringLiteral("  Verbs  "));
    QCOMPARE(UnitTestLog(folder.filePath(QStringLiteral("SHOUT.LIF"))).results(99), QList<int>({3}));
}

void TestUnitDialogCommit::unwritableFolderShowsTheMessage()
{
    TestFolder folder;
    UnitDialogCommit::Input in = input(folder, QStringLiteral("unit"));
    in.folder = folder.filePath(QStringLiteral("gone/"));
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Failed);
    QCOMPARE(messages.texts(), QStringList({Failed}));
}

void TestUnitDialogCommit::propertiesWithSameNameRewriteKeys()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("unit"));
    UnitDialogCommit::Input in = properties(folder, QStringLiteral("unit"), QStringLiteral("unit"));
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(files(folder), QStringList({"unit.db", "unit.lif"}));
    const UnitDescriptor unit(folder.filePath(QStringLiteral("unit.lif")));
    QCOMPARE(unit.firstLanguage(), 6);
    QVERIFY(messages.shown().isEmpty());
}

void TestUnitDialogCommit::propertiesKeepTheFontUnlessChanged_data()
{
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("untouched") << std::optional<QString>() << "unit"
                               << "Serif";
    QTest::newRow("untouched, renamed") << std::optional<QString>() << "renamed"
                                        << "Serif";
    QTest::newRow("changed") << std::optional<QString>(QStringLiteral("DejaVu Sans")) << "unit"
                             << "DejaVu Sans";
    QTest::newRow("cleared") << std::optional<QString>(QString()) << "unit"
                             << "";
}

void TestUnitDialogCommit::propertiesKeepTheFontUnlessChanged()
{
    QFETCH(std::optional<QString>, chosen);
    QFETCH(QString, name);
    QFETCH(QString, written);
    TestFolder folder;
    makeUnit(folder, QStringLiteral("unit"));
    UnitDialogCommit::Input in = properties(folder, QStringLiteral("unit"), name);
    in.font = chosen;
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(IniFile(folder.filePath(name + QStringLiteral(".lif")))
                 .readString(QStringLiteral("general"), QStringLiteral("Font"), QStringLiteral("?")),
             written);
}

void TestUnitDialogCommit::propertiesRenameCarriesTheWholeUnit()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("old"));
    folder.writeFile(QStringLiteral("old.db-journal"), "journal");
    UnitDialogCommit::Input in = properties(folder, QStringLiteral("old"), QStringLiteral("new"));
    UnitDialogCommit c = commit();
    QCOMPARE(c.run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(files(folder), QStringList({"new.db", "new.db-journal", "new.lif"}));
    const QString path = folder.filePath(QStringLiteral("new.lif"));
    QCOMPARE(c.writtenDescriptor(), path);
    QCOMPARE(UnitDescriptor(path).secondLanguage(), 2);
    QCOMPARE(UnitTestLog(path).results(99), QList<int>({3}));
}

void TestUnitDialogCommit::caseOnlyRenameLeavesOneDescriptor()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("verbs"));
    UnitDialogCommit::Input in = properties(folder, QStringLiteral("verbs"), QStringLiteral("Verbs"));
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Written);
    QCOMPARE(files(folder), QStringList({"Verbs.db", "Verbs.lif"}));
}

void TestUnitDialogCommit::renameOntoAnotherUnitIsRefused()
{
    TestFolder folder;
    makeUnit(folder, QStringLiteral("a"));
    makeUnit(folder, QStringLiteral("b"));
    QFile::remove(folder.filePath(QStringLiteral("b.lif"))); // only b's table is left
    UnitDialogCommit::Input in = properties(folder, QStringLiteral("a"), QStringLiteral("b"));
    QCOMPARE(commit().run(in), UnitDialogCommit::Outcome::Refused);
    QCOMPARE(messages.texts(), QStringList({"Another unit of that name already exists."}));
    QCOMPARE(files(folder), QStringList({"a.db", "a.lif", "b.db"}));
    QCOMPARE(UnitDescriptor(folder.filePath(QStringLiteral("a.lif"))).description(), QStringLiteral("old"));
}

void TestUnitDialogCommit::namesTooLongForTheFolderAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("properties");
    QTest::addColumn<bool>("fits");
    // 244 bytes leave room for "<name>.db-journal" in a file name of 255 bytes, 245 do not.
    QTest::newRow("244 bytes, new") << QString(244, u'v') << false << true;
    QTest::newRow("245 bytes, new") << QString(245, u'v') << false << false;
    QTest::newRow("82 CJK characters, new") << QString(82, QChar(0x8A9E)) << false << false;
    QTest::newRow("80 CJK characters, renamed") << QString(80, QChar(0x8A9E)) << true << true;
    QTest::newRow("82 CJK characters, renamed") << QString(82, QChar(0x8A9E)) << true << false;
}

void TestUnitDialogCommit::namesTooLongForTheFolderAreRefused()
{
    QFETCH(QString, name);
    QFETCH(bool, properties);
    QFETCH(bool, fits);
    TestFolder folder;
    QCOMPARE(UnitDialogCommit::fitsFolder(folder.path(), name), fits);
    if (properties)
        makeUnit(folder, QStringLiteral("a"));
    const QStringList before = files(folder);
    UnitDialogCommit::Input in =
        properties ? ::properties(folder, QStringLiteral("a"), name) : input(folder, name);
    QCOMPARE(commit().run(in), fits ? UnitDialogCommit::Outcome::Written : UnitDialogCommit::Outcome::Failed);
    if (fits)
        return;
    QCOMPARE(
        messages.texts(),
        QStringList({"The name of the unit is too long for this folder. Please choose a shorter name."}));
    QCOMPARE(files(folder), before);
}

QTEST_GUILESS_MAIN(TestUnitDialogCommit)
#include "tst_unitdialogcommit.moc"
