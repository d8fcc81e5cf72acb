#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

// A program folder and settings of a test's own, in a temporary folder: nothing a test
// does reaches the user's files or real settings. While it lives, the XDG folders (data,
// configuration, cache, state) point into it too, so settings and the trash are its own.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    bool isValid() const { return m_dir.isValid(); }
    // Ends in "/".
    QString path() const;
    QString filePath(const QString &name) const;
    // Writes a text file (UTF-8 unless bytes are given) below the folder, making folders.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    QString writeText(const QString &name, const QString &text) const;
    // Copies a file of the shipped data/ folder into this program folder.
    QString copyFromData(const QString &name) const;
    // The path of a file of the shipped data/ folder in the source tree.
    static QString shippedFile(const QString &name);
    // The XDG data folder of this test (where the trash is).
    QString dataHome() const;

private:
    QTemporaryDir m_dir;
    QList<QPair<QByteArray, QByteArray>> m_savedEnvironment; // name, value before ("" unset)
};
