#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"
#include "vocfile/specialcharacterfile.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/chargrid.h"
#include "widgets/customizechar.h"
#include "widgets/imagelist.h"
#include "widgets/languagecombobox.h"

#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
QString section(int language, const QString &characters)
{
    QString text = QStringLiteral("[LANGUAGE%1]\r\n").arg(language);
    for (int slot = 0; slot < characters.size(); ++slot)
        text += QStringLiteral("Char%1=%2\r\n")
                    .arg(slot)
                    .arg(SpecialCharacterFile::codeOf(language, characters.at(slot)));
    return text;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The map cell that shows code: 32 codes a row, from 32 on.
QPoint mapCell(int code)
{
    return {(code - TCustomizeChar::FirstMapCode) % TCustomizeChar::MapColumns,
            (code - TCustomizeChar::FirstMapCode) / TCustomizeChar::MapColumns};
}

QString mapCharacter(const TCustomizeChar &dialog, int code)
{
    const QPoint cell = mapCell(code);
    const QChar character = TCharGrid::cellCharacter(*dialog.CharMap, cell.y(), cell.x());
    return character.isNull() ? QString() : QString(character);
}

void pickFromMap(TCustomizeChar &dialog, int code)
{
    const QPoint cell = mapCell(code);
    dialog.CharMapMouseDown(cell.y(), cell.x());
}

QString barText(const TCustomizeChar &dialog)
{
    QString text;
    for (const QChar character : dialog.barCharacters())
        text.append(character.isNull() ? QChar(u'_') : character);
    while (text.endsWith(u'_'))
        text.chop(1);
    return text;
}
} // namespace

// The customize dialog as the bar runs it: what it shows, what it saves and when.
class TestCustomizeChar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    QString charFile;
    std::unique_ptr<TCharGrid> bar;

    QString saved(int language) const { return SpecialCharacterFile(charFile).leadingCharacters(language); }

    // Runs Customize with script as the user; returns what the dialog was closed with.
    void customize(const std::function<int(TCustomizeChar &)> &script)
    {
        bar->setDialogRunner(script);
        bar->Customize();
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages.clear();
        charFile = folder->writeText(QStringLiteral("SpecChar.lcf"),
                                     QStringLiteral("; sets\r\n") + section(vlGerman, QStringLiteral("äöü")) +
                                         section(vlFrench, QStringLiteral("éè")) +
                                         section(vlGreek, QStringLiteral("ά")));
        bar = std::make_unique<TCharGrid>(QStringLiteral("CharGrid1"), nullptr);
        bar->setMessageService(messages);
        bar->setLanguage(vlGerman);
        bar->setCharFileName(charFile);
    }

    void cleanup()
    {
        bar.reset();
        folder.reset();
    }

    void theDialogOpensOnTheBarsLanguage()
    {
        TImageList flags(QSize(16, 16), nullptr);
        for (int language = 0; language < LanguageCount; ++language) {
            QPixmap picture(16, 16);
            picture.fill(QColor::fromHsv(language * 18, 200, 200));
            flags.Add(QIcon(picture));
        }
        bar->setImages(&flags);
        customize([&](TCustomizeChar &dialog) {
            [&] {
                QCOMPARE(dialog.size(), QSize(445, 268));
                QCOMPARE(dialog.LanguageComboBox->count(), LanguageCount);
                QCOMPARE(dialog.LanguageComboBox->currentIndex(), int(vlGerman));
                QCOMPARE(dialog.LanguageComboBox->SelectedLanguage(), int(vlGerman));
                QCOMPARE(dialog.LanguageComboBox->images()->count(), LanguageCount);
                QCOMPARE(dialog.language(), int(vlGerman));
                QCOMPARE(dialog.CharBar->columnCount(), SpecialCharacterFile::SlotCount);
                QCOMPARE(barText(dialog), QStringLiteral("äöü"));
                QCOMPARE(dialog.CharBar->currentColumn(), 0);
                QCOMPARE(dialog.CharMap->rowCount(), 7);
                QCOMPARE(dialog.CharMap->columnCount(), 32);
                QCOMPARE(mapCharacter(dialog, 32), QStringLiteral(" "));
                QCOMPARE(mapCharacter(dialog, 65), QStringLiteral("A"));
                QCOMPARE(mapCharacter(dialog, 0xDF), QStringLiteral("ß"));
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Customize Character Bar"));
                QCOMPARE(dialog.HelpBtn->text(), QStringLiteral("Help"));
            }();
            return int(QDialog::Rejected);
        });
        QVERIFY(!QTest::currentTestFailed());
    }

    void aLanguageOutsideTheListOpensTheFirst()
    {
        bar->setLanguage(25);
        customize([&](TCustomizeChar &dialog) {
            [&] {
                QCOMPARE(dialog.LanguageComboBox->currentIndex(), 0);
                QCOMPARE(dialog.language(), 0);
            }();
            return int(QDialog::Rejected);
        });
        QVERIFY(!QTest::currentTestFailed());
    }

    void theMapShowsTheCodePageOfTheLanguageEdited()
    {
        customize([&](TCustomizeChar &dialog) {
            [&] {
                QCOMPARE(mapCharacter(dialog, 0xE1), QStringLiteral("á"));
                QCOMPARE(mapCharacter(dialog, 0xFE), QStringLiteral("þ"));
                dialog.LanguageComboBox->setCurrentIndex(vlGreek);
                QCOMPARE(mapCharacter(dialog, 0xE1), QStringLiteral("α"));
                QCOMPARE(mapCharacter(dialog, 0xA2), QStringLiteral("Ά"));
                QCOMPARE(mapCharacter(dialog, 0xD2), QString()); // unassigned in Greek
                QCOMPARE(barText(dialog), QStringLiteral("ά"));
                dialog.LanguageComboBox->setCurrentIndex(vlTurkish);
                QCOMPARE(mapCharacter(dialog, 0xFE), QStringLiteral("ş"));
                QCOMPARE(mapCharacter(dialog, 0xDD), QStringLiteral("İ"));
                QCOMPARE(mapCharacter(dialog, 0xFD), QStringLiteral("ı"));
                // A Greek letter picked from the map is saved under its Greek code.
                dialog.LanguageComboBox->setCurrentIndex(vlGreek);
                dialog.CharBar->setCurrentCell(0, 1);
                pickFromMap(dialog, 0xF9);
                dialog.OKBtn->click();
            }();
            return dialog.result();
        });
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(saved(vlGreek), QStringLiteral("άω"));
        QCOMPARE(bar->language(), int(vlGreek));
        QCOMPARE(bar->characters(), QStringLiteral("άω"));
    }

    void pickingFromTheMapFillsTheSelectedSlotAndMovesOn()
    {
        customize([&](TCustomizeChar &dialog) {
            [&] {
                dialog.CharBar->setCurrentCell(0, 3);
                pickFromMap(dialog, 0xDF);
                QCOMPARE(dialog.CharBar->currentColumn(), 4);
                pickFromMap(dialog, 32);
                QCOMPARE(barText(dialog), QStringLiteral("äöüß "));
                dialog.CharBar->setCurrentCell(0, 0);
                pickFromMap(dialog, 0xC4);
                QCOMPARE(barText(dialog), QStringLiteral("Äöüß "));
                QCOMPARE(dialog.CharBar->currentColumn(), 1);
                // The last slot keeps the selection.
                dialog.CharBar->setCurrentCell(0, 69);
                pickFromMap(dialog, 0x40);
                QCOMPARE(dialog.CharBar->currentColumn(), 69);
                QCOMPARE(dialog.barCharacters().at(69), QChar(u'@'));
            }();
            return int(QDialog::Rejected);
        });
        QVERIFY(!QTest::currentTestFailed());
        // Nothing was saved: no language change, no OK.
        QCOMPARE(saved(vlGerman), QStringLiteral("äöü"));
        QCOMPARE(bar->characters(), QStringLiteral("äöü"));
    }

    void okSavesAndTheBarShowsTheNewSet()
    {
        customize([&](TCustomizeChar &dialog) {
            dialog.CharBar->setCurrentCell(0, 3);
            pickFromMap(dialog, 0xDF);
            dialog.OKBtn->click();
            return dialog.result();
        });
        QCOMPARE(saved(vlGerman), QStringLiteral("äöüß"));
        QCOMPARE(bar->characters(), QStringLiteral("äöüß"));
        QCOMPARE(bar->language(), int(vlGerman));
        QVERIFY(contents(charFile).startsWith("; sets"));
        QVERIFY(messages.shown().isEmpty());
    }

    void cancelAfterALanguageChangeKeepsTheSavedSet()
    {
        customize([&](TCustomizeChar &dialog) {
            dialog.CharBar->setCurrentCell(0, 3);
            pickFromMap(dialog, 0xDF);
            dialog.LanguageComboBox->setCurrentIndex(vlFrench);
            [&] {
                QCOMPARE(saved(vlGerman), QStringLiteral("äöüß"));
                QCOMPARE(dialog.language(), int(vlFrench));
                QCOMPARE(barText(dialog), QStringLiteral("éè"));
            }();
            dialog.CharBar->setCurrentCell(0, 2);
            pickFromMap(dialog, 0xE7);
            dialog.CancelBtn->click();
            return dialog.result();
        });
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(saved(vlGerman), QStringLiteral("äöüß"));
        QCOMPARE(saved(vlFrench), QStringLiteral("éè"));
        // The bar reloads only after OK.
        QCOMPARE(bar->language(), int(vlGerman));
        QCOMPARE(bar->characters(), QStringLiteral("äöü"));
    }

    void okAfterALanguageChangeShowsThatLanguage()
    {
        customize([&](TCustomizeChar &dialog) {
            dialog.LanguageComboBox->setCurrentIndex(vlFrench);
            dialog.OKBtn->click();
            return dialog.result();
        });
        QCOMPARE(bar->language(), int(vlFrench));
        QCOMPARE(bar->characters(), QStringLiteral("éè"));
    }

    void withoutTheFileTheDialogIsEmptyAndSavesNothing()
    {
        QVERIFY(QFile::remove(charFile));
        customize([&](TCustomizeChar &dialog) {
            [&] { QCOMPARE(barText(dialog), QString()); }();
            pickFromMap(dialog, 0xDF);
            dialog.LanguageComboBox->setCurrentIndex(vlFrench);
            pickFromMap(dialog, 0xE9);
            dialog.OKBtn->click();
            return dialog.result();
        });
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(!QFile::exists(charFile));
        QVERIFY(messages.shown().isEmpty());
        // The bar keeps what it showed, under the language chosen.
        QCOMPARE(bar->characters(), QStringLiteral("äöü"));
        QCOMPARE(bar->language(), int(vlFrench));
    }

    void captionsComeFromTheLanguageFile()
    {
        const QString languageFile = folder->writeText(
            QStringLiteral("deutsch.llf"),
            QStringLiteral(
                "[general]\r\nOKBtn=Gut\r\nCancelBtn=Abbruch\r\nHelpBtn=&Hilfe\r\nLanguage6=Deutsch\r\n"
                "[CharGrid1]\r\nCaption=Zeichenleiste anpassen\r\n"));
        bar->setLanguageFile(languageFile);
        customize([&](TCustomizeChar &dialog) {
            [&] {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Zeichenleiste anpassen"));
                QCOMPARE(dialog.OKBtn->text(), QStringLiteral("Gut"));
                QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Abbruch"));
                QCOMPARE(dialog.HelpBtn->text(), QStringLiteral("&Hilfe"));
                QCOMPARE(TLanguageComboBox::EntryName(dialog.LanguageComboBox->itemText(vlGerman)),
                         QStringLiteral("Deutsch"));
            }();
            return int(QDialog::Rejected);
        });
        QVERIFY(!QTest::currentTestFailed());
    }

    void helpAsksForTheDialogsTopic()
    {
        QSignalSpy help(bar.get(), &TCharGrid::helpRequested);
        customize([&](TCustomizeChar &dialog) {
            dialog.HelpBtn->click();
            return int(QDialog::Rejected);
        });
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), 300);
    }

    void aReadOnlyFileIsReportedAndNothingIsLost()
    {
        if (WithoutRoot::inChild()) {
            bar->setCharFileName(WithoutRoot::values().at(0));
            customize([&](TCustomizeChar &dialog) {
                dialog.CharBar->setCurrentCell(0, 3);
                pickFromMap(dialog, 0xDF);
                dialog.OKBtn->click();
                [&] {
                    QCOMPARE(dialog.result(), int(QDialog::Rejected));
                    QCOMPARE(messages.shown().size(), 1);
                    QCOMPARE(messages.shown().at(0).kind, MessageService::Kind::Error);
                    QVERIFY(messages.texts().at(0).startsWith(
                        QStringLiteral("The special characters could not be saved in this file:")));
                    QVERIFY(messages.texts().at(0).endsWith(WithoutRoot::values().at(0)));
                    // Turning to another language keeps the unsaved set on screen.
                    dialog.LanguageComboBox->setCurrentIndex(vlFrench);
                    QCOMPARE(messages.shown().size(), 2);
                    QCOMPARE(dialog.LanguageComboBox->currentIndex(), int(vlGerman));
                    QCOMPARE(dialog.language(), int(vlGerman));
                    QCOMPARE(barText(dialog), QStringLiteral("äöüß"));
                }();
                return int(QDialog::Rejected);
            });
            QVERIFY(!QTest::currentTestFailed());
            return;
        }
        const QByteArray before = contents(charFile);
        WithoutRoot::handOver(folder->path());
        QVERIFY(QFile::setPermissions(charFile, QFileDevice::ReadOwner | QFileDevice::ReadOther));
        VERIFY_WITHOUT_ROOT({charFile});
        QCOMPARE(contents(charFile), before);
    }

    void screenshot()
    {
        bar->setLanguage(vlGreek);
        customize([&](TCustomizeChar &dialog) {
            dialog.show();
            dialog.CharBar->setCurrentCell(0, 1);
            const QImage picture = dialog.grab().toImage();
            saveScreenshot(picture, QStringLiteral("customizechar"));
            [&] {
                // The map is drawn: its Greek letters leave dark pixels in its cells.
                const QRect map = dialog.CharMap->geometry();
                int dark = 0;
                for (int y = map.top(); y <= map.bottom(); ++y)
                    for (int x = map.left(); x <= map.right(); ++x)
                        dark += qGray(picture.pixel(x, y)) < 100 ? 1 : 0;
                QVERIFY(dark > 500);
                QVERIFY(dialog.CharBar->geometry().bottom() < dialog.OKBtn->geometry().top());
                QVERIFY(dialog.rect().contains(dialog.HelpBtn->geometry()));
            }();
            return int(QDialog::Rejected);
        });
        QVERIFY(!QTest::currentTestFailed());
    }
};

QTEST_MAIN(TestCustomizeChar)
#include "tst_customizechar.moc"
