#pragma once

#include <QString>
#include <functional>

class BusyIndicator;
class MessageService;
class QFileDialog;
class TLumoTable;

// The unit chosen on the unit manager, which the other pages work on. The main window sets it
// when the unit manager is left; the pages only read it.
struct OpenUnit
{
    QString descriptor;
    QString caption; // as the file list shows it
    int nativeLanguage = 0;
    int foreignLanguage = 0;
};

// What the main window hands each page: the services it shares and the unit being worked on.
// It outlives the pages.
struct PageServices
{
    MessageService &messages;
    BusyIndicator &busy;
    // The one table of the unit being worked on.
    TLumoTable &table;
    const OpenUnit &unit;
    // A text kept from the language file for later ("MsgPackingTable", "LblPlaying", ...).
    std::function<QString(const QString &key)> keptText;
    // The window's one file dialog, made when it is first needed.
    std::function<QFileDialog *()> openDialog;
    // Shows a topic of the help.
    std::function<void(int context)> showHelp;
    // The language file in use ("" before one is applied).
    std::function<QString()> languageFile;
};
