#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/lumoerror.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "support/readonlyfolder.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList names(const QStringList &paths)
{
    QStringList result;
    for (const QString &path : paths)
        result.append(QFileInfo(path).fileName());
    return result;
}
} // namespace

// The program folder of an installed program: the installed folder overlaid by the user's
// own, on two temporary folders.
class TestProgramFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    QString installed;
    QString user;

    QString install(const QString &name, const QByteArray &bytes)
    {
        return folder->writeFile(QStringLiteral("installed/") + name, bytes);
    }
    QString own(const QString &name, const QByteArray &bytes)
    {
        return folder->writeFile(QStringLiteral("user/") + name, bytes);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        installed = folder->filePath(QStringLiteral("installed/"));
        user = folder->filePath(QStringLiteral("user/")); // made by the first write
        QVERIFY(QDir().mkpath(installed));
    }
    void cleanup() { folder.reset(); }

    void readingTakesTheUsersCopyFirst()
    {
        const ProgramFiles files(installed, user);
        const QString shipped = install(QStringLiteral("SpecChar.lcf"), "[6]\n");
        QCOMPARE(files.readPath(QStringLiteral("SpecChar.lcf")), shipped);
        QVERIFY(files.exists(QStringLiteral("SpecChar.lcf")));
        // Names are found without regard to case, in both layers.
        QCOMPARE(files.readPath(QStringLiteral("specchar.LCF")), shipped);

        const QString mine = own(QStringLiteral("specchar.lcf"), "[6]\nmine\n");
        QCOMPARE(files.readPath(QStringLiteral("SpecChar.lcf")), mine);

        // Present in neither: the path it would have where writes go, and not present.
        QCOMPARE(files.readPath(QStringLiteral("DiscardList.ldl")), user + QStringLiteral("DiscardList.ldl"));
        QVERIFY(!files.exists(QStringLiteral("DiscardList.ldl")));
    }

    void writingMakesTheUsersCopyFromTheInstalledOne()
    {
        const ProgramFiles files(installed, user);
        const QString shipped = install(QStringLiteral("1-standard.ltf"),
                                        "; shipped\n[settings]\nDescription=Standard\nMatchCase=no\n");
        const QByteArray before = contents(shipped);
        const QString target = files.writePath(QStringLiteral("1-standard.ltf"));
        QCOMPARE(target, user + QStringLiteral("1-standard.ltf"));
        IniBatch batch(target);
        batch.writeString(QStringLiteral("settings"), QStringLiteral("MatchCase"), QStringLiteral("yes"));
        batch.commit();

        // The edit lands in the user's copy, which keeps every other key and line.
        const IniFile edited(files.readPath(QStringLiteral("1-standard.ltf")));
        QCOMPARE(edited.fileName(), target);
        QCOMPARE(edited.readString(QStringLiteral("settings"), QStringLiteral("MatchCase"), {}),
                 QStringLiteral("yes"));
        QCOMPARE(edited.readString(QStringLiteral("settings"), QStringLiteral("Description"), {}),
                 QStringLiteral("Standard"));
        QVERIFY(contents(target).startsWith("; shipped\n"));
        QCOMPARE(contents(shipped), before);

        // A second write goes to the same copy and does not copy the installed file again.
        QCOMPARE(files.writePath(QStringLiteral("1-STANDARD.ltf")), target);
        QCOMPARE(IniFile(target).readString(QStringLiteral("settings"), QStringLiteral("MatchCase"), {}),
                 QStringLiteral("yes"));

        // A file the installed folder lacks starts empty in the user's folder.
        QCOMPARE(files.writePath(QStringLiteral("mine.ltf")), user + QStringLiteral("mine.ltf"));
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("mine.ltf")));
    }

    void listingIsTheUnionWithTheUsersCopyWinning()
    {
        const ProgramFiles files(installed, user);
        install(QStringLiteral("b.ltf"), "installed b");
        install(QStringLiteral("C.ltf"), "installed c");
        install(QStringLiteral("english.llf"), "not a variant");
        own(QStringLiteral("a.ltf"), "user a");
        own(QStringLiteral("c.ltf"), "user c");
        const QStringList listed = files.list(QStringLiteral("*.ltf"));
        QCOMPARE(names(listed), QStringList({"a.ltf", "b.ltf", "c.ltf"}));
        QCOMPARE(listed.at(1), installed + QStringLiteral("b.ltf"));
        QCOMPARE(contents(listed.at(2)), QByteArray("user c"));
        QCOMPARE(names(files.list(QStringLiteral("*.llf"))), QStringList({"english.llf"}));
    }

    void deletingAnInstalledOnlyFileHidesIt()
    {
        const ProgramFiles files(installed, user);
        const QString shipped = install(QStringLiteral("2-strict.ltf"), "[settings]\nDescription=Strict\n");
        install(QStringLiteral("3-nouns.ltf"), "[settings]\nDescription=Nouns\n");
        files.remove(QStringLiteral("2-strict.ltf"));

        QVERIFY(QFileInfo::exists(shipped)); // the installed folder is never changed
        QVERIFY(!files.exists(QStringLiteral("2-strict.ltf")));
        QCOMPARE(names(files.list(QStringLiteral("*.ltf"))), QStringList({"3-nouns.ltf"}));
        QVERIFY(QFileInfo::exists(user + ProgramFiles::hiddenRecordName()));
        // The record is no program file of its own.
        QCOMPARE(files.list(QStringLiteral("*")).size(), 1);

        // Made again under that name, it starts anew, not from the hidden installed file.
        const QString again = files.writePath(QStringLiteral("2-strict.ltf"));
        QVERIFY(!QFileInfo::exists(again));
        QVERIFY(!QFileInfo::exists(user + ProgramFiles::hiddenRecordName()));
        IniBatch batch(again);
        batch.writeString(QStringLiteral("settings"), QStringLiteral("Description"), QStringLiteral("Mine"));
        batch.commit();
        QCOMPARE(names(files.list(QStringLiteral("*.ltf"))), QStringList({"2-strict.ltf", "3-nouns.ltf"}));
        QCOMPARE(IniFile(files.readPath(QStringLiteral("2-strict.ltf")))
                     .readString(QStringLiteral("settings"), QStringLiteral("Description"), {}),
                 QStringLiteral("Mine"));
    }

    void deletingAnEditedInstalledFileRemovesBoth()
    {
        const ProgramFiles files(installed, user);
        install(QStringLiteral("x.ltf"), "installed");
        own(QStringLiteral("x.ltf"), "edited");
        own(QStringLiteral("y.ltf"), "only mine");
        files.remove(QStringLiteral("x.ltf"));
        files.remove(QStringLiteral("y.ltf"));
        QVERIFY(files.list(QStringLiteral("*.ltf")).isEmpty());
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("x.ltf")));
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("y.ltf")));
        // A missing file is no error.
        files.remove(QStringLiteral("never.ltf"));
    }

    void oneFolderIsReadAndWrittenDirectly()
    {
        const ProgramFiles files(installed);
        QVERIFY(!files.layered());
        QCOMPARE(files.userFolder(), installed);
        const QString shipped = install(QStringLiteral("Standard.LTF"), "x");
        QCOMPARE(files.writePath(QStringLiteral("standard.ltf")), shipped);
        files.remove(QStringLiteral("standard.ltf"));
        QVERIFY(!QFileInfo::exists(shipped));
        QVERIFY(!QFileInfo::exists(installed + ProgramFiles::hiddenRecordName()));
        QVERIFY(!QFileInfo::exists(user));
        // The same folder given twice is one layer too.
        QVERIFY(!ProgramFiles(installed, installed).layered());
    }

    void theProgramFolderListsThroughBothLayers()
    {
        install(QStringLiteral("english.llf"), "e");
        own(QStringLiteral("mine.llf"), "m");
        SetProgramFolders(installed, user);
        QCOMPARE(ProgramFolder(), installed);
        QCOMPARE(names(ListFilePaths(installed, QStringLiteral("*.llf"))),
                 QStringList({"english.llf", "mine.llf"}));
        QCOMPARE(names(ListFilePaths(user, QStringLiteral("*.llf"))),
                 QStringList({"english.llf", "mine.llf"}));
        // Any other folder lists as it is.
        QCOMPARE(ListFilePaths(folder->filePath(QStringLiteral("user")), QStringLiteral("*.llf")).size(), 2);
        const QString other = folder->writeFile(QStringLiteral("elsewhere/deutsch.llf"), "d");
        QCOMPARE(ListFilePaths(QFileInfo(other).absolutePath(), QStringLiteral("*.llf")),
                 QStringList({other}));
        QCOMPARE(ProgramFileToWrite(QStringLiteral("DiscardList.ldl")),
                 user + QStringLiteral("DiscardList.ldl"));
    }

    void aUserFolderThatCannotBeMadeIsReported()
    {
        if (WithoutRoot::inChild()) {
            const QStringList v = WithoutRoot::values();
            const ProgramFiles files(v.at(0), v.at(1));
            try {
                files.writePath(QStringLiteral("a.ltf"));
                QFAIL("writing into a folder that cannot be made reported success");
            } catch (const LumoError &error) {
                QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + v.at(1));
            }
            QVERIFY_THROWS_EXCEPTION(LumoError, files.remove(QStringLiteral("a.ltf")));
            // Reading still works from the installed folder alone.
            QCOMPARE(files.readPath(QStringLiteral("a.ltf")), v.at(0) + QStringLiteral("a.ltf"));
            return;
        }
        install(QStringLiteral("a.ltf"), "[settings]\nDescription=A\n");
        const QString locked = folder->filePath(QStringLiteral("locked/"));
        QVERIFY(QDir().mkpath(locked));
        WithoutRoot::handOver(folder->path());
        const ReadOnlyFolder readOnly(locked);
        QVERIFY(readOnly.isSet());
        VERIFY_WITHOUT_ROOT({installed, locked + QStringLiteral("user/")});
        QVERIFY(QDir(locked).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
