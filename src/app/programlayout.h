#pragma once

#include <QString>

// Where the program's files lie, judged by where the executable lies (never by what can be
// written: root can write anywhere). An executable in a folder "bin" with "../share/lumo/"
// beside it is installed: its data is that shared folder, overlaid by the user's own folder.
// Anything else (a build folder, an unpacked copy) is its own and only program folder.
class ProgramLayout
{
public:
    static ProgramLayout forExecutable(const QString &executableFolder, const QString &userFolder);

    bool installed() const { return !m_userFolder.isEmpty(); }
    // Both end in "/"; the user folder is empty when not installed.
    QString programFolder() const { return m_programFolder; }
    QString userFolder() const { return m_userFolder; }

    // Makes the layout the program's folder of this run; installed, the user's folder is
    // created and, at the first start, given copies of the sample units. Throws LumoError when
    // the user's folder cannot be made; nothing half-copied is left then.
    void apply() const;

private:
    QString m_programFolder;
    QString m_userFolder;
};
