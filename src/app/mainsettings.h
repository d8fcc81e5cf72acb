#pragma once

#include "print/printsettings.h"

#include <QString>

class TRegFile;

// Every setting the main window restores at creation and stores at closing, with the
// defaults of a first start.
struct MainSettings
{
    int windowState = 0; // 0 normal, 1 minimised, 2 maximised
    int left = 100;
    int top = 100;
    int width = 600;
    int height = 460;
    int splitterPos = 200;
    int logBookSplitterPos = 200;
    PrintSettings print;
    QString treeViewRoot;
    bool showAll = false;
    QString currentPath;
    int viewStyle = 0;
    int defaultNativeLanguage = 0;
    int defaultForeignLanguage = 0;
    QString languageFile;
    bool showSoundTools = true;
    bool showTypeColBtn = false;
    int testVariant = 0;

    // The base folder of a first start: the "Vocabulary" folder beside the program, else
    // the program's folder, else the file system's root. Ends in "/".
    static QString DefaultUnitRoot(const QString &programFolder);

    // Reads every setting in the order the main window applies them; a missing setting
    // gives its default. Errors of the store travel on.
    static MainSettings read(TRegFile &registry, const QString &programFolder);
    // Writes every setting in the order of closing. An error stops the writing there.
    void write(TRegFile &registry) const;
};
