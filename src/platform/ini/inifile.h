#pragma once

#include "platform/lumoerror.h"

#include <QString>
#include <QStringList>

// Raised when an INI file cannot be written; the text is "Unable to write to " + path.
class IniWriteError : public LumoError
{
public:
    explicit IniWriteError(const QString &path) : LumoError(QStringLiteral("Unable to write to ") + path) {}
};

// The INI routines of the platform: key-by-key reads and writes of one INI file.
//
// Section and key names match without regard to case; the first matching section and key win;
// blanks around names and values are trimmed; a value in matching double quotes loses them;
// values are cut to 1023 characters. Files are read as UTF-8, or as Windows-1252 when they are
// not valid UTF-8, and written as UTF-8. Writes keep every other line and replace the file
// atomically. Reading parses a file at most once per change of it (IniCache).
class IniFile
{
public:
    static constexpr int MaxValueLength = 1023;

    explicit IniFile(QString path);

    QString fileName() const { return m_path; }
    bool exists() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // readInteger for each key, from one reading of the file.
    QList<int> readIntegers(const QString &section, const QStringList &keys, int defaultValue) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    // Key names of a section in file order (first spelling of each).
    QStringList readSection(const QString &section) const;

    // Each write is one atomic save and throws IniWriteError when the file cannot be
    // written; several changes that belong together go through IniBatch.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void eraseSection(const QString &section);

private:
    QString m_path;
};
