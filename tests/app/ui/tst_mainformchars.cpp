#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/mainpopups.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "support/screenshot.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/vocabularylanguages.h"
#include "voctest/ui/testpage.h"
#include "widgets/chargrid.h"
#include "widgets/customizechar.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };
}

// The two character bars in the main window: their file, the language each page gives
// them, and the customize command of the page shown.
class TestMainFormChars : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> openOn(const QString &unit)
    {
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(unit);
        return form;
    }

    // Which bars ran their dialog, by name.
    QStringList customized;

    void recordCustomizing(TMainForm &form)
    {
        for (TCharGrid *bar : {form.inputPage()->CharGrid1, form.testPage()->CharGrid2})
            bar->setDialogRunner([this, bar](TCustomizeChar &dialog) {
                customized.append(bar->objectName() + u':' + QString::number(dialog.language()));
                return int(QDialog::Rejected);
            });
    }

private slots:
    void init()
    {
        setUpFixture();
        folder->copyFromData(QStringLiteral("SpecChar.lcf"));
        customized.clear();
    }
    void cleanup() { folder.reset(); }

    void eachBarShowsTheUnitsForeignLanguageOnItsPage()
    {
        makeUnit(QStringLiteral("german"), 3, vlBritishEnglish, vlGerman);
        makeUnit(QStringLiteral("greek"), 3, vlGerman, vlGreek);
        auto form = openOn(QStringLiteral("german"));
        TCharGrid *input = form->inputPage()->CharGrid1;
        TCharGrid *test = form->testPage()->CharGrid2;
        for (TCharGrid *bar : {input, test}) {
            QCOMPARE(bar->charFileName(), folder->filePath(QStringLiteral("SpecChar.lcf")));
            QCOMPARE(bar->images(), form->SmallFlags());
            QVERIFY(bar->languageFile().endsWith(QStringLiteral("english.llf")));
        }
        QCOMPARE(input->destination(), form->inputPage()->LumoDBGrid1);
        QCOMPARE(test->destination(), form->testPage()->AnswerEdit);

        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(input->language(), int(vlGerman));
        QVERIFY(input->characters().contains(u'ß'));
        QCOMPARE(test->language(), 0);

        QVERIFY(form->PageControl()->requestPage(Test));
        QCOMPARE(test->language(), int(vlGerman));
        QCOMPARE(test->characters(), input->characters());

        QVERIFY(form->PageControl()->requestPage(UnitManager));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("greek"));
        QVERIFY(form->PageControl()->requestPage(Input));
        QCOMPARE(input->language(), int(vlGreek));
        QVERIFY(input->characters().contains(u'ά'));
        QCOMPARE(test->language(), int(vlGerman));
    }

    void customizingWorksOnTheBarOfThePageShown()
    {
        makeUnit(QStringLiteral("french"), 3, vlGerman, vlFrench);
        auto form = openOn(QStringLiteral("french"));
        recordCustomizing(*form);
        const MainMenuActions &menu = form->MainMenu()->actions();
        QAction *popup = form->popups()->PopupCustomizeItem;
        QVERIFY(popup->isEnabled());
        QVERIFY(!menu.optionsCharacterBarItem->isEnabled());
        popup->trigger();
        QCOMPARE(customized, QStringList());

        QVERIFY(form->PageControl()->requestPage(Input));
        QVERIFY(menu.optionsCharacterBarItem->isEnabled());
        menu.optionsCharacterBarItem->trigger();
        QVERIFY(form->PageControl()->requestPage(Test));
        popup->trigger();
        QCOMPARE(customized, QStringList({"CharGrid1:4", "CharGrid2:4"}));

        QVERIFY(form->PageControl()->requestPage(Logbook));
        QVERIFY(!menu.optionsCharacterBarItem->isEnabled());
        popup->trigger();
        QCOMPARE(customized.size(), 2);
    }

    void theBarsTakeTheLanguageFileChosen()
    {
        makeUnit(QStringLiteral("unit"), 1);
        auto form = openOn(QStringLiteral("unit"));
        const QString german = folder->copyFromData(QStringLiteral("deutsch.llf"));
        form->ApplyLanguageFile(german);
        QCOMPARE(form->inputPage()->CharGrid1->languageFile(), german);
        QCOMPARE(form->testPage()->CharGrid2->languageFile(), german);
    }

    void screenshotOfTheInputPage()
    {
        makeUnit(QStringLiteral("spanish"), 12, vlBritishEnglish, vlSpanish);
        auto form = openOn(QStringLiteral("spanish"));
        form->resize(820, 560);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->PageControl()->requestPage(Input));
        TCharGrid *bar = form->inputPage()->CharGrid1;
        QVERIFY(bar->isVisible());
        QVERIFY(bar->characters().contains(u'ñ'));
        QVERIFY(bar->characters().contains(u'¿'));
        QVERIFY(bar->geometry().top() > form->inputPage()->LumoDBGrid1->geometry().bottom() - 1);
        saveScreenshot(*form, QStringLiteral("inputpage-charbar"));
    }
};

QTEST_MAIN(TestMainFormChars)
#include "tst_mainformchars.moc"
