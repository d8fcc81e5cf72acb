#pragma once

#include <QString>
#include <memory>

class QMessageBoxService;
class TMainForm;

// The program's start: the splash window while the main window is built and restores its
// settings, then the main window on screen with the unit given on the command line (if any)
// selected. Returns null after reporting an error that kept the main window from being
// built, or a unit that cannot be selected; the splash window is gone either way, and the
// window never shown writes no settings.
std::unique_ptr<TMainForm> StartProgram(QMessageBoxService &messages, const QString &unitFile = QString());

// Settles where the program's files lie for this run, judged by the executable's place;
// installed, makes the user's folder. Reports an error and returns false when it cannot.
bool PrepareProgramFolder(QMessageBoxService &messages);
