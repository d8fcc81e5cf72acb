#pragma once

#include <QString>

class QImage;
class QWidget;

// Pictures for a person to look at, saved as <name>.png (name may hold subfolders) into the
// folder LUMO_SCREENSHOT_DIR names; the test run sets it, and without it nothing is saved.
// Both give false only when a picture was asked for and could not be saved.

// The folder, made if needed; empty when none is set or it cannot be made.
QString screenshotFolder();
// The widget as it shows once the events waiting for it (layouts, polish) have run.
bool saveScreenshot(QWidget &widget, const QString &name);
bool saveScreenshot(const QImage &image, const QString &name);
