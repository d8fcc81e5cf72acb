#include "platform/inicache.h"

#include "platform/textdecoding.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace {
struct Entry
{
    qint64 size = 0;
    qint64 modified = 0;
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
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    if (!info.isFile()) {
        forget(path);
        return emptyDocument();
    }
    // Taken before reading, so that a change during the read shows at the next look-up.
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();

    Store &store = Store::instance();
    {
        QMutexLocker lock(&store.mutex);
        const auto found = store.entries.find(key);
        if (found != store.entries.end() && found->size == size && found->modified == modified) {
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
    store.entries.insert(key, Entry{size, modified, ++store.clock, document});
    return document;
}

void IniCache::forget(const QString &path)
{
    Store &store = Store::instance();
    QMutexLocker lock(&store.mutex);
    store.entries.remove(QFileInfo(path).absoluteFilePath());
}
