#include "widgets/dialogbuttons.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
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
    QTest::newRow("as most dialogs have it") << false << "OKBtn"
                                             << "OK"
                                             << "&Help";
    QTest::newRow("names of its own") << true << "OkBtn"
                                      << "Ok"
                                      << "Help";
}

void TestDialogButtons::rowOfThree()
{
    QFETCH(bool, ownNames);
    QFETCH(QString, okName);
    QFETCH(QString, okCaption);
    QFETCH(QString, helpCaption);
    QDialog dialog;
    auto *field = new QLineEdit(&dialog);
    auto *row = new QHBoxLayout(&dialog);
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
    // Right-aligned after what the row held, in the tab order after it.
    QCOMPARE(row->indexOf(buttons.ok), 2);
    QCOMPARE(row->indexOf(buttons.help), 4);
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
