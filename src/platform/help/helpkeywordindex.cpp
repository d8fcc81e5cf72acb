#include "platform/help/helpkeywordindex.h"

#include "platform/textdecoding.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

HelpKeywordIndex HelpKeywordIndex::parse(const QString &text)
{
    HelpKeywordIndex index;
    const QStringList lines = text.split(QChar(u'\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        // A keyword may hold "=", a page name never does.
        const qsizetype equals = line.lastIndexOf(u'=');
        const QString keyword = line.left(equals).trimmed();
        const QString page = line.mid(equals + 1).trimmed();
        if (equals < 0 || keyword.isEmpty() || page.isEmpty()) {
            index.m_badLines.append(int(i + 1));
            continue;
        }
        index.m_entries.append({keyword, page});
    }
    std::stable_sort(index.m_entries.begin(), index.m_entries.end(), [](const Entry &a, const Entry &b) {
        return QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive) < 0;
    });
    return index;
}

std::optional<HelpKeywordIndex> HelpKeywordIndex::load(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(DecodeText(input.readAll()));
}

QList<HelpKeywordIndex::Entry> HelpKeywordIndex::matching(const QString &text) const
{
    const QString wanted = text.trimmed();
    QList<Entry> beginning;
    QList<Entry> inside;
    for (const Entry &entry : m_entries) {
        if (entry.keyword.startsWith(wanted, Qt::CaseInsensitive))
            beginning.append(entry);
        else if (entry.keyword.contains(wanted, Qt::CaseInsensitive))
            inside.append(entry);
    }
    return beginning + inside;
}
