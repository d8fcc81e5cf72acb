#include "app/ui/mainmenubar.h"

#include <QActionGroup>
#include <QMenu>

MainMenuBar::MainMenuBar(QWidget *parent) : QMenuBar(parent)
{
    setObjectName(QStringLiteral("MainMenu"));
    buildFile();
    buildEditAndSearch();
    buildView();
    buildOptionsTestHelp();
}

QMenu *MainMenuBar::topLevel(int index) const
{
    return m_topLevel.value(index);
}

QAction *MainMenuBar::item(const QString &name) const
{
    return findChild<QAction *>(name);
}

QMenu *MainMenuBar::addTopLevel(const QString &name, const QString &caption)
{
    QMenu *menu = addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_topLevel.append(menu);
    return menu;
}

QAction *MainMenuBar::addItem(QMenu *menu, QAction *&member, const QString &name, const QString &caption)
{
    member = menu->addAction(caption);
    member->setObjectName(name);
    return member;
}

void MainMenuBar::buildFile()
{
    QMenu *file = addTopLevel(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    QMenu *fileNew = file->addMenu(QStringLiteral("&New"));
    fileNew->menuAction()->setObjectName(QStringLiteral("FileNewItem"));
    addItem(fileNew, m_actions.FileNewVocFile, QStringLiteral("FileNewVocFile"),
            QStringLiteral("&Vocabulary File"));
    addItem(fileNew, m_actions.FileNewGapText, QStringLiteral("FileNewGapText"), QStringLiteral("&Gap Text"))
        ->setEnabled(false);
    addItem(fileNew, m_actions.FileNewFolder, QStringLiteral("FileNewFolder"), QStringLiteral("&Folder"));
    addItem(file, m_actions.FilePropertiesItem, QStringLiteral("FilePropertiesItem"),
            QStringLiteral("Properties..."));
    addItem(file, m_actions.FileConvertItem, QStringLiteral("FileConvertItem"),
            QStringLiteral("&Convert old Lumo units..."));
    addItem(file, m_actions.FileImportItem, QStringLiteral("FileImportItem"),
            QStringLiteral("&Import Words..."));
    addItem(file, m_actions.FileExportItem, QStringLiteral("FileExportItem"),
            QStringLiteral("&Export Words..."));
    file->addSeparator();
    addItem(file, m_actions.FilePrintItem, QStringLiteral("FilePrintItem"), QStringLiteral("&Print"));
    addItem(file, m_actions.FilePrintSetupItem, QStringLiteral("FilePrintSetupItem"),
            QStringLiteral("P&rint Setup..."));
    file->addSeparator();
    addItem(file, m_actions.FileExitItem, QStringLiteral("FileExitItem"), QStringLiteral("E&xit"));
}

void MainMenuBar::buildEditAndSearch()
{
    QMenu *edit = addTopLevel(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    // Enabled on the input page only; there the keys also reach the cell editor.
    const auto command = [&](QAction *&member, const char *name, const char *caption,
                             QList<QKeySequence> keys) {
        QAction *action = addItem(edit, member, QString::fromLatin1(name), QString::fromLatin1(caption));
        action->setShortcuts(keys);
        action->setEnabled(false);
    };
    command(m_actions.EditUndoItem, "EditUndoItem", "&Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    command(m_actions.EditRedoItem, "EditRedoItem", "&Redo",
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    command(m_actions.EditCutItem, "EditCutItem", "Cu&t", {QKeySequence(Qt::CTRL | Qt::Key_X)});
    command(m_actions.EditCopyItem, "EditCopyItem", "&Copy", {QKeySequence(Qt::CTRL | Qt::Key_C)});
    command(m_actions.EditPasteItem, "EditPasteItem", "&Paste", {QKeySequence(Qt::CTRL | Qt::Key_V)});

    QMenu *search = addTopLevel(QStringLiteral("SearchMenu"), QStringLiteral("&Search"));
    addItem(search, m_actions.SearchFindItem, QStringLiteral("SearchFindItem"), QStringLiteral("&Find..."))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(search, m_actions.SearchAgainItem, QStringLiteral("SearchAgainItem"),
            QStringLiteral("&Search Again"))
        ->setShortcut(QKeySequence(Qt::Key_F3));
}

void MainMenuBar::buildView()
{
    QMenu *view = addTopLevel(QStringLiteral("ViewMenu"), QStringLiteral("&View"));
    auto *styles = new QActionGroup(this);
    const struct
    {
        QAction **action;
        const char *name;
        const char *caption;
    } items[] = {
        {&m_actions.ViewLargeIconsItem, "ViewLargeIconsItem", "Lar&ge Icons"},
        {&m_actions.ViewSmallIconsItem, "ViewSmallIconsItem", "S&mall Icons"},
        {&m_actions.ViewListItem, "ViewListItem", "&List"},
        {&m_actions.ViewDetailsItem, "ViewDetailsItem", "&Details"},
    };
    for (const auto &i : items) {
        QAction *a = addItem(view, *i.action, QString::fromLatin1(i.name), QString::fromLatin1(i.caption));
        a->setCheckable(true);
        styles->addAction(a);
    }
    view->addSeparator();
    QAction *hide =
        addItem(view, m_actions.Hidenonvocabularyfolders1, QStringLiteral("Hidenonvocabularyfolders1"),
                QStringLiteral("&Hide non vocabulary folders"));
    hide->setCheckable(true);
    hide->setChecked(true);
    addItem(view, m_actions.Makecurrentfoldernewbasefolder1,
            QStringLiteral("Makecurrentfoldernewbasefolder1"),
            QStringLiteral("Set &base folder to current folder"));
}

void MainMenuBar::buildOptionsTestHelp()
{
    QMenu *options = addTopLevel(QStringLiteral("OptionsMenu"), QStringLiteral("&Options"));
    addItem(options, m_actions.OptionsLanguageItem, QStringLiteral("OptionsLanguageItem"),
            QStringLiteral("Program &Language..."));
    addItem(options, m_actions.optionsCharacterBarItem, QStringLiteral("optionsCharacterBarItem"),
            QStringLiteral("&Customize Character Bar..."));

    QMenu *test = addTopLevel(QStringLiteral("TestMenu"), QStringLiteral("&Test"));
    addItem(test, m_actions.TestSettingsItem, QStringLiteral("TestSettingsItem"),
            QStringLiteral("Configure &Test Settings..."));

    QMenu *help = addTopLevel(QStringLiteral("HelpMenu"), QStringLiteral("&Help"));
    addItem(help, m_actions.HelpContentsItem, QStringLiteral("HelpContentsItem"),
            QStringLiteral("&Contents"));
    addItem(help, m_actions.HelpSearchItem, QStringLiteral("HelpSearchItem"),
            QStringLiteral("&Search for Help On..."));
    addItem(help, m_actions.HelpHowToUseItem, QStringLiteral("HelpHowToUseItem"),
            QStringLiteral("&How to Use Help"));
    help->addSeparator();
    addItem(help, m_actions.HelpAboutItem, QStringLiteral("HelpAboutItem"), QStringLiteral("&About..."));
}

// A hidden menu also leaves the bar, which answers the mnemonic of every menu it holds, shown
// or not: a hidden "&Search" would make Alt+S of the test page's "&Start" ambiguous.
void MainMenuBar::showTopMenu(int index, bool shown)
{
    QAction *action = topLevel(index)->menuAction();
    action->setVisible(shown);
    const QList<QAction *> held = QWidget::actions();
    if (!shown) {
        removeAction(action);
        return;
    }
    if (held.contains(action))
        return;
    QAction *before = nullptr;
    for (int next = index + 1; !before && topLevel(next); ++next)
        if (held.contains(topLevel(next)->menuAction()))
            before = topLevel(next)->menuAction();
    insertAction(before, action);
}

void MainMenuBar::checkViewStyle(int style)
{
    const QList<QAction *> styles{m_actions.ViewLargeIconsItem, m_actions.ViewSmallIconsItem,
                                  m_actions.ViewListItem, m_actions.ViewDetailsItem};
    if (style >= 0 && style < styles.size()) {
        styles.at(style)->setChecked(true);
        return;
    }
    QActionGroup *group = styles.first()->actionGroup();
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction *action : styles)
        action->setChecked(false);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}
