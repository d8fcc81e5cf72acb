#include "repetition/duequeue.h"

#include "repetition/reviewclock.h"

#include <QHash>
#include <algorithm>
#include <tuple>

namespace {
struct Due
{
    qint64 due;
    int place;
    qint64 entry;
};

// Calls found(place, due) for each eligible entry with a state and fresh(place) for the others.
// When both lists are in the order of their keys, as a unit in its first order and the stored
// states come, they are walked side by side; otherwise the states are looked up.
template <class Found, class Fresh>
void match(const QList<qint64> &eligible, const QList<ReviewStore::DueRow> &states, Found found, Fresh fresh)
{
    const auto byEntry = [](const ReviewStore::DueRow &a, const ReviewStore::DueRow &b) {
        return a.entry < b.entry;
    };
    if (std::is_sorted(eligible.begin(), eligible.end()) &&
        std::is_sorted(states.begin(), states.end(), byEntry)) {
        qsizetype s = 0;
        for (int place = 0; place < eligible.size(); ++place) {
            const qint64 entry = eligible.at(place);
            while (s < states.size() && states.at(s).entry < entry)
                ++s;
            if (s < states.size() && states.at(s).entry == entry)
                found(place, states.at(s).due);
            else
                fresh(place);
        }
        return;
    }
    QHash<qint64, qint64> dueOf;
    dueOf.reserve(states.size());
    for (const ReviewStore::DueRow &row : states)
        dueOf.insert(row.entry, row.due);
    for (int place = 0; place < eligible.size(); ++place) {
        const auto it = dueOf.constFind(eligible.at(place));
        if (it == dueOf.constEnd())
            fresh(place);
        else
            found(place, it.value());
    }
}
} // namespace

QList<qint64> DueQueue::build(const QList<qint64> &eligible, const QList<ReviewStore::DueRow> &states,
                              qint64 endOfToday, int newAllowed)
{
    QList<Due> due;
    QList<qint64> fresh;
    match(
        eligible, states,
        [&](int place, qint64 moment) {
            if (ReviewTime::dueBefore(moment, endOfToday))
                due.append(Due{moment, place, eligible.at(place)});
        },
        [&](int place) {
            if (fresh.size() < newAllowed)
                fresh.append(eligible.at(place));
        });
    std::sort(due.begin(), due.end(),
              [](const Due &a, const Due &b) { return std::tie(a.due, a.place) < std::tie(b.due, b.place); });
    QList<qint64> queue;
    queue.reserve(due.size() + fresh.size());
    for (const Due &d : due)
        queue.append(d.entry);
    queue.append(fresh);
    return queue;
}
