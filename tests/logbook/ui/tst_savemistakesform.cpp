// The save-mistakes dialog: its controls, texts and the choice it hands on.

#include "logbook/ui/savemistakesform.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "widgets/updown.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

class TestSaveMistakesForm : public QObject
{
    Q_OBJECT

private:
    ScriptedMessageService m_messages;

private slots:
    void init() { m_messages = ScriptedMessageService(); }

    void controlsStartAsTheUserExpects()
    {
        TSaveMistakesForm form(m_messages, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Save Mistakes"));
        const QStringList names{"FileNameLabel",
                                "FileNameEdit",
                                "DescriptionLabel",
                                "DescriptionEdit",
                                "AllEntriesRadioBtn",
                                "SomeEntriesRadioBtn",
                                "MistakesEdit",
                                "MistakesUpDown",
                                "SomeEntriesLabel",
                                "SaveSound",
                                "OKBtn",
                                "CancelBtn"};
        for (const QString &name : names)
            QVERIFY2(form.findChild<QWidget *>(name), qPrintable(name));
        QVERIFY(form.AllEntriesRadioBtn->isChecked());
        QVERIFY(!form.SomeEntriesRadioBtn->isChecked());
        QCOMPARE(form.MistakesEdit->text(), QStringLiteral("0"));
        QVERIFY(!form.MistakesEdit->isEnabled());
        QVERIFY(!form.MistakesUpDown->isEnabled());
        QCOMPARE(form.MistakesUpDown->minimum(), 0);
        QVERIFY(!form.SaveSound->isChecked());
        QVERIFY(form.OKBtn->isDefault());
        QCOMPARE(form.SomeEntriesLabel->text(), QStringLiteral("mistakes."));
        QCOMPARE(form.SaveSound->text(), QStringLiteral("Save assigned sound too."));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.FileNameEdit);
        // Escape closes with Cancel.
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
    }

    void radioButtonsEnableTheNumber()
    {
        TSaveMistakesForm form(m_messages, nullptr);
        form.SomeEntriesRadioBtn->click();
        QVERIFY(form.MistakesEdit->isEnabled());
        QVERIFY(form.MistakesUpDown->isEnabled());
        form.MistakesUpDown->upButton()->click();
        form.MistakesUpDown->upButton()->click();
        QCOMPARE(form.choice().moreThan, 2);
        QVERIFY(!form.choice().allEntries);
        // Only whole numbers go in.
        form.MistakesEdit->clear();
        QTest::keyClicks(form.MistakesEdit, QStringLiteral("x3-"));
        QCOMPARE(form.MistakesEdit->text(), QStringLiteral("3"));
        form.AllEntriesRadioBtn->click();
        QVERIFY(!form.MistakesEdit->isEnabled());
        QVERIFY(!form.MistakesUpDown->isEnabled());
        QVERIFY(form.choice().allEntries);
    }

    void captionsComeFromTheLanguageFile()
    {
        TSaveMistakesForm form(m_messages, nullptr);
        form.applyLanguageFile(TestFolder::shippedFile(QStringLiteral("deutsch.llf")),
                               QStringLiteral("LumoDBLogGrid1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Fehler speichern"));
        QCOMPARE(form.FileNameLabel->text(), QStringLiteral("Dateiname:"));
        QCOMPARE(form.SomeEntriesRadioBtn->text(), QStringLiteral("Nur Einträge mit mehr als"));
        QCOMPARE(form.OKBtn->text(), QStringLiteral("OK"));
        QCOMPARE(form.CancelBtn->text(), QStringLiteral("Abbrechen"));
        // Every caption fits: the dialog grew for the longer texts.
        QVERIFY(form.width() >= form.sizeHint().width());
        form.applyLanguageFile(QString(), QStringLiteral("LumoDBLogGrid1"));
        QCOMPARE(form.SaveSound->text(), QStringLiteral("Save assigned sound too."));
    }

    void okClosesOnlyWhenDone()
    {
        TestFolder folder;
        TSaveMistakesForm form(m_messages, nullptr);
        form.Source.folder = folder.path();
        form.FileNameEdit->setText(QStringLiteral("   "));
        form.OKBtn->click();
        QCOMPARE(form.result(), int(QDialog::Accepted)); // nothing to do
        QCOMPARE(form.FileNameEdit->text(), QString());
        form.setResult(QDialog::Rejected);
        form.FileNameEdit->setText(QStringLiteral(" a?b "));
        form.OKBtn->click();
        QCOMPARE(form.FileNameEdit->text(), QStringLiteral("a?b"));
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(m_messages.shown().size(), 1);
        QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    }

    void screenshot()
    {
        TSaveMistakesForm form(m_messages, nullptr);
        form.FileNameEdit->setText(QStringLiteral("hard verbs"));
        form.DescriptionEdit->setText(QStringLiteral("The ones I keep missing"));
        form.SomeEntriesRadioBtn->click();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(saveScreenshot(form, QStringLiteral("savemistakesform")));
        // Nothing is cut off: every control lies inside the dialog, the label after the number.
        for (QWidget *child : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                QVERIFY2(form.rect().contains(child->geometry()), qPrintable(child->objectName()));
        QVERIFY(form.SomeEntriesLabel->x() > form.MistakesUpDown->geometry().right());
    }
};

QTEST_MAIN(TestSaveMistakesForm)
#include "tst_savemistakesform.moc"
