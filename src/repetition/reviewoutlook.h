#pragma once

#include "repetition/fsrsmodel.h"

#include <QDateTime>
#include <QList>
#include <optional>

class SqliteDatabase;
class SqliteTable;

// What lies ahead of the learner and how well he kept what lies behind: how many entry sides
// (each direction of an entry counts) fall due on each of the coming days, and the share of
// the recent reviews he still knew. Sides and reviews of entries that are gone are left out.
// Failures throw TableError.
namespace ReviewOutlook {
inline constexpr int Days = 30;

struct Retention
{
    int reviews = 0;  // reviews a day or more after the review before of the same side
    int recalled = 0; // of them, the ones not graded Again
    // None without such reviews.
    std::optional<double> share() const;
};

struct Outlook
{
    QList<int> duePerDay = QList<int>(Days, 0); // today first
    Retention retention;
    double target = FsrsModel::DesiredRetention;
};

// Day 0 is today, overdue sides included; sides due after the last of the days are left out.
// A unit never reviewed has nothing due.
QList<int> duePerDay(SqliteDatabase &db, const QDateTime &now, int days = Days);
// The reviews from the start of the day days - 1 days ago up to now. Rows from elsewhere with
// a time after now, a grade outside 1-4 or no usable interval are not counted.
Retention retention(const SqliteDatabase &db, const QDateTime &now, int days = Days);
// Both for the open table; a closed table has nothing due and no reviews.
Outlook of(const SqliteTable &table, const QDateTime &now);
} // namespace ReviewOutlook
