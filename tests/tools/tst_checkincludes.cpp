// The layer check over #include lines: each kind of include against the layers fails the
// check, includes that keep to them pass, and the program's own tree passes.
#include "support/testfolder.h"

#include <QProcess>
#include <QtTest>

namespace {
struct CheckRun
{
    int exitCode = -1;
    QString output;
};

CheckRun runCheck(const QString &srcFolder)
{
    QProcess check;
    check.start(QStringLiteral("python3"),
                {QStringLiteral(LUMO_SOURCE_DIR "/tools/check-includes.py"), srcFolder});
    if (!check.waitForFinished(60000))
        return {};
    return {check.exitCode(), QString::fromUtf8(check.readAllStandardOutput())};
}

// Writes "path: include include ..." lines as files that include each other.
void writeTree(const TestFolder &folder, const QStringList &files)
{
    for (const QString &line : files) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QByteArray text("#pragma once\n");
        for (const QString &include : parts.mid(1))
            text += "#include \"" + include.toUtf8() + "\"\n";
        folder.writeFile(QStringLiteral("src/") + parts.first(), text);
    }
}
} // namespace

class TestCheckIncludes : public QObject
{
    Q_OBJECT

private slots:
    void layers_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("complaint"); // empty: the tree passes
        const QString base = QStringLiteral("platform/table/sqlitetable.h");
        QTest::newRow("downward and within a folder")
            << QStringList{base,
                           "vocfile/lumotable.h platform/table/sqlitetable.h vocfile/unitfiles.h",
                           "vocfile/unitfiles.h",
                           "input/ui/inputpage.h vocfile/lumotable.h input/ui/grid.h",
                           "input/ui/grid.h widgets/speedbutton.h",
                           "widgets/speedbutton.h",
                           "app/ui/mainform.h input/ui/inputpage.h",
                           "main.cpp app/ui/mainform.h"}
            << QString();
        QTest::newRow("upward") << QStringList{"vocfile/lumotable.h repetition/store.h", "repetition/store.h"}
                                << QStringLiteral("higher layer");
        QTest::newRow("a page includes another")
            << QStringList{"voctest/ui/testpage.h input/ui/chargrid.h", "input/ui/chargrid.h"}
            << QStringLiteral("one page includes another");
        QTest::newRow("core includes widget code")
            << QStringList{"vocfile/lumotable.h vocfile/ui/dialog.h", "vocfile/ui/dialog.h"}
            << QStringLiteral("widget code");
        QTest::newRow("tool includes the window")
            << QStringList{"cli/tool.cpp app/ui/mainform.h", "app/ui/mainform.h"}
            << QStringLiteral("command-line tool");
        QTest::newRow("folders in a circle")
            << QStringList{"widgets/combo.h vocfile/languages.h", "vocfile/languages.h uilang/translate.h",
                           "uilang/translate.h widgets/combo.h"}
            << QStringLiteral("folders include each other: uilang -> vocfile -> widgets -> uilang");
        QTest::newRow("unknown folder") << QStringList{"misc/thing.h platform/x.h", "platform/x.h"}
                                        << QStringLiteral("folder without a rank");
    }

    void layers()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, complaint);
        TestFolder folder;
        writeTree(folder, files);
        const CheckRun run = runCheck(folder.filePath(QStringLiteral("src")));
        QCOMPARE(run.exitCode, complaint.isEmpty() ? 0 : 1);
        QVERIFY2(run.output.contains(complaint), qPrintable(run.output));
    }

    // The program itself keeps to its layers.
    void programTree()
    {
        const CheckRun run = runCheck(QStringLiteral(LUMO_SOURCE_DIR "/src"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    }
};

QTEST_GUILESS_MAIN(TestCheckIncludes)
#include "tst_checkincludes.moc"
