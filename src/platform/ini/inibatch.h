#pragma once

#include "platform/ini/inidocument.h"

#include <QString>

// Several changes of one INI file saved at once: keys written and sections erased in memory,
// then one atomic replacement of the file. A crash or a full disk leaves the old file or the
// new one, never half of the changes.
class IniBatch
{
public:
    // Reads the file as it is on disk now; throws IniWriteError when it exists but cannot be
    // read, since saving would then replace it by a nearly empty one.
    explicit IniBatch(QString path);

    // Each throws IniWriteError for a name the file could not give back.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void eraseSection(const QString &section);

    // Saves when anything changed; throws IniWriteError ("Unable to write to " + path) and
    // leaves the file as it was when it cannot.
    void commit();
    // Saves as a new file that did not exist: false, and nothing written, when a file of that
    // name is there or appears meanwhile (another program made it), so it is never replaced.
    // Throws IniWriteError as commit does.
    bool commitAsNew();

private:
    QString m_path;
    IniDocument m_document;
    bool m_changed = false;
};
