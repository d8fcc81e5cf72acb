#pragma once

#include <QString>

// A folder that may be entered and read but not written, for as long as this lives (for a
// child without root's rights, see withoutroot.h); the permissions come back afterwards, so
// that a normal user's temporary folder can be removed.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isSet() const { return m_set; }

private:
    QString m_path;
    bool m_set = false;
};
