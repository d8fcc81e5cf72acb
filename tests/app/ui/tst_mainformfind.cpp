#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/finddlg.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "support/screenshot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"
#include "widgets/speedbutton.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2 };
} // namespace

// Find and sort as the main window offers them on the input page.
class TestMainFormFind : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    // Entries 1 dog/Hund, 2 apple/Zitrone, 3 cat/Apfel: by native words 2 3 1, by foreign
    // words 3 1 2.
    std::unique_ptr<TMainForm> formOnInputPage(int native = 2, int foreign = 6,
                                               const QList<QStringList> &pairs = {
                                                   {"dog", "Hund"}, {"apple", "Zitrone"}, {"cat", "Apfel"}})
    {
        const QString descriptor = units + QStringLiteral("pets.lif");
        UnitDescriptor(descriptor)
            .write(native, foreign, QStringLiteral("pets"), QStringLiteral("MS Sans Serif"));
        {
            TLumoTable table(messages);
            table.setVocabularyFile(units + QStringLiteral("pets.db"));
            table.open();
            for (const QStringList &pair : pairs)
                table.appendRecord({QVariant(), pair.at(0), pair.at(1), 1});
        }
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("pets"));
        if (!form->PageControl()->requestPage(Input))
            qWarning("the input page did not open");
        return form;
    }

    static QList<qint64> keysInOrder(TLumoTable &table)
    {
        QList<qint64> keys;
        for (int row = 0; row < table.recordCount(); ++row)
            keys.append(table.valueAt(row, TLumoTable::Count).toLongLong());
        return keys;
    }

    // Drags the title of one column onto the place of another, as a user swaps them.
    static void dragColumn(QHeaderView *header, int from, int to)
    {
        QWidget *viewport = header->viewport();
        const int y = header->height() / 2;
        const QPoint start(header->sectionViewportPosition(from) + header->sectionSize(from) / 2, y);
        const QPoint end(header->sectionViewportPosition(to) + 5, y);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        for (const QPoint &at : {start + QPoint(-10, 0), (start + end) / 2, end}) {
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void findCommandsSearchTheGridOnTheInputPageOnly()
    {
        auto form = formOnInputPage();
        const MainMenuActions &menu = form->MainMenu()->actions();
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        QCOMPARE(menu.SearchFindItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(menu.SearchAgainItem->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(menu.SearchFindItem->isEnabled() && menu.SearchAgainItem->isEnabled());
        QVERIFY(form->inputPage()->FindBtn->isEnabled());
        int asked = 0;
        grid->setFindDialogRunner([&](TFindDlg &dialog) {
            ++asked;
            dialog.FindWhatEdit->setText(QStringLiteral("APFEL"));
            return int(QDialog::Accepted);
        });
        TLumoTable *table = form->LumoTable1();
        menu.SearchFindItem->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(table->fieldValue(TLumoTable::Count).toLongLong(), 3);
        form->inputPage()->FindBtn->click();
        QCOMPARE(asked, 2);
        QCOMPARE(table->fieldValue(TLumoTable::Count).toLongLong(), 3); // the only match
        grid->FindText = QStringLiteral("o");
        menu.SearchAgainItem->trigger();
        QCOMPARE(table->fieldValue(TLumoTable::Count).toLongLong(), 1); // dog, after wrapping
        menu.SearchAgainItem->trigger();
        QCOMPARE(table->fieldValue(TLumoTable::Count).toLongLong(), 2); // Zitrone
        QVERIFY(messages.texts().isEmpty());

        QVERIFY(form->PageControl()->requestPage(Test));
        menu.SearchFindItem->trigger();
        menu.SearchAgainItem->trigger();
        QCOMPARE(asked, 2);
    }

    // Turkish pairs I with ı and İ with i; only a side whose words are Turkish searches so,
    // even on a desktop whose own locale is Turkish.
    void eachSideIsSearchedByTheCaseRulesOfItsLanguage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("native");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<qint64>("found");
        QTest::newRow("German I is i") << "I" << true << false << qint64(2);
        QTest::newRow("Turkish I is dotless") << "I" << false << true << qint64(3);
        QTest::newRow("Turkish dotted capital") << "İYİ" << false << true << qint64(4);
        QTest::newRow("both sides") << "ILIK" << true << true << qint64(3);
        QTest::newRow("German knows no dotted capital") << "İ" << true << false << qint64(1);
    }
    void eachSideIsSearchedByTheCaseRulesOfItsLanguage()
    {
        QFETCH(QString, typed);
        QFETCH(bool, native);
        QFETCH(bool, foreign);
        QFETCH(qint64, found);
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        // German words, Turkish translations.
        auto form =
            formOnInputPage(6, 13, {{"Hund", "köpek"}, {"Bild", "resim"}, {"warm", "ılık"}, {"gut", "iyi"}});
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        grid->setFindDialogRunner([&](TFindDlg &dialog) {
            dialog.FindWhatEdit->clear();
            // As a keyboard layout sends a letter it has a key for: the text with no key code.
            for (const QChar letter : typed) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(letter));
                QApplication::sendEvent(dialog.FindWhatEdit, &press);
                QApplication::sendEvent(dialog.FindWhatEdit, &release);
            }
            for (auto [box, wanted] :
                 {std::pair{dialog.NativeLanguage, native}, {dialog.ForeignLanguage, foreign}})
                if (box->isChecked() != wanted)
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            return int(QDialog::Accepted);
        });
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(grid->FindText, typed);
        QCOMPARE(form->LumoTable1()->fieldValue(TLumoTable::Count).toLongLong(), found);
    }

    void sortButtonsChooseTheOrderOfTheColumnsWords()
    {
        auto form = formOnInputPage();
        InputPage *page = form->inputPage();
        TLumoTable *table = form->LumoTable1();
        QVERIFY(page->SortNotBtn->down());
        QCOMPARE(keysInOrder(*table), (QList<qint64>{1, 2, 3}));
        QVERIFY(page->SortLeftBtn->isEnabled() && page->SortRightBtn->isEnabled());
        page->SortLeftBtn->click();
        QVERIFY(page->SortLeftBtn->down() && !page->SortNotBtn->down());
        QCOMPARE(table->indexName(), QStringLiteral("NativeIndex"));
        QCOMPARE(keysInOrder(*table), (QList<qint64>{2, 3, 1}));
        page->SortRightBtn->click();
        QCOMPARE(table->indexName(), QStringLiteral("ForeignIndex"));
        QCOMPARE(keysInOrder(*table), (QList<qint64>{3, 1, 2}));
        page->SortNotBtn->click();
        QCOMPARE(table->indexName(), QString());
        QCOMPARE(keysInOrder(*table), (QList<qint64>{1, 2, 3}));
    }

    void afterSwappingTheColumnsLeftSortsByTheForeignWords()
    {
        auto form = formOnInputPage();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        InputPage *page = form->inputPage();
        TLumoDBGrid *grid = page->LumoDBGrid1;
        dragColumn(grid->horizontalHeader(), 1, 0);
        QCOMPARE(grid->horizontalHeader()->visualIndex(1), 0);
        QCOMPARE(grid->fieldAtPlace(0), QStringLiteral("ForeignLanguage"));
        page->SortLeftBtn->click();
        QCOMPARE(form->LumoTable1()->indexName(), QStringLiteral("ForeignIndex"));
        page->SortRightBtn->click();
        QCOMPARE(form->LumoTable1()->indexName(), QStringLiteral("NativeIndex"));
    }

    void theChosenOrderOrdersForwardAndBackwardTests()
    {
        auto form = formOnInputPage();
        form->inputPage()->SortRightBtn->click();
        QVERIFY(form->PageControl()->requestPage(Test));
        form->testPage()->ForwardOrder->click();
        QCOMPARE(form->LumoVocTest1()->testQueue(), (QList<qint64>{3, 1, 2}));
        form->testPage()->BackwardOrder->click();
        QCOMPARE(form->LumoVocTest1()->testQueue(), (QList<qint64>{2, 1, 3}));
        QVERIFY(form->PageControl()->requestPage(Input));
        form->inputPage()->SortLeftBtn->click();
        QVERIFY(form->PageControl()->requestPage(Test));
        form->testPage()->ForwardOrder->click();
        QCOMPARE(form->LumoVocTest1()->testQueue(), (QList<qint64>{2, 3, 1}));
    }

    void sortingWithoutAnOpenTableDoesNothing()
    {
        auto form = formOnInputPage();
        form->LumoTable1()->close();
        form->inputPage()->SortLeftBtn->click();
        QCOMPARE(form->LumoTable1()->indexName(), QString());
        QVERIFY(messages.texts().isEmpty());
    }

    void screenshotWithTheDialogOpen()
    {
        if (screenshotFolder().isEmpty())
            QSKIP("no screenshot folder");
        auto form = formOnInputPage();
        form->resize(760, 420);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QImage shot;
        form->inputPage()->LumoDBGrid1->setFindDialogRunner([&](TFindDlg &dialog) {
            dialog.FindWhatEdit->setText(QStringLiteral("Apfel"));
            dialog.show();
            if (QTest::qWaitForWindowExposed(&dialog)) {
                // The window with the dialog where it stands over it.
                shot = form->grab().toImage();
                QPainter painter(&shot);
                painter.drawPixmap(dialog.geometry().topLeft() - form->geometry().topLeft(), dialog.grab());
            }
            return int(QDialog::Rejected);
        });
        form->MainMenu()->actions().SearchFindItem->trigger();
        QVERIFY(!shot.isNull());
        QVERIFY(saveScreenshot(shot, QStringLiteral("inputpage-find")));
    }
};

QTEST_MAIN(TestMainFormFind)
#include "tst_mainformfind.moc"
