#include "repetition/duequeue.h"

#include <QHash>
#include <algorithm>
#include <tuple>

QList<qint64> DueQueue::build(const QList<qint64> &eligible, const QList<ReviewStore::DueRow> &states,
                              qint64 endOfToday, int newAllowed)
{
    QHash<qint64, qint64> dueOf;
    dueOf.reserve(states.size());
    for (const ReviewStore::DueRow &row : states)
        dueOf.insert(row.entry, row.due);

    struct Due
    {
        qint64 due;
        int place;
        qint64 entry;
    };
    QList<Due> due;
    QList<qint64> fresh;
    for (int place = 0; place < eligible.size(); ++place) {
        const qint64 entry = eligible.at(place);
        const auto found = dueOf.constFind(entry);
        if (found == dueOf.constEnd()) {
            if (fresh.size() < newAllowed)
                fresh.append(entry);
        } else if (found.value() < endOfToday) {
            due.append(Due{found.value(), place, entry});
        }
    }
    std::sort(due.begin(), due.end(),
              [](const Due &a, const Due &b) { return std::tie(a.due, a.place) < std::tie(b.due, b.place); });
    QList<qint64> queue;
    queue.reserve(due.size() + fresh.size());
    for (const Due &d : due)
        queue.append(d.entry);
    queue.append(fresh);
    return queue;
}
