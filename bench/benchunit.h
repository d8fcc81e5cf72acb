#pragma once

#include "benchmessages.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfiles.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>

// A unit of count entries in folder (ending in "/"): the words of entry i are given by
// words(i) as {native, foreign}; every third entry has a sound of 4,000 bytes. Returns the
// descriptor.
inline QString makeBenchUnit(const QString &folder, const QString &name, int count, MessageService &messages,
                             const std::function<QStringList(int)> &words)
{
    const QString descriptor = UnitFiles::descriptorPath(folder, name);
    UnitDescriptor(descriptor).write(2, 6, QStringLiteral("bench"), QStringLiteral("MS Sans Serif"));
    TLumoTable table(messages);
    table.setVocabularyFile(UnitFiles::tablePathOf(descriptor));
    table.open();
    table.startTransaction();
    const QByteArray sound(4000, '\x80');
    for (int i = 0; i < count; ++i) {
        const QStringList pair = words(i);
        table.appendRecord(
            {QVariant(), pair.at(0), pair.at(1), i % 11, i % 3 == 0 ? sound : QByteArray(), QVariant(), 0});
    }
    table.commit();
    table.close();
    return descriptor;
}

// The best time of work in milliseconds over rounds runs, after one run that warms the caches;
// prepare runs untimed before each run of work.
template <typename Prepare, typename Work> double bestOf(int rounds, Prepare prepare, Work work)
{
    prepare();
    work();
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

template <typename Work> double bestOf(int rounds, Work work)
{
    return bestOf(
        rounds, [] {}, work);
}
