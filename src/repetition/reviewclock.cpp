#include "repetition/reviewclock.h"

#include <QTimeZone>

ReviewClock ReviewTime::systemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

QDate ReviewTime::dayOf(qint64 seconds, const QDateTime &like)
{
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    switch (like.timeSpec()) {
    case Qt::UTC: return utc.date();
    case Qt::OffsetFromUTC: return utc.toOffsetFromUtc(like.offsetFromUtc()).date();
    case Qt::TimeZone: return utc.toTimeZone(like.timeZone()).date();
    case Qt::LocalTime: break;
    }
    return utc.toLocalTime().date();
}

qint64 ReviewTime::endOfToday(const QDateTime &now)
{
    return startOfDay(now, 1);
}

bool ReviewTime::dueBefore(qint64 due, qint64 boundary)
{
    return due < boundary;
}

qint64 ReviewTime::daysLater(const QDateTime &now, int days)
{
    return now.addDays(days).toSecsSinceEpoch();
}

qint64 ReviewTime::startOfDay(const QDateTime &now, int days)
{
    const QDate day = now.date().addDays(days);
    switch (now.timeSpec()) {
    case Qt::UTC: return day.startOfDay(Qt::UTC).toSecsSinceEpoch();
    case Qt::OffsetFromUTC: return day.startOfDay(Qt::OffsetFromUTC, now.offsetFromUtc()).toSecsSinceEpoch();
    case Qt::TimeZone: return day.startOfDay(now.timeZone()).toSecsSinceEpoch();
    case Qt::LocalTime: break;
    }
    return day.startOfDay().toSecsSinceEpoch();
}
