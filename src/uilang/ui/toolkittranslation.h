#pragma once

#include <QString>

// The toolkit's own dialogs (files, printing) and standard texts in the language of the UI
// language file: its optional "Locale" in section "General" ("de") names the toolkit's
// translation to install. A file without one, or a locale the toolkit has no translation for,
// leaves them English. Applying another file replaces the translation installed before.
// Returns the locale whose translation is now installed, or an empty text.
QString ApplyToolkitTranslation(const QString &languageFile);
