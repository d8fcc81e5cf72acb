#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class MainMenuBar;
class QObject;
class QTabWidget;
class QWidget;

// The main window's own texts from a UI language file: menu captions and hints, page
// captions, button captions and hints, and the messages the window keeps for later. A key
// the file lacks gives its English text; most tool-bar hints have none.
class WindowTexts
{
public:
    // Puts every text on the component of that name below form; a component that does not
    // exist yet is passed over, its text is still kept when the window keeps it.
    void apply(const QString &languageFile, QWidget &form, MainMenuBar &menu, QTabWidget &pages);

    // Names that two components below form share (two actions, or two widgets): texts are
    // found by name, so one of the two would get none. Empty when every name is unique.
    static QStringList sharedNames(const QObject &form);

    // Every key the window reads, with its English text (empty for most tool-bar hints), in
    // the order of reading; a key read for two purposes appears twice.
    static QList<QPair<QString, QString>> englishTexts();

    // Names the panes that show no caption, and the buttons that show a glyph only, for screen
    // readers, from the language file.
    static void nameForScreenReaders(const QString &languageFile, QWidget &form);

    // The toolkit's own dialogs and the message boxes' buttons in the language of the file.
    static void applyToolkitTexts(const QString &languageFile);

    // A kept text by its key ("MsgPackingTable", "NextBtn", "StartBtnHint", ...); its
    // English text before a language file has been applied.
    QString kept(const QString &key) const;

private:
    QHash<QString, QString> m_kept;
};
