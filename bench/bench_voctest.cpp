// Speed of building a test queue and of one multiple-choice question on a large unit: the
// choices drawn from meanings sorted once per queue, against cutting up every record of the
// table for each question (the way it used to be), on the same table in the same run.

#include "benchengine.h"
#include "platform/programfolder.h"
#include "platform/sound/waveplayer.h"
#include "support/scriptedmessageservice.h"
#include "vocfile/lumotable.h"
#include "voctest/answerjudge.h"
#include "voctest/choicebuilder.h"
#include "voctest/lumovoctest.h"
#include "voctest/shuffle.h"
#include "voctest/voctestui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int EntryCount = 100000;

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

void fill(TLumoTable &table)
{
    table.startTransaction();
    for (int i = 0; i < EntryCount; ++i)
        table.appendRecord({QVariant(), QStringLiteral("Wort %1").arg(i),
                            QStringLiteral("word %1; meaning %2").arg(i).arg(i % 97), i % 11, QVariant(),
                            QVariant(), QVariant()});
    table.commit();
}

// The choices as they used to be built: every record's text cut up for each question.
QStringList choicesByCuttingEveryRecord(const QVector<QVariant> &texts, const QVector<QVariant> &types,
                                        const QString &answer, int type, QRandomGenerator &generator)
{
    QStringList correct, sameType, otherType;
    for (int i = 0; i < texts.size(); ++i) {
        const QString text = texts.at(i).toString();
        const bool same = types.at(i).toInt() == type;
        if (same && text == answer) {
            for (const QString &piece : ChoiceBuilder::pieces(text))
                if (!correct.contains(piece))
                    correct.append(piece);
            continue;
        }
        QStringList &list = same ? sameType : otherType;
        for (const QStringView piece : QStringView(text).tokenize(u';')) {
            const QStringView trimmed = AnswerJudge::trimmedView(piece);
            if (!trimmed.isEmpty())
                list.append(trimmed.toString());
        }
    }
    const auto takeRandom = [&generator](QStringList &list) {
        return list.takeAt(generator.bounded(list.size()));
    };
    while (sameType.size() + correct.size() <= 4 && !otherType.isEmpty())
        sameType.append(takeRandom(otherType));
    QStringList result = correct.mid(0, 5);
    for (int i = 0; i < sameType.size() && result.size() <= 4; ++i) {
        const QString piece = takeRandom(sameType);
        if (!result.contains(piece))
            result.append(piece);
    }
    Shuffle(result, generator);
    return result;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SetProgramFolder(dir.path() + u'/');
    QTextStream out(stdout);

    ScriptedMessageService messages;
    SilentUi ui;
    SilentPlayer player;
    TLumoTable table(messages);
    table.setVocabularyFile(dir.filePath(QStringLiteral("big.db")));
    table.open();
    QElapsedTimer filling;
    filling.start();
    fill(table);
    out << "filled " << EntryCount << " entries in " << filling.elapsed() << " ms\n";

    const double visit = bestOf(5, [&] {
        qint64 sum = 0;
        for (table.first(); !table.eof(); table.next())
            sum += table.fieldValue(TLumoTable::ForeignLanguage).toString().size() +
                   table.fieldValue(TLumoTable::Type).toInt();
        if (sum < 0)
            out << sum;
    });
    out << "the table alone, visiting every record for two fields: " << visit << " ms\n";

    const QString standard = dir.filePath(QStringLiteral("standard.ltf"));
    const QString multi = dir.filePath(QStringLiteral("multi.ltf"));
    writeFile(standard, "[settings]\nTestType=standard\n");
    writeFile(multi, "[settings]\nTestType=multichoice\n");

    TLumoVocTest engine(messages, ui, player);
    engine.setOrder(TLumoVocTest::toRandom);
    engine.setTestFile(standard);
    engine.setDataSet(&table);

    const double prepare = bestOf(5, [&] { engine.Reload(); });
    out << "Reload (queue), " << EntryCount << " entries, random order: " << prepare << " ms\n";

    engine.setTestFile(multi);
    const double prepareChoice = bestOf(5, [&] { engine.Reload(); });
    out << "Reload, multiple choice (queue, sorted meanings, first question): " << prepareChoice << " ms\n";

    // Before: each question cut up every record of the answer column, which the queue's pass
    // had read; after a change to the table the column was read again first.
    const int answerField = TLumoTable::ForeignLanguage;
    QRandomGenerator generator = ClockSeededGenerator();
    const QString answer = engine.answer();
    const int type = 3;
    QList<QVector<QVariant>> columns;
    const double beforeReread = bestOf(5, [&] {
        columns = table.readColumns({answerField, TLumoTable::Type});
        choicesByCuttingEveryRecord(columns.at(0), columns.at(1), answer, type, generator);
    });
    const double beforeKnown = bestOf(
        5, [&] { choicesByCuttingEveryRecord(columns.at(0), columns.at(1), answer, type, generator); });

    // After: the first question of a fresh queue, then the questions that follow.
    double afterCold = 1e300;
    for (int i = 0; i < 5; ++i) {
        engine.Reload();
        QElapsedTimer timer;
        timer.start();
        engine.NextQuestion();
        afterCold = std::min(afterCold, timer.nsecsElapsed() / 1e6);
    }
    const double afterWarm = bestOf(20, [&] { engine.NextQuestion(); });
    // A change to the table by someone else makes the next question sort the meanings anew.
    double afterChange = 1e300;
    for (int i = 0; i < 5; ++i) {
        table.refresh();
        QElapsedTimer timer;
        timer.start();
        engine.NextQuestion();
        afterChange = std::min(afterChange, timer.nsecsElapsed() / 1e6);
    }

    out << "one multiple-choice question, the first of a queue (cold): before " << beforeKnown
        << " ms, after " << afterCold << " ms, ratio " << beforeKnown / afterCold << " (goal < 10 ms)\n";
    out << "one multiple-choice question, the ones that follow (warm): before " << beforeKnown
        << " ms, after " << afterWarm << " ms, ratio " << beforeKnown / afterWarm << " (goal < 10 ms)\n";
    out << "the question after someone else changed the table (column read again): before " << beforeReread
        << " ms, after " << afterChange << " ms, ratio " << beforeReread / afterChange << '\n';
    out << "choices: " << engine.choices().join(QStringLiteral(" | ")) << '\n';
    return 0;
}
