#include "widgets/dialogbuttons.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The button row that closes the dialogs: names, order, default, Cancel and the help key.
class TestDialogButtons : public QObject
{
    Q_OBJECT

private slots:
    void rowOfThree_data();
    void rowOfThree();
};

void TestDialogButtons::rowOfThree_data()
{
    QTest::addColumn<bool>("ownNames");
    QTest::addColumn<QString>("okName");
    QTest::addColumn<QString>("okCaption");
    QTest::addColumn<QString>("helpCaption");
    QTest::addColumn<bool>("column");
    QTest::newRow("as most dialogs have it") << false << "OKBtn"
                                             << "OK"
                                             << "&Help" << false;
    QTest::newRow("names of its own") << true << "OkBtn"
                                      << "Ok"
                                      << "Help" << false;
    QTest::newRow("a column") << false << "OKBtn"
                              << "OK"
                              << "&Help" << true;
}

void TestDialogButtons::rowOfThree()
{
    QFETCH(bool, ownNames);
    QFETCH(QString, okName);
    QFETCH(QString, okCaption);
    QFETCH(QString, helpCaption);
    QFETCH(bool, column);
    QDialog dialog;
    auto *field = new QLineEdit(&dialog);
    auto *row = new QBoxLayout(column ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, &dialog);
    row->addWidget(field);
    const DialogButtons buttons =
        ownNames ? DialogButtons(dialog, *row, {"OkBtn", "Ok", "Help"}) : DialogButtons(dialog, *row);
    QCOMPARE(buttons.ok->objectName(), okName);
    QCOMPARE(buttons.ok->text(), okCaption);
    QCOMPARE(buttons.cancel->objectName(), QStringLiteral("CancelBtn"));
    QCOMPARE(buttons.cancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(buttons.help->objectName(), QStringLiteral("HelpBtn"));
    QCOMPARE(buttons.help->text(), helpCaption);
    QVERIFY(buttons.ok->isDefault());
    // Right-aligned after what the row held, or at the top below what the column held; in
    // the tab order after it either way.
    QCOMPARE(row->count(), 5);
    const int first = column ? 1 : 2;
    QVERIFY(row->itemAt(column ? 4 : 1)->spacerItem() != nullptr);
    QCOMPARE(row->indexOf(buttons.ok), first);
    QCOMPARE(row->indexOf(buttons.cancel), first + 1);
    QCOMPARE(row->indexOf(buttons.help), first + 2);
    QCOMPARE(field->nextInFocusChain(), buttons.ok);
    QCOMPARE(buttons.ok->nextInFocusChain(), buttons.cancel);
    QCOMPARE(buttons.cancel->nextInFocusChain(), buttons.help);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy help(buttons.help, &QPushButton::clicked);
    QSignalSpy ok(buttons.ok, &QPushButton::clicked);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    field->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(help.count(), 1);
    buttons.help->setEnabled(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(help.count(), 1);
    QCOMPARE(ok.count(), 0);
    QTest::mouseClick(buttons.cancel, Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestDialogButtons)
#include "tst_dialogbuttons.moc"
