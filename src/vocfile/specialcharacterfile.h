#pragma once

#include "platform/textdecoding.h"

#include <QList>
#include <QString>

// "SpecChar.lcf" in the program's folder (the user's copy when there is one); every reader of
// the file asks here. Writing it writes the user's copy.
QString SpecialCharacterFileName();

// The special-character file: for each vocabulary language (section "LANGUAGE" + number)
// seventy slots "Char0" to "Char69" holding a character code. Codes 1 to 255 are characters
// of the language's 8-bit code page; any other code, a missing key or a value that is no
// number is an empty slot. The program reads and rewrites the file but never creates it.
class SpecialCharacterFile
{
public:
    static constexpr int SlotCount = 70;
    static constexpr const char *FileName = "SpecChar.lcf";

    explicit SpecialCharacterFile(QString path);

    QString fileName() const { return m_path; }
    bool exists() const;

    // The code page whose characters a language's codes mean.
    static CodePage codePageOf(int language);
    // The character of code in language's code page; null for an empty slot's code.
    static QChar characterOf(int language, int code);
    // The code of character in language's code page; -1 (an empty slot) when it has none.
    static int codeOf(int language, QChar character);

    // The characters of the slots from the first up to the first empty one, as the bar shows
    // them. Empty when the file is missing.
    QString leadingCharacters(int language) const;
    // All seventy slots, a null character for each empty one. All empty when the file is
    // missing.
    QList<QChar> slotCharacters(int language) const;
    // Rewrites the slots of language in one atomic save, -1 for each null or unencodable
    // character; slots beyond the list are left as they are. Throws IniWriteError when the
    // file cannot be written and leaves it as it was. Does nothing when the file is missing.
    void writeSlots(int language, const QList<QChar> &characters);

private:
    QString readPath() const;

    QString m_path;
    bool m_programFile = false;
};
