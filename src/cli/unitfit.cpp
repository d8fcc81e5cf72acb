#include "cli/unitfit.h"

#include "repetition/weightsfit.h"
#include "vocfile/lumotable.h"

#include <QDateTime>

UnitFit::Outcome UnitFit::fit(const QString &table, MessageService &messages,
                              const FsrsFitter::Progress &progress)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const Outcome outcome = WeightsFit(unit).fit(QDateTime::currentSecsSinceEpoch(), progress);
    unit.close();
    return outcome;
}

int UnitFit::reset(const QString &table, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const int recomputed = WeightsFit(unit).reset();
    unit.close();
    return recomputed;
}
