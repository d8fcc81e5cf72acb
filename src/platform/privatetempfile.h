#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTemporaryDir;

// A file only its user can reach: it lives in a folder with a unique name and owner-only
// rights in the user's temporary folder (the program folder when that cannot be used), so no
// other user can read it or plant a link under its name. The folder is made at the first
// write and removed with the object.
class PrivateTempFile
{
public:
    explicit PrivateTempFile(const QString &name);
    ~PrivateTempFile();
    PrivateTempFile(const PrivateTempFile &) = delete;
    PrivateTempFile &operator=(const PrivateTempFile &) = delete;

    // Empty until the first write made the folder.
    QString path() const;
    // Replaces the file's content as a whole; false when that failed.
    bool write(const QByteArray &bytes);
    // The file's content; empty when it cannot be read.
    QByteArray read() const;

private:
    bool makeFolder();

    QString m_name;
    std::unique_ptr<QTemporaryDir> m_folder;
};
