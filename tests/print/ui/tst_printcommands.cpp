#include "../printfixture.h"
#include "print/printerror.h"
#include "print/ui/printcommands.h"
#include "print/ui/printstatus.h"
#include "support/killedchild.h"
#include "support/screenshot.h"
#include "support/withoutroot.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

namespace {
// A print job to PDF with the dialogs answered: the setup returns the given settings and
// every file question gets the next of the given answers.
struct PdfJob
{
    explicit PdfJob(QWidget *window) : commands(messages, window)
    {
        commands.setAlwaysPdf(true);
        commands.setSetupDialog([this](PrintSettings &s, const QString &) {
            ++setupRuns;
            s = chosen;
            return true;
        });
        commands.setPdfChooser([this](const QString &suggested) {
            suggestions.append(QFileInfo(suggested).fileName());
            suggestedFolders.append(QFileInfo(suggested).path());
            statusShownAtQuestion.append(commands.status()->isVisible());
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ScriptedMessageService messages;
    PrintCommands commands;
    PrintSettings chosen;
    QStringList answers;
    QStringList suggestions;
    QStringList suggestedFolders;
    QList<bool> statusShownAtQuestion;
    int setupRuns = 0;
};

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
}

// The PDF's pages as pictures beside the test's screenshots, for a person to look at; the
// number of pages made.
int renderPages(const QString &pdf, const QString &name)
{
    const QString folder = screenshotFolder();
    if (folder.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        return -1;
    QProcess::execute(QStringLiteral("pdftoppm"), {"-png", "-r", "60", pdf, folder + u'/' + name});
    return int(QDir(folder).entryList({name + QStringLiteral("-*.png")}).size());
}
} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void listGoesIntoOnePdfFile();
    void cardBacksGoIntoASecondFile();
    void cancelledFileQuestionPrintsNothing();
    void closedTableIsOpenedForTheJobOnly();
    void noUnitDoesNothing();
    void folderThatCannotBeWrittenLeavesNoFile();
    void fullDiskKeepsTheOlderFile();
    void statusWindowWaitsForTheFileName_data();
    void statusWindowWaitsForTheFileName();
    void emptyUnitAsksForNoFile_data();
    void emptyUnitAsksForNoFile();
    void fileQuestionStartsInDocumentsOrHome_data();
    void fileQuestionStartsInDocumentsOrHome();
};

void TestPrintCommands::listGoesIntoOnePdfFile()
{
    PrintFixture fixture;
    fixture.addEntries(150);
    QWidget window;
    PdfJob job(&window);
    job.chosen.fontSize = 12;
    const QString pdf = fixture.folder.filePath(QStringLiteral("out/lesson.pdf"));
    QDir().mkpath(QFileInfo(pdf).path());
    job.answers = {pdf};
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, TestFolder::shippedFile("english.llf"),
                           settings);

    QCOMPARE(settings.fontSize, 12); // the dialog's choice comes back
    QCOMPARE(job.suggestions, QStringList{"lesson.pdf"});
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(leftovers(QFileInfo(pdf).path()).isEmpty());
    QVERIFY(!job.commands.status()->isVisible());
    const int pages = renderPages(pdf, QStringLiteral("list"));
    QVERIFY(pages == -1 || pages >= 3);
}

void TestPrintCommands::cardBacksGoIntoASecondFile()
{
    PrintFixture fixture;
    fixture.addEntries(17, QStringLiteral("Haus (das) "), QStringLiteral("house number "));
    QWidget window;
    PdfJob job(&window);
    job.chosen.printType = 1;
    job.answers = {fixture.folder.filePath("cards.pdf"), fixture.folder.filePath("cards (Back Side).pdf")};
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);

    QCOMPARE(job.suggestions, QStringList({"lesson.pdf", "lesson (Back Side).pdf"}));
    QCOMPARE(job.messages.shown().size(), 1); // the paper question between the two files
    QVERIFY(QFileInfo(fixture.folder.filePath("cards.pdf")).size() > 0);
    QVERIFY(QFileInfo(fixture.folder.filePath("cards (Back Side).pdf")).size() > 0);
    QVERIFY(leftovers(fixture.folder.path()).isEmpty());
    const int fronts = renderPages(fixture.folder.filePath("cards.pdf"), QStringLiteral("cards-front"));
    QVERIFY(fronts == -1 || fronts == 2);
    renderPages(fixture.folder.filePath("cards (Back Side).pdf"), QStringLiteral("cards-back"));
}

void TestPrintCommands::cancelledFileQuestionPrintsNothing()
{
    PrintFixture fixture;
    fixture.addEntries(3);
    QWidget window;
    PdfJob job(&window);
    job.chosen.printType = 1;
    job.chosen.leftMarginMM = 44;
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
    QCOMPARE(job.suggestions.size(), 1);
    QVERIFY(job.messages.shown().isEmpty());
    QCOMPARE(settings.leftMarginMM, 44);
    QCOMPARE(QDir(fixture.folder.path()).entryList({"*.pdf*"}, QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(fixture.table->recNo(), 0);
}

void TestPrintCommands::closedTableIsOpenedForTheJobOnly()
{
    PrintFixture fixture;
    fixture.addEntries(2);
    // As the unit manager's table is: bound to no unit.
    fixture.table = std::make_unique<TLumoTable>(fixture.messages);
    QWidget window;
    PdfJob job(&window);
    job.answers = {fixture.folder.filePath("closed.pdf")};
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
    QVERIFY(QFileInfo(fixture.folder.filePath("closed.pdf")).size() > 0);
    QVERIFY(!fixture.table->active());
}

void TestPrintCommands::noUnitDoesNothing()
{
    PrintFixture fixture;
    QWidget window;
    PdfJob job(&window);
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, QString(), QString(), settings);
    QCOMPARE(job.setupRuns, 0);
    QVERIFY(job.suggestions.isEmpty());
}

void TestPrintCommands::folderThatCannotBeWrittenLeavesNoFile()
{
    if (WithoutRoot::inChild()) {
        PrintFixture fixture;
        fixture.addEntries(5);
        QWidget window;
        PdfJob job(&window);
        const QString target = WithoutRoot::values().at(0) + QStringLiteral("/lesson.pdf");
        job.answers = {target};
        PrintSettings settings;
        try {
            job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
            QFAIL("printing into a folder that cannot be written went through");
        } catch (const PrintError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Cannot write the file ")),
                     qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("lesson.pdf")));
        }
        QVERIFY(!job.commands.status()->isVisible());
        QCOMPARE(fixture.table->recNo(), 0);
        return;
    }
    TestFolder folder;
    const QString locked = folder.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    WithoutRoot::handOver(folder.path());
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther);
    VERIFY_WITHOUT_ROOT({locked});
    QVERIFY(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

// A PDF cut short by a full disk is reported and never replaces the file printed before.
void TestPrintCommands::fullDiskKeepsTheOlderFile()
{
    PrintFixture fixture;
    fixture.addEntries(150);
    const QString pdf = fixture.folder.filePath(QStringLiteral("out/lesson.pdf"));
    QDir().mkpath(QFileInfo(pdf).path());
    const QByteArray older("%PDF- printed last week");
    {
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(older) == older.size());
    }
    KilledChild child;
    const KilledChild::Outcome outcome = child.runWithFileSizeLimit(
        [&](KilledChild::Reporter &) {
            QWidget window;
            PdfJob job(&window);
            job.answers = {pdf};
            PrintSettings settings;
            job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
        },
        8 * 1024);
    QCOMPARE(outcome.error, QStringLiteral("Cannot write the file ") + pdf);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), older);
    QVERIFY(leftovers(QFileInfo(pdf).path()).isEmpty());
}

void TestPrintCommands::statusWindowWaitsForTheFileName_data()
{
    QTest::addColumn<int>("printType");
    QTest::addColumn<int>("questions");
    QTest::newRow("list") << 0 << 1;
    QTest::newRow("cards, fronts and backs") << 1 << 2;
}

void TestPrintCommands::statusWindowWaitsForTheFileName()
{
    QFETCH(int, printType);
    QFETCH(int, questions);
    PrintFixture fixture;
    fixture.addEntries(20);
    QWidget window;
    PdfJob job(&window);
    job.chosen.printType = printType;
    job.answers = {fixture.folder.filePath("a.pdf"), fixture.folder.filePath("b.pdf")};
    PrintSettings settings;
    // The status window is on top and centred: it must not hide the file dialog's buttons.
    job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
    QCOMPARE(job.statusShownAtQuestion, QList<bool>(questions, false));
    QVERIFY(!job.commands.status()->CurrentPageText->text().isEmpty()); // it showed the pages
    QVERIFY(!job.commands.status()->isVisible());
}

void TestPrintCommands::emptyUnitAsksForNoFile_data()
{
    QTest::addColumn<int>("printType");
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("list") << 0 << QString() << "There is nothing to print.";
    QTest::newRow("cards") << 1 << QString() << "There is nothing to print.";
    QTest::newRow("german") << 0 << TestFolder::shippedFile("deutsch.llf") << "Es gibt nichts zu drucken.";
}

void TestPrintCommands::emptyUnitAsksForNoFile()
{
    QFETCH(int, printType);
    QFETCH(QString, languageFile);
    QFETCH(QString, message);
    PrintFixture fixture;
    QWidget window;
    PdfJob job(&window);
    job.chosen.printType = printType;
    job.answers = {fixture.folder.filePath("a.pdf"), fixture.folder.filePath("b.pdf")};
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, languageFile, settings);
    QCOMPARE(job.setupRuns, 1);
    QCOMPARE(job.suggestions, QStringList());
    QCOMPARE(job.messages.texts(), QStringList{message});
    QCOMPARE(settings.printType, printType);
    QCOMPARE(QDir(fixture.folder.path()).entryList({"*.pdf*"}, QDir::Files | QDir::Hidden), QStringList());
}

void TestPrintCommands::fileQuestionStartsInDocumentsOrHome_data()
{
    QTest::addColumn<QString>("userDirs"); // the XDG user folders file, empty for none
    QTest::addColumn<bool>("documentsExist");
    QTest::addColumn<QString>("expected"); // below the home folder
    QTest::newRow("documents") << QString() << true << "/Documents";
    QTest::newRow("no documents folder") << QString() << false << "";
    QTest::newRow("configured folder missing") << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n" << false << "";
    QTest::newRow("configured folder") << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n" << true << "/Papers";
}

void TestPrintCommands::fileQuestionStartsInDocumentsOrHome()
{
    QFETCH(QString, userDirs);
    QFETCH(bool, documentsExist);
    QFETCH(QString, expected);
    PrintFixture fixture;
    fixture.addEntries(2);
    const QString home = fixture.folder.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    if (!userDirs.isEmpty())
        fixture.folder.writeText(QStringLiteral("../xdg/config/user-dirs.dirs"), userDirs);
    if (documentsExist)
        QVERIFY(
            QDir(home).mkpath(userDirs.isEmpty() ? QStringLiteral("Documents") : QStringLiteral("Papers")));
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home));
    const auto restore = qScopeGuard([&savedHome] { qputenv("HOME", savedHome); });
    QWidget window;
    PdfJob job(&window);
    PrintSettings settings;
    job.commands.printUnit(*fixture.table, fixture.descriptor, QString(), settings);
    QCOMPARE(job.suggestedFolders, QStringList{home + expected});
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
