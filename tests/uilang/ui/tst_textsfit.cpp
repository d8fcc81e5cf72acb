#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainpopups.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "logbook/ui/logbookpage.h"
#include "platform/ini/inifile.h"
#include "support/screenshot.h"
#include "uilang/translate.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/unittestlog.h"
#include "voctest/ui/mistakereportform.h"
#include "voctest/ui/testfinished.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"
#include "voctest/voctestcaptions.h"
#include "voctest/voctestui.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
// A caption as shown: "&" marks the mnemonic, "&&" shows one ampersand.
QString shownText(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

QChar mnemonicOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i;
    }
    return QChar();
}

QString nameOf(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The room a button leaves its caption: a check box's or radio button's indicator, a push
// button's frame.
int textRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(button))
        contents = QStyle::SE_RadioButtonContents;
    int room = button->style()->subElementRect(contents, &option, button).width();
    if (!button->icon().isNull())
        room -= button->iconSize().width() + 4;
    return room;
}

// Every label, button and frame caption shown in window whose text is wider (or, wrapped,
// higher) than the control leaves it.
QStringList clippedTexts(QWidget &window)
{
    QStringList clipped;
    const auto check = [&](const QWidget *widget, const QString &text, int room, int need) {
        if (need > room)
            clipped.append(
                QStringLiteral("%1 \"%2\" needs %3, has %4").arg(nameOf(widget), text).arg(need).arg(room));
    };
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        // A control squeezed to no width at all hides its text as surely as a narrow one.
        if (!widget->isVisibleTo(&window) || widget->isWindow())
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            const QString text = shownText(label->text());
            if (text.isEmpty() || Qt::mightBeRichText(text))
                continue;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                const QRect needed =
                    metrics.boundingRect(QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, text);
                check(label, text, room.width(), needed.width());
                check(label, text + QStringLiteral(" (height)"), room.height(), needed.height());
            } else {
                const QStringList lines = text.split(u'\n');
                for (const QString &line : lines)
                    check(label, line, room.width(), metrics.horizontalAdvance(line));
                check(label, text + QStringLiteral(" (height)"), room.height(),
                      int(lines.size()) * metrics.height());
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            const QString text = shownText(button->text());
            const auto *tool = qobject_cast<QToolButton *>(button);
            if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                continue; // its text is only its name
            if (!text.isEmpty())
                check(button, text, textRoom(button), metrics.horizontalAdvance(text));
        } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            const QString text = shownText(frame->title());
            if (!text.isEmpty())
                check(frame, text, frame->contentsRect().width() - 8,
                      metrics.horizontalAdvance(text.trimmed()));
        }
    }
    return clipped;
}

// Mnemonics that two controls of one dialog share, or that a control of a page shares with a
// top menu or a page tab of the window.
QStringList sharedMnemonics(QWidget &window)
{
    QHash<QChar, QString> owners;
    QStringList shared;
    // Menu titles and tabs among themselves are checked with the menus.
    for (const QMenuBar *bar : window.findChildren<QMenuBar *>())
        for (const QAction *top : bar->actions())
            if (top->isVisible() && !mnemonicOf(top->text()).isNull())
                owners.insert(mnemonicOf(top->text()), top->text());
    for (const QTabBar *tabs : window.findChildren<QTabBar *>())
        for (int i = 0; tabs->isVisibleTo(&window) && i < tabs->count(); ++i)
            if (!mnemonicOf(tabs->tabText(i)).isNull())
                owners.insert(mnemonicOf(tabs->tabText(i)), tabs->tabText(i));
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window) || widget->isWindow())
            continue;
        QString caption;
        if (auto *label = qobject_cast<QLabel *>(widget))
            caption = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            caption = button->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            caption = frame->title();
        const QChar key = mnemonicOf(caption);
        if (key.isNull())
            continue;
        if (owners.contains(key))
            shared.append(QStringLiteral("'%1': %2 and %3").arg(key).arg(owners.value(key), nameOf(widget)));
        else
            owners.insert(key, nameOf(widget));
    }
    return shared;
}
// Mnemonics that two items of one menu share, or two of the keys the main window answers
// to with Alt: its top menus and its page tabs.
QStringList menuMnemonicClashes(TMainForm &form)
{
    QStringList shared;
    const auto checkGroup = [&](const QString &where, const QStringList &captions) {
        QHash<QChar, QString> owners;
        for (const QString &caption : captions) {
            const QChar key = mnemonicOf(caption);
            if (key.isNull())
                continue;
            if (owners.contains(key))
                shared.append(
                    QStringLiteral("%1 '%2': \"%3\" and \"%4\"").arg(where, key, owners.value(key), caption));
            else
                owners.insert(key, caption);
        }
    };
    QStringList altKeys;
    for (const QAction *top : form.menuBar()->actions())
        if (top->isVisible())
            altKeys.append(top->text());
    QTabBar *tabs = form.PageControl()->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        altKeys.append(tabs->tabText(i));
    checkGroup(QStringLiteral("menu bar and tabs"), altKeys);
    for (const QMenu *menu : form.findChildren<QMenu *>()) {
        QStringList items;
        for (const QAction *item : menu->actions())
            if (!item->isSeparator() && item->isVisible())
                items.append(item->text());
        checkGroup(menu->objectName().isEmpty() ? menu->title() : menu->objectName(), items);
    }
    return shared;
}
} // namespace

// Every caption of every dialog and page fits its control in every shipped language, and no
// dialog gives one mnemonic to two controls.
class TestTextsFit : public QObject, public MainFormFixture
{
    Q_OBJECT

    QString m_language; // "english", "deutsch"
    QStringList m_faults;
    QStringList m_seen;
    std::function<void(QDialog &)> m_inside; // runs in the next dialog shown, before it closes

    void inspect(QWidget &window, const QString &name)
    {
        // As the user sees it: after the layouts have taken the new texts into account.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const int earlier = int(m_seen.count(name));
        m_seen.append(name);
        // The toolkit's own dialogs are only looked at: their texts come from its translations.
        const bool own = !QByteArray(window.metaObject()->className()).startsWith('Q');
        for (const QString &fault : own ? clippedTexts(window) : QStringList())
            m_faults.append(name + QStringLiteral(": ") + fault);
        for (const QString &fault : own ? sharedMnemonics(window) : QStringList())
            m_faults.append(name + QStringLiteral(": mnemonic ") + fault);
        saveScreenshot(window, QStringLiteral("textsfit/") + m_language + u'-' + name +
                                   (earlier > 0 ? QString::number(earlier + 1) : QString()));
    }

    // Each dialog the program shows is looked at and closed once its event loop runs.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isWindow() &&
            !dialog->property("inspected").toBool()) {
            dialog->setProperty("inspected", true);
            QTimer::singleShot(0, dialog, [this, dialog] {
                inspect(*dialog, nameOf(dialog));
                if (auto inside = std::exchange(m_inside, nullptr))
                    inside(*dialog);
                dialog->reject();
            });
        }
        return QObject::eventFilter(watched, event);
    }

    void trigger(TMainForm &form, const char *action)
    {
        auto *item = form.findChild<QAction *>(QString::fromLatin1(action));
        QVERIFY2(item && item->isEnabled(), action);
        item->trigger();
    }

    void enterPage(TMainForm &form, int page)
    {
        QTabBar *tabs = form.PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QCOMPARE(form.PageControl()->currentIndex(), page);
    }

private slots:
    void init()
    {
        setUpFixture();
        for (const QString &name :
             QDir(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path())
                 .entryList({QStringLiteral("*.ltf"), QStringLiteral("*.ldl"), QStringLiteral("*.lcf")}))
            folder->copyFromData(name);
        qApp->installEventFilter(this);
    }
    void cleanup()
    {
        qApp->removeEventFilter(this);
        folder.reset();
    }

    void everyCaptionFits_data()
    {
        QTest::addColumn<QString>("languageFile");
        const QDir data(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path());
        for (const QString &file : data.entryList({QStringLiteral("*.llf")}))
            QTest::newRow(qPrintable(file)) << file;
    }

    void everyCaptionFits()
    {
        QFETCH(QString, languageFile);
        m_language = QFileInfo(languageFile).baseName();
        m_faults.clear();
        m_seen.clear();
        const QString file = folder->copyFromData(languageFile);
        // Every text the program asks for on the way has its key in the file: a key missing
        // from the English file would be missing from every translation made from it.
        QSet<QString> askedFor;
        SetTranslateObserver([&](const QString &section, const QString &key) {
            askedFor.insert(section.toLower() + u'/' + key.toLower());
        });
        auto stopObserving = qScopeGuard([] { SetTranslateObserver(nullptr); });
        // American English has the longest name, shown as the question's language on the
        // test page.
        const QString unit = makeUnit(QStringLiteral("animals"), 3, 1, 6);
        // A date as long as the logbook may show.
        UnitTestLog(unit).append(1, QStringLiteral("28 Sep 2026"));
        folder->writeText(QStringLiteral("words.csv"), QStringLiteral("Hund;dog\nKatze;cat\n"));
        const auto form = createForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QSize before = form->size();
        form->ApplyLanguageFile(file);
        QCOMPARE(form->size(), before); // another language does not widen the window
        form->wordLists()->setWordListChooser(
            [this](bool, const QString &) { return folder->filePath(QStringLiteral("words.csv")); });
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));

        m_faults += menuMnemonicClashes(*form);

        // The unit manager and its dialogs.
        inspect(*form, QStringLiteral("UnitPage"));
        trigger(*form, "FileNewVocFile");
        trigger(*form, "FilePropertiesItem");
        trigger(*form, "OptionsLanguageItem");
        trigger(*form, "FileImportItem");
        trigger(*form, "FilePrintItem");
        trigger(*form, "FileConvertItem"); // the toolkit's file dialog, in the file's language

        // The input page, its find and character bar dialogs, and the word types' list.
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        enterPage(*form, 2);
        QCOMPARE(QFileInfo(form->CurrentUnitFile()).baseName(), QStringLiteral("animals"));
        inspect(*form, QStringLiteral("InputPage"));
        trigger(*form, "SearchFindItem");
        form->popups()->PopupCustomizeItem->trigger();
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        auto *types = form->findChild<QListWidget *>(QStringLiteral("PickList"));
        QVERIFY(types && types->isVisible());
        // An item view keeps a few pixels beside an item's text.
        const int room = types->viewport()->width() - 6;
        for (int i = 0; i < types->count(); ++i) {
            const int need = types->fontMetrics().horizontalAdvance(types->item(i)->text());
            if (need > room)
                m_faults.append(QStringLiteral("PickList: \"%1\" needs %2, has %3")
                                    .arg(types->item(i)->text())
                                    .arg(need)
                                    .arg(room));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        // The test page with its settings dialog and the dialogs that one opens.
        enterPage(*form, 1);
        inspect(*form, QStringLiteral("TestPage"));
        // A flash card before and after its answer is shown, then stopped.
        TestPage *test = form->testPage();
        test->TestVariants->setCurrentIndex(
            TestVariantList::indexOfFile(test->variants().paths(), QStringLiteral("6-flashcards.ltf")));
        QTest::mouseClick(test->StartBtn, Qt::LeftButton);
        inspect(*form, QStringLiteral("TestPageFlashCard"));
        QTest::mouseClick(test->ShowAnswerBtn, Qt::LeftButton);
        QVERIFY(test->GradeEasy->isVisible());
        inspect(*form, QStringLiteral("TestPageFlashCardAnswer"));
        test->StopBtn->click();
        m_inside = [this](QDialog &settings) {
            auto &dialog = static_cast<TTestParamsDlg &>(settings);
            dialog.NewBtn->click();
            dialog.ConfigureBtn->click();
        };
        form->testPage()->ConfigureTestBtn->click();
        const VocTestCaptions captions = VocTestCaptions::load(file, QStringLiteral("LumoVocTest1"));
        TMistakeReportForm report;
        MistakeReport mistake;
        mistake.question = QStringLiteral("Hund");
        mistake.answer = QStringLiteral("dog");
        report.setContent(mistake, captions);
        report.show();
        inspect(report, QStringLiteral("MistakeReportForm"));
        report.close();
        TTestFinished summary(form.get());
        TestSummary result;
        result.wordCount = 3;
        result.mistakeCount = 1;
        summary.setContent(result, captions);
        summary.show();
        QCoreApplication::processEvents();

        // The logbook and its dialog.
        enterPage(*form, 3);
        inspect(*form, QStringLiteral("LogbookPage"));
        form->logbookPage()->SaveMistakesBtn->click();

        QVERIFY2(m_faults.isEmpty(), qPrintable(m_faults.join(u'\n')));
        const IniFile texts(file);
        QStringList missing;
        for (const QString &asked : std::as_const(askedFor))
            if (!texts.valueExists(asked.section(u'/', 0, 0), asked.section(u'/', 1)))
                missing.append(asked);
        missing.sort();
        QVERIFY(askedFor.size() > 300);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(form->size(), before); // no page of another language widens the window
        for (const char *dialog :
             {"NewVocFile", "LanguageSelect", "ImportDlg", "PrintSetup", "FindDlg", "CustomizeChar",
              "TestParamsDlg", "NewTestProfile", "ConfigureDiscardList", "TestFinished", "SaveMistakesForm"})
            QVERIFY2(m_seen.count(QString::fromLatin1(dialog)) >= 1,
                     qPrintable(QStringLiteral("%1 not shown; shown: %2").arg(dialog, m_seen.join(u' '))));
        QCOMPARE(m_seen.count(QStringLiteral("NewVocFile")), 2); // new and properties
    }
};

QTEST_MAIN(TestTextsFit)
#include "tst_textsfit.moc"
