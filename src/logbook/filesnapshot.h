#pragma once

#include <QByteArray>
#include <QString>

// A file as it was before a change that is done in several steps: when a later step fails,
// restore() puts the bytes back (or removes a file that was not there), so the change is all
// or nothing.
class FileSnapshot
{
public:
    explicit FileSnapshot(QString path); // throws LumoError when the file is there but unreadable

    bool existed() const { return m_existed; }
    // Never throws: it runs while another error is on its way.
    void restore() const noexcept;

private:
    QString m_path;
    bool m_existed = false;
    QByteArray m_bytes;
};
