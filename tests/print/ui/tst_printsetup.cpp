#include "print/ui/printsetup.h"
#include "print/ui/printstatus.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "widgets/updown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
// Types text into a field and leaves it, as the user does.
void typeAndLeave(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// The spin button bound to the field of that name ("TopEdit": "TopUpDown").
TUpDown *upDownOf(const TPrintSetup &dialog, const QString &field)
{
    return dialog.findChild<TUpDown *>(
        QString(field).replace(QStringLiteral("Edit"), QStringLiteral("UpDown")));
}
} // namespace

class TestPrintSetup : public QObject
{
    Q_OBJECT

private slots:
    void controlsAndEnglishCaptions();
    void captionsFromTheLanguageFile();
    void cardsForceLandscapeAndListReturnsToPortrait();
    void leavingAFieldKeepsItInRange_data();
    void leavingAFieldKeepsItInRange();
    void arrowsCountFromTheTypedText_data();
    void arrowsCountFromTheTypedText();
    void textThatIsNoNumberIsReported();
    void storedCardsLoadAsLandscapeAndPrintStoresIt();
    void cancelLeavesEverySetting();
    void helpAsksForTheDialogsTopic();
    void statusWindowShowsFileAndPage();
};

void TestPrintSetup::controlsAndEnglishCaptions()
{
    TestFolder folder;
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.applyLanguageFile(QString());
    QCOMPARE(dialog.size(), QSize(409, 300));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Printer Options"));
    for (const char *name : {"OrientationFrame",
                             "PortraitBtn",
                             "LandscapeBtn",
                             "MarginsFrame",
                             "LeftLabel",
                             "RightLabel",
                             "TopLabel",
                             "BottomLabel",
                             "LeftEdit",
                             "RightEdit",
                             "TopEdit",
                             "BottomEdit",
                             "LeftUpDown",
                             "RightUpDown",
                             "TopUpDown",
                             "BottomUpDown",
                             "FontSizeLabel",
                             "FontSizeEdit",
                             "FontSizeUpDown",
                             "TypeFrame",
                             "GridType",
                             "CardsType",
                             "SwapColsCheckBox",
                             "Panel1",
                             "PortraitStandardImage",
                             "LandscapeStandardImage",
                             "CardsImage",
                             "PrintBtn",
                             "CancelBtn",
                             "HelpBtn"})
        QVERIFY2(dialog.findChild<QWidget *>(QString::fromLatin1(name)), name);
    QCOMPARE(dialog.PortraitBtn->text(), QStringLiteral("Por&trait"));
    QCOMPARE(dialog.GridType->text(), QStringLiteral("&Grid"));
    QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.LeftEdit->text(), QStringLiteral("10"));
    QCOMPARE(dialog.FontSizeUpDown->minimum(), 5);
    QCOMPARE(dialog.FontSizeUpDown->maximum(), 20);
    QVERIFY(dialog.PrintBtn->isDefault());
    dialog.show();
    QVERIFY(dialog.PortraitStandardImage->isVisible());
    QVERIFY(!dialog.LandscapeStandardImage->isVisible() && !dialog.CardsImage->isVisible());
    saveScreenshot(dialog, QStringLiteral("printsetup-list"));
}

void TestPrintSetup::captionsFromTheLanguageFile()
{
    TestFolder folder;
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.applyLanguageFile(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
    QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Abbrechen"));
    QVERIFY(dialog.windowTitle() != QStringLiteral("Printer Options"));
    QVERIFY(dialog.SwapColsCheckBox->text() != QStringLiteral("Swap Columns"));
}

void TestPrintSetup::cardsForceLandscapeAndListReturnsToPortrait()
{
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.show();
    dialog.CardsType->click();
    QVERIFY(dialog.LandscapeBtn->isChecked());
    QVERIFY(!dialog.PortraitBtn->isEnabled());
    for (QWidget *w : {static_cast<QWidget *>(dialog.LeftEdit), static_cast<QWidget *>(dialog.BottomUpDown)})
        QVERIFY(!w->isEnabled());
    QVERIFY(dialog.FontSizeEdit->isEnabled());
    QVERIFY(!dialog.SwapColsCheckBox->isVisible());
    QVERIFY(dialog.CardsImage->isVisible());
    QVERIFY(!dialog.LandscapeStandardImage->isVisible());
    saveScreenshot(dialog, QStringLiteral("printsetup-cards"));

    dialog.GridType->click();
    QVERIFY(dialog.PortraitBtn->isChecked() && dialog.PortraitBtn->isEnabled());
    QVERIFY(dialog.LeftEdit->isEnabled() && dialog.LeftUpDown->isEnabled());
    QVERIFY(dialog.SwapColsCheckBox->isVisible());
    QVERIFY(dialog.PortraitStandardImage->isVisible() && !dialog.CardsImage->isVisible());
    dialog.LandscapeBtn->click();
    QVERIFY(dialog.LandscapeStandardImage->isVisible() && !dialog.PortraitStandardImage->isVisible());
}

void TestPrintSetup::leavingAFieldKeepsItInRange_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("position");
    QTest::newRow("margin above") << "LeftEdit"
                                  << "75"
                                  << "50" << 50;
    QTest::newRow("margin below") << "TopEdit"
                                  << "-3"
                                  << "0" << 0;
    QTest::newRow("margin inside") << "RightEdit"
                                   << "17"
                                   << "17" << 17;
    QTest::newRow("font below") << "FontSizeEdit"
                                << "3"
                                << "5" << 5;
    QTest::newRow("font above") << "FontSizeEdit"
                                << "99"
                                << "20" << 20;
}

void TestPrintSetup::leavingAFieldKeepsItInRange()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, position);
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *edit = dialog.findChild<QLineEdit *>(field);
    typeAndLeave(edit, typed);
    QCOMPARE(edit->text(), shown);
    TUpDown *upDown = upDownOf(dialog, field);
    QCOMPARE(upDown->position(), position);
    QVERIFY(messages.shown().isEmpty());
}

void TestPrintSetup::arrowsCountFromTheTypedText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("position");
    QTest::newRow("margin up") << "TopEdit"
                               << "30" << true << 31;
    QTest::newRow("margin down") << "LeftEdit"
                                 << "7" << false << 6;
    QTest::newRow("above the range") << "RightEdit"
                                     << "75" << true << 50;
    QTest::newRow("font down") << "FontSizeEdit"
                               << "14" << false << 13;
    QTest::newRow("no number counts from the kept position") << "BottomEdit"
                                                             << "x" << true << 11;
}

void TestPrintSetup::arrowsCountFromTheTypedText()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(int, position);
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *edit = dialog.findChild<QLineEdit *>(field);
    QTest::mouseClick(edit, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    TUpDown *upDown = upDownOf(dialog, field);
    // The field is not left: the arrows take no focus.
    QTest::mouseClick(up ? upDown->upButton() : upDown->downButton(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->text(), QString::number(position));
    QCOMPARE(upDown->position(), position);
    QTest::mouseClick(dialog.PrintBtn, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(messages.shown().isEmpty());
}

void TestPrintSetup::textThatIsNoNumberIsReported()
{
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.LeftUpDown->setPosition(12);
    typeAndLeave(dialog.LeftEdit, QStringLiteral("abc"));
    QCOMPARE(messages.texts(), QStringList{"'abc' is not a valid integer value"});
    QCOMPARE(dialog.LeftUpDown->position(), 12);
    QCOMPARE(dialog.chosenSettings().leftMarginMM, 12);
    // The arrows still work from the kept position.
    dialog.LeftUpDown->upButton()->click();
    QCOMPARE(dialog.LeftEdit->text(), QStringLiteral("13"));
}

void TestPrintSetup::storedCardsLoadAsLandscapeAndPrintStoresIt()
{
    ScriptedMessageService messages;
    PrintSettings settings;
    settings.printType = 1;
    settings.orientation = 0;
    settings.leftMarginMM = 33;
    settings.fontSize = 14;
    settings.swapColumns = true;
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TPrintSetup *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(dialog->CardsType->isChecked() && dialog->LandscapeBtn->isChecked());
        QCOMPARE(dialog->LeftEdit->text(), QStringLiteral("33"));
        dialog->PrintBtn->click();
    });
    QVERIFY(TPrintSetup::Setup(settings, QString(), messages, nullptr));
    QCOMPARE(settings.orientation, 1);
    QCOMPARE(settings.printType, 1);
    QCOMPARE(settings.leftMarginMM, 33);
    QCOMPARE(settings.fontSize, 14);
    QVERIFY(settings.swapColumns);
}

void TestPrintSetup::cancelLeavesEverySetting()
{
    ScriptedMessageService messages;
    PrintSettings settings;
    settings.rightMarginMM = 7;
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TPrintSetup *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->CardsType->click();
        dialog->RightUpDown->setPosition(40);
        dialog->CancelBtn->click();
    });
    QVERIFY(!TPrintSetup::Setup(settings, QString(), messages, nullptr));
    QCOMPARE(settings.rightMarginMM, 7);
    QCOMPARE(settings.printType, 0);
    QCOMPARE(settings.orientation, 0);
}

void TestPrintSetup::helpAsksForTheDialogsTopic()
{
    ScriptedMessageService messages;
    TPrintSetup dialog(messages, nullptr);
    QSignalSpy help(&dialog, &TPrintSetup::helpRequested);
    dialog.HelpBtn->click();
    QCOMPARE(help.size(), 1);
    QCOMPARE(help.at(0).at(0).toInt(), 250);
}

void TestPrintSetup::statusWindowShowsFileAndPage()
{
    QWidget window;
    auto *status = new TPrintStatus(&window);
    QCOMPARE(status->size(), QSize(303, 92));
    QVERIFY(status->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(status->windowFlags() & Qt::WindowCloseButtonHint));
    status->open(QStringLiteral("Top"), QStringLiteral("File:"), QStringLiteral("Page:"),
                 QStringLiteral("lesson.lif"));
    QVERIFY(status->isVisible());
    QCOMPARE(status->FileNameText->text(), QStringLiteral("lesson.lif"));
    QCOMPARE(status->FileNameLabel->text(), QStringLiteral("File:"));
    status->showPage(3);
    QCOMPARE(status->CurrentPageText->text(), QStringLiteral("3"));
    saveScreenshot(*status, QStringLiteral("printstatus"));
    status->close();
    QVERIFY(!status->isVisible());
}

QTEST_MAIN(TestPrintSetup)
#include "tst_printsetup.moc"
