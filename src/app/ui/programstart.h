#pragma once

#include <memory>

class QMessageBoxService;
class TMainForm;

// The program's start: the splash window while the main window is built and restores its
// settings, then the main window on screen. Returns null after reporting an error that kept
// the main window from being built; the splash window is gone either way.
std::unique_ptr<TMainForm> StartProgram(QMessageBoxService &messages);
