#pragma once

#include <QByteArray>
#include <QString>

// Puts a new file in place without ever replacing a file of that name, even one that another
// process places at the same moment: two programs making the same new unit must not both
// believe they made it, and neither may lose the other's file.
class NewFile
{
public:
    enum class Result {
        Placed, // the file is at its final name, and it is ours
        Exists, // another file has that name; ours is removed again
        Failed, // anything else; error tells why, and nothing of ours is left
    };

    // Moves the finished file from (in the same folder) to its final name. The kernel does it
    // in one step where the file system can; where it refuses that (FAT on a USB stick), the
    // final name is first claimed by creating it exclusively and then replaced by ours.
    static Result place(const QString &from, const QString &to, QString *error = nullptr);

    // Which file a path names now: it stays with the file when the file is renamed.
    struct Identity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Identity &) const = default;
    };
    static Identity identityOf(const QString &path); // all zero when there is none
    // Removes the file at path only while it is still the one of that identity, so that a
    // process never removes a file that another one put there.
    static void removeIfStill(const QString &path, const Identity &identity);

    // Writes bytes into a new file at path, checking every write and syncing before it is
    // placed as above; a full disk leaves nothing behind.
    static Result save(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    // A name for a scratch file beside the final one that does not grow with the final name,
    // so that it and the engine's journal beside it fit wherever the final name does:
    // ".lumo-new-<pid>-<random><suffix>".
    static QString scratchPath(const QString &folder, const QString &suffix);
    static QString scratchPrefix() { return QStringLiteral(".lumo-new-"); }

    // Behaves as on a file system that refuses the one-step move, so that the other way is
    // tried everywhere.
    static void setOneStepRefused(bool refused);
};
