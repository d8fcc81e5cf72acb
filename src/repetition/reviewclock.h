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
} // namespace ReviewTime
