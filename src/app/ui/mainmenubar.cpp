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

QAction *MainMenuBar::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MainMenuBar::buildFile()
{
    QMenu *file = addTopLevel(QStringLiteral("FileMenu"), QStringLiteral("&File"));
    QMenu *fileNew = file->addMenu(QStringLiteral("&New"));
    fileNew->menuAction()->setObjectName(QStringLiteral("FileNewItem"));
    addItem(fileNew, QStringLiteral("FileNewVocFile"), QStringLiteral("&Vocabulary File"));
    addItem(fileNew, QStringLiteral("FileNewGapText"), QStringLiteral("&Gap Text"))->setEnabled(false);
    addItem(fileNew, QStringLiteral("FileNewFolder"), QStringLiteral("&Folder"));
    addItem(file, QStringLiteral("FilePropertiesItem"), QStringLiteral("Properties..."));
    addItem(file, QStringLiteral("FileConvertItem"), QStringLiteral("&Convert old Lumo units..."));
    file->addSeparator();
    addItem(file, QStringLiteral("FilePrintItem"), QStringLiteral("&Print"));
    addItem(file, QStringLiteral("FilePrintSetupItem"), QStringLiteral("P&rint Setup..."));
    file->addSeparator();
    addItem(file, QStringLiteral("FileExitItem"), QStringLiteral("E&xit"));
}

void MainMenuBar::buildEditAndSearch()
{
    QMenu *edit = addTopLevel(QStringLiteral("EditMenu"), QStringLiteral("&Edit"));
    addItem(edit, QStringLiteral("EditUndoItem"), QStringLiteral("&Undo"))->setEnabled(false);
    edit->addSeparator();
    addItem(edit, QStringLiteral("EditCutItem"), QStringLiteral("Cu&t"))->setEnabled(false);
    addItem(edit, QStringLiteral("EditCopyItem"), QStringLiteral("&Copy"))->setEnabled(false);
    addItem(edit, QStringLiteral("EditPasteItem"), QStringLiteral("&Paste"))->setEnabled(false);

    QMenu *search = addTopLevel(QStringLiteral("SearchMenu"), QStringLiteral("&Search"));
    addItem(search, QStringLiteral("SearchFindItem"), QStringLiteral("&Find..."))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(search, QStringLiteral("SearchAgainItem"), QStringLiteral("&Search Again"))
        ->setShortcut(QKeySequence(Qt::Key_F3));
}

void MainMenuBar::buildView()
{
    QMenu *view = addTopLevel(QStringLiteral("ViewMenu"), QStringLiteral("&View"));
    auto *styles = new QActionGroup(this);
    const struct
    {
        const char *name;
        const char *caption;
    } items[] = {
        {"ViewLargeIconsItem", "Lar&ge Icons"},
        {"ViewSmallIconsItem", "S&mall Icons"},
        {"ViewListItem", "&List"},
        {"ViewDetailsItem", "&Details"},
    };
    for (const auto &i : items) {
        QAction *a = addItem(view, QString::fromLatin1(i.name), QString::fromLatin1(i.caption));
        a->setCheckable(true);
        styles->addAction(a);
    }
    view->addSeparator();
    QAction *hide = addItem(view, QStringLiteral("Hidenonvocabularyfolders1"),
                            QStringLiteral("&Hide non vocabulary folders"));
    hide->setCheckable(true);
    hide->setChecked(true);
    addItem(view, QStringLiteral("Makecurrentfoldernewbasefolder1"),
            QStringLiteral("Set &base folder to current folder"));
}

void MainMenuBar::buildOptionsTestHelp()
{
    QMenu *options = addTopLevel(QStringLiteral("OptionsMenu"), QStringLiteral("&Options"));
    addItem(options, QStringLiteral("OptionsLanguageItem"), QStringLiteral("Program &Language..."));
    addItem(options, QStringLiteral("optionsCharacterBarItem"),
            QStringLiteral("&Customize Character Bar..."));

    QMenu *test = addTopLevel(QStringLiteral("TestMenu"), QStringLiteral("&Test"));
    addItem(test, QStringLiteral("TestSettingsItem"), QStringLiteral("Configure &Test Settings..."));

    QMenu *help = addTopLevel(QStringLiteral("HelpMenu"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("HelpContentsItem"), QStringLiteral("&Contents"));
    addItem(help, QStringLiteral("HelpSearchItem"), QStringLiteral("&Search for Help On..."));
    addItem(help, QStringLiteral("HelpHowToUseItem"), QStringLiteral("&How to Use Help"));
    help->addSeparator();
    addItem(help, QStringLiteral("HelpAboutItem"), QStringLiteral("&About..."));
}
