#include "app/ui/windowtexts.h"

#include "app/ui/mainmenubar.h"
#include "platform/ui/qmessageboxservice.h"
#include "uilang/translate.h"
#include "uilang/ui/toolkittranslation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace {
enum class Target { Caption, Hint, TopMenu, Page, Keep };

struct Rule
{
    const char *key;
    const char *english;
    Target target;
    const char *names; // component names, separated by blanks; the top-level index for TopMenu
};

// In the order the texts are read.
const Rule Rules[] = {
    {"FileNewItem", "&New", Target::Caption, "PopupNewItem FileNewItem"},
    {"FileNewVocFile", "&Vocabulary File", Target::Caption, "PopupNewVocFile FileNewVocFile"},
    {"FileNewGapText", "&GapText", Target::Caption, "PopupNewGapText FileNewGapText"},
    {"PopupDeleteItem", "&Delete", Target::Caption, "PopupDeleteItem PopupDeleteItem2"},
    {"PopupRenameItem", "Rena&me", Target::Caption, "PopupRenameItem PopupRenameItem2"},
    {"PopupPropertiesItem", "P&roperties", Target::Caption, "PopupPropertiesItem"},
    {"PopupBaseFolder", "&Set as base folder", Target::Caption, "PopupBaseFolder"},
    {"PopupNewFolder", "&New Folder", Target::Caption, "PopupNewFolder"},
    {"PopupCustomizeItem", "&Customize", Target::Caption, "PopupCustomizeItem"},
    {"FileMenu", "&File", Target::TopMenu, "0"},
    {"FileNewFolder", "&Folder", Target::Caption, "FileNewFolder"},
    {"FilePropertiesItem", "Properties...", Target::Caption, "FilePropertiesItem"},
    {"FileConvertItem", "&Convert...", Target::Caption, "FileConvertItem"},
    {"FilePrintItem", "&Print", Target::Caption, "FilePrintItem"},
    {"FilePrintSetupItem", "P&rint Setup...", Target::Caption, "FilePrintSetupItem"},
    {"FileExitItem", "E&xit", Target::Caption, "FileExitItem"},
    {"EditMenu", "&Edit", Target::TopMenu, "1"},
    {"EditUndoItem", "&Undo", Target::Caption, "EditUndoItem"},
    {"EditRedoItem", "&Redo", Target::Caption, "EditRedoItem"},
    {"EditCutItem", "Cu&t", Target::Caption, "EditCutItem"},
    {"EditCopyItem", "&Copy", Target::Caption, "EditCopyItem"},
    {"EditPasteItem", "&Paste", Target::Caption, "EditPasteItem"},
    {"SearchMenu", "&Search", Target::TopMenu, "2"},
    {"SearchFindItem", "&Find...", Target::Caption, "SearchFindItem"},
    {"SearchAgainItem", "&Search Again", Target::Caption, "SearchAgainItem"},
    {"ViewMenu", "&View", Target::TopMenu, "3"},
    {"ViewLargeIconsItem", "Lar&ge Icons", Target::Caption, "ViewLargeIconsItem"},
    {"ViewSmallIconsItem", "S&mall Icons", Target::Caption, "ViewSmallIconsItem"},
    {"ViewListItem", "&List", Target::Caption, "ViewListItem"},
    {"ViewDetailsItem", "&Details", Target::Caption, "ViewDetailsItem"},
    {"Hidenonvocabularyfolders", "&Hide non vocabulary folders", Target::Caption,
     "Hidenonvocabularyfolders1"},
    {"Makecurrentfoldernewbasefolder", "Set &base folder to current folder", Target::Caption,
     "Makecurrentfoldernewbasefolder1"},
    {"OptionsMenu", "&Options", Target::TopMenu, "4"},
    {"OptionsLanguageItem", "Program &Language...", Target::Caption, "OptionsLanguageItem"},
    {"OptionsCharacterBarItem", "&Customize Character Bar...", Target::Caption, "optionsCharacterBarItem"},
    {"TestMenu", "&Test", Target::TopMenu, "5"},
    {"TestSettingsItem", "&Settings...", Target::Caption, "TestSettingsItem"},
    {"HelpMenu", "&Help", Target::TopMenu, "6"},
    {"HelpContentsItem", "&Contents", Target::Caption, "HelpContentsItem"},
    {"HelpSearchItem", "&Search for Help On...", Target::Caption, "HelpSearchItem"},
    {"HelpHowToUseItem", "&How to Use Help", Target::Caption, "HelpHowToUseItem"},
    {"HelpAboutItem", "&About...", Target::Caption, "HelpAboutItem"},

    {"FileNewVocFileHint", "Create a new Vocabulary File", Target::Hint, "PopupNewVocFile FileNewVocFile"},
    {"FileNewGapTextHint", "Create a new Gap Text", Target::Hint, "PopupNewGapText FileNewGapText"},
    {"PopupDeleteItemHint", "Delete selected item", Target::Hint, "PopupDeleteItem PopupDeleteItem2"},
    {"PopupRenameItemHint", "Rename selected item", Target::Hint, "PopupRenameItem PopupRenameItem2"},
    {"PopupPropertiesItemHint", "View or change properties of the selected item", Target::Hint,
     "PopupPropertiesItem FilePropertiesItem"},
    {"PopupBaseFolderHint", "Set selected folder as new base folder", Target::Hint, "PopupBaseFolder"},
    {"PopupNewFolderHint", "Create a new folder", Target::Hint, "PopupNewFolder"},
    {"PopupCustomizeItemHint", "Customize the special character bar", Target::Hint, "PopupCustomizeItem"},
    {"FileNewFolderHint", "Create a new Folder", Target::Hint, "FileNewFolder"},
    {"FileConvertItemHint", "Convert old Lumo files", Target::Hint, "FileConvertItem"},
    {"FilePrintItemHint", "Print current file", Target::Hint, "FilePrintItem PrintSBtn PrintSBtn2"},
    {"FilePrintSetupItemHint", "Change printer setup", Target::Hint, "FilePrintSetupItem"},
    {"FileExitItemHint", "Exit this application", Target::Hint, "FileExitItem"},
    {"EditUndoItemHint", "Undo the last action", Target::Hint, "EditUndoItem"},
    {"EditRedoItemHint", "Redo the action undone last", Target::Hint, "EditRedoItem"},
    {"EditCutItemHint", "Delete selected item", Target::Hint, "EditCutItem"},
    {"EditCopyItemHint", "Copy selected item to clipboard", Target::Hint, "EditCopyItem"},
    {"EditPasteItemHint", "Paste contents of clipboard", Target::Hint, "EditPasteItem"},
    {"SearchFindItemHint", "Find an item the vocabulary grid", Target::Hint, "SearchFindItem"},
    {"SearchAgainItemHint", "Search again for the same item", Target::Hint, "SearchAgainItem"},
    {"ViewLargeIconsItemHint", "Displays Icons by using large icons", Target::Hint, "ViewLargeIconsItem"},
    {"ViewSmallIconsItemHint", "Displays Icons by using small icons", Target::Hint, "ViewSmallIconsItem"},
    {"ViewListItemHint", "Displays Icons in a list", Target::Hint, "ViewListItem"},
    {"ViewDetailsItemHint", "Displays information about each item in a window", Target::Hint,
     "ViewDetailsItem"},
    {"HidenonvocabularyfoldersHint", "Hide non vocabulary folders", Target::Hint,
     "Hidenonvocabularyfolders1"},
    {"MakecurrentfoldernewbasefolderHint", "Set base folder (top level folder) to current folder",
     Target::Hint, "Makecurrentfoldernewbasefolder1"},
    {"OptionsLanguageItemHint", "Displays a dialog box to change the program language", Target::Hint,
     "OptionsLanguageItem"},
    {"OptionsCharacterBarItemHint", "Customize the special character bar", Target::Hint,
     "optionsCharacterBarItem"},
    {"TestSettingsItemHint", "Configure your test profiles", Target::Hint, "TestSettingsItem"},
    {"HelpContentsItemHint", "Display the help contents screen", Target::Hint, "HelpContentsItem"},
    {"HelpSearchItemHint", "Search help file for a topic", Target::Hint, "HelpSearchItem"},
    {"HelpHowToUseItemHint", "Help on using the help system", Target::Hint, "HelpHowToUseItem"},
    {"HelpAboutItemHint", "Show program information", Target::Hint, "HelpAboutItem"},

    {"StartBtn", "&Start", Target::Caption, "StartBtn"},
    {"NextBtn", "&Next", Target::Keep, ""},
    {"PauseBtn", "Pause", Target::Caption, "PauseBtn"},
    {"StopBtn", "Stop", Target::Caption, "StopBtn"},
    {"ForwardOrder", "Forward", Target::Caption, "ForwardOrder"},
    {"BackwardOrder", "Backward", Target::Caption, "BackwardOrder"},
    {"RandomOrder", "Random", Target::Caption, "RandomOrder"},
    {"DueOrder", "&Due words", Target::Caption, "DueOrder"},
    {"ResetLogBtn", "&Reset", Target::Caption, "ResetLogBtn"},
    {"SaveMistakesBtn", "Save as new unit...", Target::Caption, "SaveMistakesBtn"},
    {"ListeningBtn", "Spell it", Target::Caption, "ListeningBtn"},
    {"ProgressLabel", "Progress", Target::Caption, "ProgressLabel"},
    {"MistakesLabel", "Mistakes", Target::Caption, "MistakesLabel"},
    {"ShowAnswerBtn", "Sho&w answer", Target::Caption, "ShowAnswerBtn"},
    {"GradeAgain", "&Again", Target::Caption, "GradeAgain"},
    {"GradeHard", "Ha&rd", Target::Caption, "GradeHard"},
    {"GradeGood", "&Good", Target::Caption, "GradeGood"},
    {"GradeEasy", "Eas&y", Target::Caption, "GradeEasy"},

    {"SortLeftBtnHint", "", Target::Hint, "SortLeftBtn"},
    {"SortNotBtnHint", "", Target::Hint, "SortNotBtn"},
    {"SortRightBtnHint", "", Target::Hint, "SortRightBtn"},
    {"ShowTypeColBtnHint", "", Target::Hint, "ShowTypeColBtn"},
    {"InsertRecordBtnHint", "", Target::Hint, "InsertRecordBtn"},
    {"DeleteRecordsBtnHint", "", Target::Hint, "DeleteRecords"},
    {"FindBtnHint", "", Target::Hint, "FindBtn"},
    {"ShowSoundToolsHint", "", Target::Hint, "ShowSoundTools"},
    {"DeleteSoundBtnHint", "", Target::Hint, "DeleteSoundBtn"},
    {"OpenWaveBtnHint", "", Target::Hint, "OpenWaveBtn"},
    {"NewBaseFolderHint", "", Target::Hint, "NewBaseFolder"},
    {"NewFolderHint", "", Target::Hint, "NewFolder"},
    {"NewFileHint", "", Target::Hint, "NewFile"},
    {"PopupDeleteItemHint", "", Target::Hint, "DeleteFile"},
    {"ViewLargeIconsItemHint", "", Target::Hint, "IconSBtn"},
    {"ViewSmallIconsItemHint", "", Target::Hint, "SmallIconSBtn"},
    {"ViewListItemHint", "", Target::Hint, "ListSBtn"},
    {"ViewDetailsItemHint", "", Target::Hint, "ReportSBtn"},
    {"StartBtnHint", "", Target::Hint, "StartBtn"},
    {"NextBtnHint", "", Target::Keep, ""},
    {"PauseBtnHint", "", Target::Hint, "PauseBtn"},
    {"StopBtnHint", "", Target::Hint, "StopBtn"},
    {"ForwardOrderHint", "", Target::Hint, "ForwardOrder"},
    {"BackwardOrderHint", "", Target::Hint, "BackwardOrder"},
    {"RandomOrderHint", "", Target::Hint, "RandomOrder"},
    {"DueOrderHint", "Ask the words that are due for review, then a few new ones", Target::Hint, "DueOrder"},
    {"SpellItHint", "Spell question", Target::Hint, "SpellIt"},
    {"ShowAnswerBtnHint", "Show the answer (Space or Enter)", Target::Hint, "ShowAnswerBtn"},
    {"GradeAgainHint", "Not known: counts as a mistake and comes back later in this test (1)", Target::Hint,
     "GradeAgain"},
    {"GradeHardHint", "Known, but only just (2)", Target::Hint, "GradeHard"},
    {"GradeGoodHint", "Known (3 or Enter)", Target::Hint, "GradeGood"},
    {"GradeEasyHint", "Known at once, without effort (4)", Target::Hint, "GradeEasy"},
    {"ConfigureTestBtnHint", "Test settings", Target::Hint, "ConfigureTestBtn"},
    {"ResetLogBtnHint", "Reset the logbook.", Target::Hint, "ResetLogBtn"},
    {"SaveMistakesBtnHint", "Create a new unit with the most complicated words.", Target::Hint,
     "SaveMistakesBtn"},

    {"UnitPage", "&Unit Manager", Target::Page, "UnitPage"},
    {"VocTestPage", "Vocabulary &Test", Target::Page, "VocTestPage"},
    {"VocInputPage", "Vocabulary &Input", Target::Page, "VocInputPage"},
    {"LogbookPage", "Review && &Logbook", Target::Page, "LogBookPage"},

    {"MsgNoVocFileSelected",
     "No file selected. Please select or create a file on the \"Unit Manager\"-page first.", Target::Keep,
     ""},
    {"MsgPackingTable", "Packing table. Please wait...", Target::Keep, ""},
    {"MsgNothingDue", "No words are due today.", Target::Keep, ""},
    {"MsgAbordTestOnPageChange",
     "If you change the page now, the test will be aborded. Do you want to abord the test?", Target::Keep,
     ""},
    {"MsgOldUnitFiles", "Lumo 3.0 Files", Target::Keep, ""},
    {"MsgSoundFiles", "Sound Files", Target::Keep, ""},
    {"LblRecording", "Recording...", Target::Keep, ""},
    {"LblPlaying", "Playing...", Target::Keep, ""},
    {"SoundLengthLabel", "30 sec", Target::Caption, "Label2"},
    {"MsgNotAWaveFile",
     "This file was not loaded, because it is not a wave sound file that can be played:", Target::Keep, ""},
    {"LastTestDateLabel", "Last test:", Target::Caption, "LastTestDateLabel"},
    {"TestCountLabel", "Test count:", Target::Caption, "TestCountLabel"},
    {"DueTodayLabel", "Due today:", Target::Caption, "DueTodayLabel"},
    {"DueWeekLabel", "Due in 7 days:", Target::Caption, "DueWeekLabel"},

    {"FileImportItem", "&Import Words...", Target::Caption, "FileImportItem"},
    {"FileExportItem", "&Export Words...", Target::Caption, "FileExportItem"},
    {"FileImportItemHint", "Import a word list (CSV, TSV or KVTML) into a unit", Target::Hint,
     "FileImportItem"},
    {"FileExportItemHint", "Export the selected unit as a word list", Target::Hint, "FileExportItem"},

    {"SpeakWordBtnHint", "Store the word, spoken by the speech synthesiser, as its sound", Target::Hint,
     "SpeakWordBtn"},
    {"MsgCannotSpeakWord", "This word cannot be spoken, so no sound was stored:", Target::Keep, ""},
};

void setCaption(QObject *target, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
}

void setHint(QObject *target, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(target)) {
        action->setStatusTip(text);
        action->setToolTip(text);
    } else if (auto *widget = qobject_cast<QWidget *>(target)) {
        widget->setStatusTip(text);
        widget->setToolTip(text);
    }
}

// Every named action and widget below the form, looked up once per language instead of a
// search of the whole window for each of the hundred names. Where two share a name, the one a
// search of the children level by level would meet first is kept.
class ComponentIndex
{
public:
    explicit ComponentIndex(const QObject &form) { add(form); }

    // Menu actions first: a top-level menu and its action share a name.
    QObject *find(const QString &name) const
    {
        if (QObject *action = m_actions.value(name))
            return action;
        return m_widgets.value(name);
    }

    QWidget *widget(const QString &name) const { return static_cast<QWidget *>(m_widgets.value(name)); }

    // Names given to two actions or two widgets; only the first of each gets its texts.
    QStringList shared() const { return m_shared; }

private:
    void add(const QObject &parent)
    {
        for (QObject *child : parent.children()) {
            const QString name = child->objectName();
            // The toolkit names the inner parts of its own controls alike in every control.
            if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
                continue;
            QHash<QString, QObject *> *names = qobject_cast<QAction *>(child) ? &m_actions
                                               : child->isWidgetType()        ? &m_widgets
                                                                              : nullptr;
            if (!names)
                continue;
            if (!names->contains(name))
                names->insert(name, child);
            else if (names->value(name) != child && !m_shared.contains(name))
                m_shared.append(name);
        }
        // A dialog or tool window below the form is a window of its own; menus belong to it.
        for (const QObject *child : parent.children()) {
            const auto *widget = qobject_cast<const QWidget *>(child);
            if (!widget || !widget->isWindow() || qobject_cast<const QMenu *>(widget))
                add(*child);
        }
    }

    QHash<QString, QObject *> m_actions;
    QHash<QString, QObject *> m_widgets;
    QStringList m_shared;
};
} // namespace

QStringList WindowTexts::sharedNames(const QObject &form)
{
    return ComponentIndex(form).shared();
}

QList<QPair<QString, QString>> WindowTexts::englishTexts()
{
    QList<QPair<QString, QString>> texts;
    for (const Rule &rule : Rules)
        texts.append({QString::fromLatin1(rule.key), QString::fromUtf8(rule.english)});
    return texts;
}

QString WindowTexts::kept(const QString &key) const
{
    const auto found = m_kept.constFind(key);
    if (found != m_kept.constEnd())
        return found.value();
    for (const Rule &rule : Rules)
        if (key == QLatin1String(rule.key))
            return QString::fromUtf8(rule.english);
    return QString();
}

void WindowTexts::apply(const QString &languageFile, QWidget &form, MainMenuBar &menu, QTabWidget &pages)
{
    const ComponentIndex components(form);
    for (const Rule &rule : Rules) {
        const QString key = QString::fromLatin1(rule.key);
        const QString text =
            Translate(languageFile, QStringLiteral("MainForm"), key, QString::fromUtf8(rule.english));
        const QStringList names = QString::fromLatin1(rule.names).split(u' ', Qt::SkipEmptyParts);
        switch (rule.target) {
        case Target::TopMenu:
            if (QMenu *top = menu.topLevel(names.value(0).toInt()))
                top->setTitle(text);
            break;
        case Target::Page:
            if (QWidget *page = components.widget(names.value(0)))
                pages.setTabText(pages.indexOf(page), text);
            break;
        case Target::Caption:
        case Target::Hint:
            for (const QString &name : names)
                if (QObject *target = components.find(name))
                    rule.target == Target::Caption ? setCaption(target, text) : setHint(target, text);
            break;
        case Target::Keep: break;
        }
        // The window keeps the start and next captions and hints and its messages.
        if (rule.target == Target::Keep || key == QStringLiteral("StartBtn") ||
            key == QStringLiteral("StartBtnHint"))
            m_kept.insert(key, text);
    }
}

namespace {
// The hint a button was last named by, so that the next language names it anew.
const char *const NamedFromHint = "lumoNamedFromHint";
} // namespace

void WindowTexts::nameForScreenReaders(const QString &languageFile, QWidget &form)
{
    // Controls with a caption are named by it; these panes have none on screen.
    const auto name = [&](const char *objectName, const char *key, const char *english) {
        const QString text =
            Translate(languageFile, QStringLiteral("MainForm"), QLatin1String(key), QLatin1String(english));
        for (QWidget *control : form.findChildren<QWidget *>(QLatin1String(objectName)))
            control->setAccessibleName(text);
    };
    name("PageControl", "PagesName", "Pages");
    name("TestVariants", "TestVariantsName", "Test variant");
    name("AnswerEdit", "AnswerName", "Answer");
    name("ProgressBar1", "SoundPositionName", "Sound position");
    name("LumoDBGrid1", "VocabularyGridName", "Word pairs");
    name("LumoDBLogGrid1", "MistakesGridName", "Mistaken word pairs");
    name("LumoTreeView1", "FolderTreeName", "Folders");
    // The file list shows one of its views at a time; each is named.
    for (QWidget *list : form.findChildren<QWidget *>(QStringLiteral("LumoListView1")))
        for (QAbstractItemView *view : list->findChildren<QAbstractItemView *>())
            view->setAccessibleName(Translate(languageFile, QStringLiteral("MainForm"),
                                              QStringLiteral("UnitListName"), QStringLiteral("Units")));
    // Buttons that show a glyph only are named by their hint, as translated just now.
    for (QAbstractButton *button : form.findChildren<QAbstractButton *>()) {
        const bool ownName = !button->accessibleName().isEmpty() &&
                             button->accessibleName() != button->property(NamedFromHint).toString();
        if (!button->text().isEmpty() || button->toolTip().isEmpty() || ownName)
            continue;
        button->setAccessibleName(button->toolTip());
        button->setProperty(NamedFromHint, button->toolTip());
    }
}

void WindowTexts::applyToolkitTexts(const QString &fileName)
{
    ApplyToolkitTranslation(fileName);
    const auto general = [&fileName](const char *key, const QString &english) {
        return Translate(fileName, QStringLiteral("general"), QString::fromLatin1(key), english);
    };
    const QMessageBoxService::ButtonTexts english;
    QMessageBoxService::setButtonTexts({general("YesBtn", english.yes), general("NoBtn", english.no),
                                        general("OKBtn", english.ok), general("CancelBtn", english.cancel)});
}
