#include "platform/ini/regfile.h"
#include "platform/sound/speechsynthesizer.h"
#include "support/testfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTest>

namespace {
struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "did not finish in time";
        return result;
    }
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QStringList unitNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.lif")}, QDir::Files, QDir::Name);
}
} // namespace

// The Debian package as a user gets it: built from this build, its contents listed, unpacked
// into a temporary root and started there with a fresh home.
class TestPackage : public QObject
{
    Q_OBJECT

private:
    TestFolder folder;
    QString deb;
    QString root;

    static QString buildFolder()
    {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    }

private slots:
    void initTestCase()
    {
        const QString out = folder.filePath(QStringLiteral("deb"));
        const Run cpack =
            run(QStringLiteral("cpack"),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 buildFolder() + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), out},
                300000);
        QVERIFY2(cpack.code == 0, cpack.out + cpack.err);
        const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        deb = out + u'/' + debs.first();
        root = folder.filePath(QStringLiteral("root"));
    }

    void thePackageHoldsTheProgramAndItsDesktopFiles()
    {
        const Run list = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
        QCOMPARE(list.code, 0);
        const QString contents = QString::fromUtf8(list.out);
        for (const char *path : {"./usr/bin/lumo", "./usr/bin/lumo-tool", "./usr/share/lumo/english.llf",
                                 "./usr/share/lumo/deutsch.llf", "./usr/share/lumo/DiscardList.ldl",
                                 "./usr/share/lumo/1-standard.ltf", "./usr/share/lumo/english.hlp/",
                                 "./usr/share/lumo/flags/de.svg", "./usr/share/lumo/Vocabulary/Other/",
                                 "./usr/share/applications/de.halvet.Lumo.desktop",
                                 "./usr/share/metainfo/de.halvet.Lumo.metainfo.xml",
                                 "./usr/share/mime/packages/de.halvet.Lumo.xml",
                                 "./usr/share/icons/hicolor/scalable/apps/de.halvet.Lumo.svg",
                                 "./usr/lib/lumo/liblumocollation.so"})
            QVERIFY2(contents.contains(QLatin1String(path) + u'\n'), path);
        QVERIFY(contents.contains(QStringLiteral(".lif\n")));
        // The build's own files stay out.
        QVERIFY(!contents.contains(QStringLiteral("CMakeLists.txt")));
        QVERIFY(!contents.contains(QStringLiteral("/samples/")));

        const Run depends =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, QStringLiteral("Depends")});
        QCOMPARE(depends.code, 0);
        // Computed from the executables' libraries.
        QVERIFY2(depends.out.contains("libqt6widgets6"), depends.out);
        QVERIFY2(depends.out.contains("libsqlite3-0"), depends.out);
        // Not a library of the executables: the toolkit's translations of its own dialogs.
        QVERIFY2(depends.out.contains("qt6-translations-l10n"), depends.out);
        // The synthesiser's library brings its voice data with it.
        if (SpeechSynthesizer::compiledIn())
            QVERIFY2(depends.out.contains("libespeak-ng1"), depends.out);
    }

    void theUnpackedProgramStartsForANewUser()
    {
        QCOMPARE(run(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb, root}).code, 0);
        const QString installed = root + QStringLiteral("/usr/share/lumo/");
        const QStringList shipped = filesBelow(installed);
        const QString home = folder.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));

        QProcess lumo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        lumo.setProcessEnvironment(environment);
        lumo.start(root + QStringLiteral("/usr/bin/lumo"), {});
        QVERIFY(lumo.waitForStarted());

        // The first start gives the user copies of the sample units.
        const QString user = home + QStringLiteral("/.local/share/Halvet/Lumo/");
        const QString units = user + QStringLiteral("Vocabulary/Other/");
        QTRY_VERIFY_WITH_TIMEOUT(!unitNames(units).isEmpty(), 60000);
        // Ended as a session ends it: the window closes and writes its settings.
        lumo.terminate();
        QVERIFY(lumo.waitForFinished(60000));
        QCOMPARE(lumo.exitStatus(), QProcess::NormalExit);
        QVERIFY2(lumo.exitCode() == 0, lumo.readAllStandardError());

        QCOMPARE(unitNames(units), unitNames(installed + QStringLiteral("Vocabulary/Other/")));
        TRegFile store(home + QStringLiteral("/.config/Halvet/registry.sqlite"));
        store.setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
        // The tree showed the sample units' folder, a test variant was selected, and the
        // language came from the installed folder.
        QCOMPARE(store.ReadValue(QStringLiteral("CurrentPath")).toString(), units);
        QCOMPARE(store.ReadValue(QStringLiteral("TestVariant")).toInt(), 0);
        QCOMPARE(store.ReadValue(QStringLiteral("LanguageFile")).toString(),
                 installed + QStringLiteral("english.llf"));
        // Nothing was written into the installed folder.
        QCOMPARE(filesBelow(installed), shipped);
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
