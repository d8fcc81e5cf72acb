#pragma once

#include <QString>

// The one lookup of a UI text: the value of key in section of the UI language file, or
// defaultValue when no file is named, the file does not exist or it lacks the key.
QString Translate(const QString &languageFile, const QString &section, const QString &key,
                  const QString &defaultValue);
