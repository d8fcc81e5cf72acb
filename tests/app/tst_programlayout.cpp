#include "app/programlayout.h"
#include "platform/lumoerror.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "support/readonlyfolder.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "units/defaultunitroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Where the program's files lie, judged by the executable's place, and what an installed
// program does for a new user: its own folder with copies of the sample units.
class TestProgramLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    QString root; // stands for "/usr"
    QString user;

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        root = folder->filePath(QStringLiteral("usr/"));
        user = folder->filePath(QStringLiteral("home/.local/share/Halvet/Lumo/"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("bin")));
    }
    void cleanup() { folder.reset(); }

    void theExecutablesPlaceDecides()
    {
        // bin/ without share/lumo/ beside it: a folder of its own, however writable.
        ProgramLayout layout = ProgramLayout::forExecutable(root + QStringLiteral("bin"), user);
        QVERIFY(!layout.installed());
        QCOMPARE(layout.programFolder(), root + QStringLiteral("bin/"));

        QVERIFY(QDir().mkpath(root + QStringLiteral("share/lumo")));
        layout = ProgramLayout::forExecutable(root + QStringLiteral("bin/"), user);
        QVERIFY(layout.installed());
        QCOMPARE(layout.programFolder(), root + QStringLiteral("share/lumo/"));
        QCOMPARE(layout.userFolder(), user);

        // A build folder beside a share/lumo/ is no installation: its name is not "bin".
        QVERIFY(QDir().mkpath(root + QStringLiteral("program")));
        layout = ProgramLayout::forExecutable(root + QStringLiteral("program"), user);
        QVERIFY(!layout.installed());
        QCOMPARE(layout.programFolder(), root + QStringLiteral("program/"));
    }

    void aNewUserGetsCopiesOfTheSampleUnits()
    {
        const QString shared = root + QStringLiteral("share/lumo/");
        const QString sample = folder->writeFile(QStringLiteral("usr/share/lumo/Vocabulary/Other/french.lif"),
                                                 "[general]\nDescription=words\n");
        folder->writeFile(QStringLiteral("usr/share/lumo/Vocabulary/Other/french.db"), "table");
        QFile::setPermissions(sample, QFileDevice::ReadOwner | QFileDevice::ReadOther);
        const ProgramLayout layout = ProgramLayout::forExecutable(root + QStringLiteral("bin"), user);
        layout.apply();

        QCOMPARE(ProgramFolder(), shared);
        QCOMPARE(CurrentProgramFiles().userFolder(), user);
        const QString units = DefaultUnitRoot(CurrentProgramFiles());
        QCOMPARE(units, user + QStringLiteral("Vocabulary/"));
        const QString copy = units + QStringLiteral("Other/french.lif");
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(QFileInfo::exists(units + QStringLiteral("Other/french.db")));
        // The user's copies are the user's to change, whatever the installed files allow.
        QVERIFY(QFile::permissions(copy) & QFileDevice::WriteOwner);
        QVERIFY(!QFileInfo::exists(user + QStringLiteral("Vocabulary.partial")));

        // Later starts leave the user's units as they are.
        QFile::remove(copy);
        layout.apply();
        QVERIFY(!QFileInfo::exists(copy));
    }

    void withoutSampleUnitsTheUserStillGetsAVocabularyFolder()
    {
        QVERIFY(QDir().mkpath(root + QStringLiteral("share/lumo")));
        ProgramLayout::forExecutable(root + QStringLiteral("bin"), user).apply();
        QVERIFY(QFileInfo(user + QStringLiteral("Vocabulary")).isDir());
        QVERIFY(QDir(user + QStringLiteral("Vocabulary")).isEmpty());
    }

    void aBuildFolderStaysItsOwnProgramFolder()
    {
        QVERIFY(QDir().mkpath(root + QStringLiteral("program/Vocabulary")));
        ProgramLayout::forExecutable(root + QStringLiteral("program"), user).apply();
        QVERIFY(!CurrentProgramFiles().layered());
        QCOMPARE(DefaultUnitRoot(CurrentProgramFiles()), root + QStringLiteral("program/Vocabulary/"));
        QVERIFY(!QFileInfo::exists(user));
    }

    void aUserFolderThatCannotBeMadeStopsTheStart()
    {
        if (WithoutRoot::inChild()) {
            const QStringList v = WithoutRoot::values();
            const ProgramLayout layout = ProgramLayout::forExecutable(v.at(0), v.at(1));
            QVERIFY(layout.installed());
            QVERIFY_THROWS_EXCEPTION(LumoError, layout.apply());
            return;
        }
        folder->writeFile(QStringLiteral("usr/share/lumo/Vocabulary/Other/a.lif"), "[general]\n");
        const QString locked = folder->filePath(QStringLiteral("locked/"));
        QVERIFY(QDir().mkpath(locked));
        WithoutRoot::handOver(folder->path());
        const ReadOnlyFolder readOnly(locked);
        QVERIFY(readOnly.isSet());
        VERIFY_WITHOUT_ROOT({root + QStringLiteral("bin"), locked + QStringLiteral("Lumo/")});
        QVERIFY(QDir(locked).isEmpty());
    }

    void aFailedSeedLeavesNoHalfCopiedFolder()
    {
        if (WithoutRoot::inChild()) {
            const QStringList v = WithoutRoot::values();
            const ProgramLayout layout = ProgramLayout::forExecutable(v.at(0), v.at(1));
            QVERIFY_THROWS_EXCEPTION(LumoError, layout.apply());
            QVERIFY(!QFileInfo::exists(v.at(1) + QStringLiteral("Vocabulary")));
            QVERIFY(!QFileInfo::exists(v.at(1) + QStringLiteral("Vocabulary.partial")));
            return;
        }
        folder->writeFile(QStringLiteral("usr/share/lumo/Vocabulary/Other/a.lif"), "[general]\n");
        const QString secret =
            folder->writeFile(QStringLiteral("usr/share/lumo/Vocabulary/Other/b.lif"), "[general]\n");
        WithoutRoot::handOver(folder->path());
        // The child cannot read one of the samples.
        QVERIFY(QFile::setPermissions(secret, QFileDevice::WriteOwner));
        VERIFY_WITHOUT_ROOT({root + QStringLiteral("bin"), user});
    }
};

QTEST_GUILESS_MAIN(TestProgramLayout)
#include "tst_programlayout.moc"
