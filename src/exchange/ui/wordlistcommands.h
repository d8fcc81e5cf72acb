#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QWidget;
class TImageList;
class TImportDialog;
struct PageServices;

// The folder word lists are imported into and exported from, as the unit manager shows it.
class WordListFolder
{
public:
    virtual ~WordListFolder() = default;
    // The folder, ending in "/".
    virtual QString folderPath() const = 0;
    // The selected unit's name; empty when none is selected.
    virtual QString selectedUnit() const = 0;
    // The language pair a new unit starts with.
    virtual int defaultNativeLanguage() const = 0;
    virtual int defaultForeignLanguage() const = 0;
    // Lists the folder anew with this unit selected. Errors travel on.
    virtual void showUnit(const QString &caption) = 0;
};

// The main window's import and export of word lists: the file dialogs, the preview dialog and
// the progress of a long import. The File menu's two items are enabled on the unit manager
// only, like the conversion.
class WordListCommands : public QObject
{
    Q_OBJECT

public:
    WordListCommands(const PageServices &services, WordListFolder &folder, QWidget *window);

    void FileImportItemClick();
    void FileExportItemClick();

    // The flags the import dialog shows beside the languages.
    void setFlags(const TImageList *small) { m_smallFlags = small; }
    void setMenuItems(QAction *importItem, QAction *exportItem);
    void enableFor(bool unitManagerShown);

    // The word list to import (save false) or the file to export to (save true, with a
    // suggested name); the defaults ask with a file dialog, tests script them. Empty: nothing.
    void setWordListChooser(std::function<QString(bool save, const QString &suggested)> chooser)
    {
        m_chooseWordList = std::move(chooser);
    }
    // Shows the import dialog modally; tests script it.
    void setImportDialogRunner(std::function<int(TImportDialog &)> runner)
    {
        m_runImportDialog = std::move(runner);
    }

signals:
    // What the status line shows after a command.
    void statusMessage(const QString &text);

private:
    const PageServices &m_services;
    WordListFolder &m_folder;
    QWidget *m_window;
    const TImageList *m_smallFlags = nullptr;
    QAction *m_importItem = nullptr;
    QAction *m_exportItem = nullptr;
    std::function<QString(bool, const QString &)> m_chooseWordList;
    std::function<int(TImportDialog &)> m_runImportDialog;
};
