#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Runs works in forked child processes that all start at the same moment, held at a barrier
// until every one is forked, to make two programs meet on one file as often as possible.
// Each work's text (or "error: " and the message of the LumoError it threw) comes back in
// the order of the works. The children end with _exit, so nothing of the parent is torn down.
class RacingChildren
{
public:
    using Work = std::function<QString()>;
    static QStringList run(const QList<Work> &works);
};
