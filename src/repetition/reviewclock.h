#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

// Where the scheduler learns what time it is; tests hand in a clock of their own, so a week
// of tests passes without waiting. Days are the calendar days of the clock's time zone.
using ReviewClock = std::function<QDateTime()>;

namespace ReviewTime {
ReviewClock systemClock();
// The calendar day a stored moment (seconds since the epoch) falls on, in the time zone of like.
QDate dayOf(qint64 seconds, const QDateTime &like);
// The first moment of the day that begins days after the day of now, in seconds since the epoch.
qint64 startOfDay(const QDateTime &now, int days);
// The next local midnight after now: the end of the day the due words are counted for.
qint64 endOfToday(const QDateTime &now);
// Whether a word due at this moment is due before the boundary; one due at the boundary
// itself belongs to the day that begins there.
bool dueBefore(qint64 due, qint64 boundary);
// The moment a number of calendar days after now, at the same local time: across a change of
// daylight saving time a day is 23 or 25 hours long.
qint64 daysLater(const QDateTime &now, int days);
} // namespace ReviewTime
