#pragma once

#include "platform/ini/inifile.h"

class IniBatch;

// The unit's own keys in its descriptor ".lif", section "general". Other keys (the test log)
// are left untouched by every write.
class UnitDescriptor
{
public:
    static constexpr const char *Section = "general";
    static constexpr const char *VocabularyFileType = "vokfile";
    static constexpr const char *DefaultFont = "MS Sans Serif";

    explicit UnitDescriptor(QString path);

    QString path() const { return m_ini.fileName(); }
    bool exists() const { return m_ini.exists(); }

    QString fileType() const;      // default "vokfile"
    bool isVocabularyUnit() const; // "FileType" lower-cased equals "vokfile"
    int firstLanguage() const;     // native language number, default 0
    int secondLanguage() const;    // foreign language number, default 0
    QString description(const QString &defaultValue = QString()) const;
    QString font() const; // default "MS Sans Serif"

    // Writes "FileType" = "vokfile", "FirstLanguage", "SecondLanguage", "Description" and
    // "Font" in this order, in one atomic save. Throws IniWriteError ("Unable to write to " +
    // path) and leaves the file as it was.
    void write(int firstLanguage, int secondLanguage, const QString &description, const QString &font);
    // The same keys in a new descriptor: false, and nothing written, when a file of that name
    // is there or appears meanwhile; it is never replaced. Throws IniWriteError.
    bool create(int firstLanguage, int secondLanguage, const QString &description, const QString &font);
    // The same keys as part of a larger change of the descriptor.
    static void writeKeys(IniBatch &batch, int firstLanguage, int secondLanguage, const QString &description,
                          const QString &font);

private:
    QString read(const char *key, const QString &defaultValue) const;

    IniFile m_ini;
};
