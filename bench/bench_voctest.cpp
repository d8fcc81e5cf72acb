// Speed of building a test queue and of one multiple-choice question on a large unit.

#include "platform/programfolder.h"
#include "platform/scriptedmessageservice.h"
#include "platform/waveplayer.h"
#include "vocfile/lumotable.h"
#include "voctest/lumovoctest.h"
#include "voctest/voctestui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int EntryCount = 100000;

class SilentUi : public VocTestUi
{
public:
    void showMistakeReport(const MistakeReport &, const VocTestCaptions &) override {}
    void showSummary(const TestSummary &, const VocTestCaptions &) override {}
};

class SilentPlayer : public WavePlayer
{
public:
    void playWave(const QByteArray &) override {}
};

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

    const double prepare = bestOf(5, [&] { engine.Prepare(); });
    out << "Prepare, " << EntryCount << " entries, random order: " << prepare << " ms (goal < 100 ms)\n";

    engine.setTestFile(multi);
    const double prepareChoice = bestOf(5, [&] { engine.Prepare(); });
    out << "Prepare, multiple choice (with the first question): " << prepareChoice << " ms\n";

    // A change to the table makes the next question read the answer column again.
    double cold = 1e300;
    for (int i = 0; i < 5; ++i) {
        table.refresh();
        QElapsedTimer timer;
        timer.start();
        engine.LoadQuestion();
        cold = std::min(cold, timer.nsecsElapsed() / 1e6);
    }
    out << "one multiple-choice LoadQuestion visiting every record: " << cold << " ms (goal < 30 ms)\n";
    const double warm = bestOf(5, [&] { engine.LoadQuestion(); });
    out << "one multiple-choice LoadQuestion, answer column known: " << warm << " ms (goal < 30 ms)\n";
    out << "choices: " << engine.choices().join(QStringLiteral(" | ")) << '\n';
    return 0;
}
