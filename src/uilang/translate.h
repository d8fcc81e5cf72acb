#pragma once

#include <QString>
#include <functional>

// The one lookup of a UI text: the value of key in section of the UI language file, or
// defaultValue when no file is named, the file does not exist or it lacks the key.
QString Translate(const QString &languageFile, const QString &section, const QString &key,
                  const QString &defaultValue);

// While an observer is set, it hears of every lookup of a named file, so that a check of the
// shipped language files can compare the texts the program asks for with the keys they hold.
// Set and cleared on the thread that shows the windows.
using TranslateObserver = std::function<void(const QString &section, const QString &key)>;
void SetTranslateObserver(TranslateObserver observer);
