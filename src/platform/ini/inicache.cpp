#include "platform/ini/inicache.h"

#include "platform/textdecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <optional>

#include <sys/stat.h>

namespace {
// What tells one state of a file from another. Size and modification time alone miss a file
// replaced by another of the same size and time stamp (a copy that keeps times, a rename over
// it): a new file has another inode, and any change in place moves the status-change time.
struct Identity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const Identity &) const = default;
};

std::optional<Identity> identityOf(const QString &path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const auto ns = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return Identity{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), ns(st.st_mtim),
                    ns(st.st_ctim)};
}

struct Entry
{
    Identity identity;
    quint64 lastUse = 0;
    std::shared_ptr<const IniDocument> document;
};

struct Store
{
    QMutex mutex;
    QHash<QString, Entry> entries;
    quint64 clock = 0;

    static Store &instance()
    {
        static Store store;
        return store;
    }

    void evictLeastRecentlyUsed()
    {
        auto oldest = entries.begin();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        }
        if (oldest != entries.end())
            entries.erase(oldest);
    }
};

std::shared_ptr<const IniDocument> emptyDocument()
{
    static const auto empty = std::make_shared<const IniDocument>();
    return empty;
}
} // namespace

std::shared_ptr<const IniDocument> IniCache::document(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    // Taken before reading, so that a change during the read shows at the next look-up.
    const std::optional<Identity> identity = identityOf(key);
    if (!identity) {
        forget(path);
        return emptyDocument();
    }

    Store &store = Store::instance();
    {
        QMutexLocker lock(&store.mutex);
        const auto found = store.entries.find(key);
        if (found != store.entries.end() && found->identity == *identity) {
            found->lastUse = ++store.clock;
            return found->document;
        }
    }

    QFile file(key);
    if (!file.open(QIODevice::ReadOnly))
        return emptyDocument();
    auto document = std::make_shared<const IniDocument>(IniDocument::parse(DecodeText(file.readAll())));

    QMutexLocker lock(&store.mutex);
    if (!store.entries.contains(key) && store.entries.size() >= Capacity)
        store.evictLeastRecentlyUsed();
    store.entries.insert(key, Entry{*identity, ++store.clock, document});
    return document;
}

void IniCache::forget(const QString &path)
{
    Store &store = Store::instance();
    QMutexLocker lock(&store.mutex);
    store.entries.remove(QFileInfo(path).absoluteFilePath());
}
