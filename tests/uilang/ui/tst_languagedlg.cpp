#include "support/screenshot.h"
#include "support/testfolder.h"
#include "uilang/ui/languagedlg.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestLanguageDlg : public QObject
{
    Q_OBJECT

private slots:
    void currentFileIsPreselectedWhateverItsCase()
    {
        TestFolder folder;
        folder.copyFromData(QStringLiteral("english.llf"));
        folder.copyFromData(QStringLiteral("deutsch.llf"));
        TLanguageDlg dialog;
        dialog.setPath(folder.path());
        dialog.setLanguageFile(folder.path() + QStringLiteral("ENGLISH.LLF"));
        QString shown;
        QStringList entries;
        dialog.setFormRunner([&](TLanguageSelect &form) {
            shown = form.LanguageComboBox->currentText();
            for (int i = 0; i < form.LanguageComboBox->count(); ++i)
                entries.append(form.LanguageComboBox->itemText(i));
            saveScreenshot(form, QStringLiteral("languageselect"));
            form.LanguageComboBox->setCurrentIndex(0); // "Deutsch" sorts first
            return int(QDialog::Accepted);
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(shown, QStringLiteral("English"));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(dialog.languageFile(), folder.filePath(QStringLiteral("deutsch.llf")));
    }

    void sameDescriptionTwiceGivesEachItsFile()
    {
        TestFolder folder;
        folder.writeText(QStringLiteral("a.llf"), QStringLiteral("[general]\nDescription=Twin\n"));
        folder.writeText(QStringLiteral("b.llf"), QStringLiteral("[general]\nDescription=Twin\n"));
        folder.writeText(QStringLiteral("c.llf"), QStringLiteral("[general]\nDescription=error\n"));
        folder.writeText(QStringLiteral("d.llf"), QStringLiteral("[general]\nOther=1\n"));
        folder.writeFile(QStringLiteral("e.llf"), QByteArray("\x00\x01\xff binary", 10));
        folder.writeFile(QStringLiteral("f.llf"), QByteArray());
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("g.llf")));
        for (int pick = 0; pick < 2; ++pick) {
            TLanguageDlg dialog;
            dialog.setPath(folder.path());
            int count = -1;
            dialog.setFormRunner([&](TLanguageSelect &form) {
                count = form.LanguageComboBox->count();
                form.LanguageComboBox->setCurrentIndex(pick);
                return int(QDialog::Accepted);
            });
            QVERIFY(dialog.Execute());
            QCOMPARE(count, 2);
            QCOMPARE(dialog.languageFile(),
                     folder.filePath(pick == 0 ? QStringLiteral("a.llf") : QStringLiteral("b.llf")));
        }
    }

    void pathWithoutSlashIsExtended()
    {
        TestFolder folder;
        folder.copyFromData(QStringLiteral("english.llf"));
        TLanguageDlg dialog;
        QString path = folder.path();
        path.chop(1);
        dialog.setPath(path);
        dialog.setFormRunner([](TLanguageSelect &form) {
            form.LanguageComboBox->setCurrentIndex(0);
            return int(QDialog::Accepted);
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.path(), folder.path());
        QCOMPARE(dialog.languageFile(), folder.filePath(QStringLiteral("english.llf")));
    }

    void cancelAndNoChoiceChangeNothing()
    {
        TestFolder folder;
        folder.copyFromData(QStringLiteral("english.llf"));
        TLanguageDlg dialog;
        dialog.setPath(folder.path());
        dialog.setLanguageFile(QStringLiteral("/nowhere/old.llf"));
        bool okEnabled = true;
        dialog.setFormRunner([&](TLanguageSelect &form) {
            okEnabled = form.OKBtn->isEnabled();
            return int(QDialog::Rejected);
        });
        QVERIFY(!dialog.Execute());
        QVERIFY(!okEnabled); // nothing preselected: OK cannot be pressed
        QCOMPARE(dialog.languageFile(), QStringLiteral("/nowhere/old.llf"));
    }

    void formHasAFixedBorderAndIsCentredOnTheScreen_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("English") << QStringLiteral("english.llf");
        QTest::newRow("German") << QStringLiteral("deutsch.llf");
    }

    void formHasAFixedBorderAndIsCentredOnTheScreen()
    {
        QFETCH(QString, languageFile);
        TestFolder folder;
        TLanguageDlg dialog;
        dialog.setPath(folder.path());
        dialog.setLanguageFile(folder.copyFromData(languageFile));
        // A main window off the screen's centre: the chooser does not follow it.
        QWidget owner;
        owner.setGeometry(10, 10, 200, 120);
        owner.show();
        QSize size, minimum, maximum;
        QPoint centre;
        dialog.setFormRunner([&](TLanguageSelect &form) {
            form.show();
            size = form.size();
            minimum = form.minimumSize();
            maximum = form.maximumSize();
            centre = form.frameGeometry().center();
            return int(QDialog::Rejected);
        });
        dialog.Execute(&owner);
        QCOMPARE(size, QSize(312, 168));
        QCOMPARE(minimum, size);
        QCOMPARE(maximum, size);
        const QPoint screenCentre = owner.screen()->availableGeometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    }

    void captionsComeFromTheLanguageFile()
    {
        TestFolder folder;
        const QString german = folder.copyFromData(QStringLiteral("deutsch.llf"));
        TLanguageDlg dialog;
        dialog.setPath(folder.path());
        dialog.setLanguageFile(german);
        QString cancel, label;
        dialog.setFormRunner([&](TLanguageSelect &form) {
            cancel = form.CancelBtn->text();
            label = form.Label1->text();
            return int(QDialog::Rejected);
        });
        dialog.Execute();
        QCOMPARE(cancel, QStringLiteral("Abbrechen"));
        QVERIFY(label != QStringLiteral("Select a program language:"));
    }
};

QTEST_MAIN(TestLanguageDlg)
#include "tst_languagedlg.moc"
