#include "cli/lumotool.h"

#include "cli/consolemessages.h"
#include "cli/oldunitbatch.h"
#include "cli/progressline.h"
#include "cli/toolerror.h"
#include "cli/toolunit.h"
#include "cli/unitcheck.h"
#include "cli/unitfit.h"
#include "cli/unitinfo.h"
#include "exchange/wordexchange.h"
#include "exchange/wordimporter.h"
#include "vocfile/unitfiles.h"

#include <QFileInfo>

namespace {
// Takes the option from arguments; true when it was there.
bool takeFlag(QStringList &arguments, const QString &flag)
{
    return arguments.removeAll(flag) > 0;
}

// Takes "--to VALUE" from arguments.
QString takeValue(QStringList &arguments, const QString &option)
{
    const qsizetype at = arguments.indexOf(option);
    if (at < 0)
        return QString();
    if (at + 1 >= arguments.size())
        throw UsageError(option + QStringLiteral(" needs a value"));
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
}

void refuseOptions(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (argument.startsWith(u'-'))
            throw UsageError(QStringLiteral("Unknown option: ") + argument);
}

enum class HeaderFlag { Guessed, Given, None };

// The suggested choice with what the command line says about the header row.
ImportChoice importChoice(const WordTable &table, HeaderFlag header, bool skipExisting)
{
    ImportChoice choice = WordImporter::suggest(table);
    choice.skipExisting = skipExisting;
    if (header == HeaderFlag::Guessed)
        return choice;
    if (!table.columnLanguages.isEmpty())
        throw UsageError(QStringLiteral("--header and --no-header are for CSV and TSV lists"));
    // Languages read from a row that holds words are no languages.
    if (header == HeaderFlag::None && choice.header)
        choice.nativeLanguage = choice.foreignLanguage = 0;
    choice.header = header == HeaderFlag::Given;
    return choice;
}

QString oneUnit(const QStringList &arguments, const QString &command)
{
    refuseOptions(arguments);
    if (arguments.size() != 1)
        throw UsageError(command + QStringLiteral(" takes one unit (UNIT.lif)"));
    return arguments.first();
}
} // namespace

QString LumoTool::usage()
{
    return QStringLiteral(
        "Usage: lumo-tool COMMAND [ARGUMENTS]\n"
        "\n"
        "Batch work on the vocabulary units of Lumo.\n"
        "\n"
        "Commands:\n"
        "  info UNIT.lif [--json]          languages, description, font, entries and test log\n"
        "  convert OLD.vok... --to FOLDER  turns old units into units in FOLDER\n"
        "  import LIST --to UNIT.lif       adds a word list (.csv, .tsv, .kvtml) to the unit,\n"
        "                                  which is made when it does not exist\n"
        "    --header, --no-header         the first row names the columns, or holds words\n"
        "                                  (guessed when neither is given)\n"
        "    --skip-existing               leaves out pairs the unit holds already\n"
        "  export UNIT.lif --to LIST       writes the unit as a word list (.csv, .tsv, .kvtml)\n"
        "  export UNIT.lif --reviews FILE.csv\n"
        "                                  writes the unit's review history for FSRS tools\n"
        "  check UNIT.lif                  checks the table file; counts entries, sounds, mistakes\n"
        "  pack UNIT.lif                   compacts the unit's table\n"
        "  fit UNIT.lif [--reset]          fits the memory model to the unit's reviews and\n"
        "                                  schedules with it (--reset: with the defaults again)\n"
        "\n"
        "Options:\n"
        "  -h, --help                      shows this help\n"
        "\n"
        "Exit codes: 0 done, 1 bad input, 2 wrong command line. Messages go to standard error.\n");
}

int LumoTool::run(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        m_out << usage();
        return Done;
    }
    ConsoleMessages messages(m_err);
    int code = Done;
    try {
        if (arguments.isEmpty())
            throw UsageError(QStringLiteral("No command given"));
        dispatch(arguments.first(), arguments.mid(1), messages);
    } catch (const UsageError &error) {
        m_err << "lumo-tool: " << error.message() << "\n\n" << usage();
        code = Usage;
    } catch (const LumoError &error) {
        m_err << "lumo-tool: "
              << QString(error.message()).replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << '\n';
        code = BadInput;
    }
    m_out.flush();
    m_err.flush();
    return code;
}

void LumoTool::dispatch(const QString &command, QStringList arguments, ConsoleMessages &messages)
{
    if (command == QStringLiteral("info"))
        info(std::move(arguments), messages);
    else if (command == QStringLiteral("convert"))
        convert(std::move(arguments), messages);
    else if (command == QStringLiteral("import"))
        importList(std::move(arguments));
    else if (command == QStringLiteral("export"))
        exportList(std::move(arguments), messages);
    else if (command == QStringLiteral("check"))
        check(arguments, messages);
    else if (command == QStringLiteral("pack"))
        pack(arguments, messages);
    else if (command == QStringLiteral("fit"))
        fit(std::move(arguments), messages);
    else
        throw UsageError(QStringLiteral("Unknown command: ") + command);
}

void LumoTool::info(QStringList arguments, ConsoleMessages &messages)
{
    const bool json = takeFlag(arguments, QStringLiteral("--json"));
    const ToolUnit unit(oneUnit(arguments, QStringLiteral("info")));
    const UnitInfo info(unit.descriptor(), unit.table(), messages);
    if (json)
        info.writeJson(m_out);
    else
        info.writeText(m_out);
}

void LumoTool::convert(QStringList arguments, ConsoleMessages &messages)
{
    const QString folder = takeValue(arguments, QStringLiteral("--to"));
    refuseOptions(arguments);
    if (folder.isEmpty())
        throw UsageError(QStringLiteral("convert needs --to FOLDER"));
    if (arguments.isEmpty())
        throw UsageError(QStringLiteral("convert needs at least one old unit (OLD.vok)"));
    const OldUnitBatch batch(arguments, folder);
    batch.check();
    ProgressLine progress(m_err, m_terminal);
    for (const QString &made : batch.convert(messages, progress))
        m_out << made << '\n';
}

// "COMMAND SOURCE --to TARGET": the source, with the target taken.
QString LumoTool::oneSourceTo(QStringList &arguments, const QString &command, QString &target)
{
    target = takeValue(arguments, QStringLiteral("--to"));
    refuseOptions(arguments);
    if (target.isEmpty())
        throw UsageError(command + QStringLiteral(" needs --to"));
    if (arguments.size() != 1)
        throw UsageError(command + QStringLiteral(" takes one file before --to"));
    return arguments.first();
}

void LumoTool::importList(QStringList arguments)
{
    const HeaderFlag header = takeFlag(arguments, QStringLiteral("--header"))      ? HeaderFlag::Given
                              : takeFlag(arguments, QStringLiteral("--no-header")) ? HeaderFlag::None
                                                                                   : HeaderFlag::Guessed;
    if (header != HeaderFlag::Guessed && arguments.contains(QStringLiteral("--no-header")))
        throw UsageError(QStringLiteral("--header and --no-header exclude each other"));
    const bool skipExisting = takeFlag(arguments, QStringLiteral("--skip-existing"));
    QString unit;
    const QString list = QFileInfo(oneSourceTo(arguments, QStringLiteral("import"), unit)).absoluteFilePath();
    if (!UnitFiles::isDescriptor(unit))
        throw UsageError(QStringLiteral("import needs --to UNIT.lif"));
    const WordTable table = WordExchange::readFile(list, WordExchange::formatOf(list));
    const ImportChoice choice = importChoice(table, header, skipExisting);
    ProgressLine progress(m_err, m_terminal);
    const ImportResult result = WordImporter::importInto(
        QFileInfo(unit).absoluteFilePath(), table, choice, [&](qint64 done, qint64 total) {
            progress.show(int(done), int(total), QStringLiteral("words"));
            return true;
        });
    progress.finish();
    m_out << "Imported: " << result.imported << '\n';
    if (result.existing > 0)
        m_out << "Already in the unit: " << result.existing
              << (choice.skipExisting ? " (left out)\n"
                                      : " (added again; --skip-existing leaves them out)\n");
    if (result.skipped > 0)
        m_out << "Skipped:  " << result.skipped << " (first in line " << result.firstSkippedLine << ")\n";
    if (result.cut > 0)
        m_out << "Cut:      " << result.cut << '\n';
    if (result.unknownTypes > 0)
        m_out << "Unknown word types: " << result.unknownTypes << '\n';
    m_out << "Encoding: " << table.encoding << '\n';
    if (table.replacedBytes > 0)
        m_out << "Replaced: " << table.replacedBytes << " (bytes that are not UTF-8, read as U+FFFD)\n";
}

void LumoTool::exportList(QStringList arguments, ConsoleMessages &messages)
{
    const QString reviews = takeValue(arguments, QStringLiteral("--reviews"));
    if (!reviews.isEmpty()) {
        if (arguments.contains(QStringLiteral("--to")))
            throw UsageError(QStringLiteral("--to and --reviews exclude each other"));
        const ToolUnit unit(oneUnit(arguments, QStringLiteral("export")));
        m_out << "Exported: " << UnitCheck::exportReviews(unit.table(), reviews, messages) << " reviews\n";
        return;
    }
    QString list;
    const QString unit = oneSourceTo(arguments, QStringLiteral("export"), list);
    // The unit must be there: exporting never makes one.
    const ToolUnit checked(unit);
    // Counted before anything is printed: a failed write must not leave "Exported: " behind.
    const auto exported = WordExchange::exportUnit(checked.descriptor(), QFileInfo(list).absoluteFilePath());
    m_out << "Exported: " << exported << '\n';
}

void LumoTool::check(const QStringList &arguments, ConsoleMessages &messages)
{
    const ToolUnit unit(oneUnit(arguments, QStringLiteral("check")));
    // Counting opens the table through the program's component first: a unit in use or a
    // file of another kind gives the engine's own error.
    const UnitCheck::Counts counts = UnitCheck::count(unit.table(), messages);
    const QStringList problems = UnitCheck::integrityProblems(unit.table());
    m_out << "Integrity:        " << (problems.isEmpty() ? QStringLiteral("ok") : QStringLiteral("damaged"))
          << '\n'
          << "Entries:          " << counts.entries << '\n'
          << "Sounds:           " << counts.sounds << '\n'
          << "Entries mistaken: " << counts.mistakenEntries << '\n'
          << "Mistakes:         " << counts.mistakes << '\n'
          << "Reviews:          " << counts.reviews << '\n';
    if (counts.unusableReviews > 0)
        m_out << "Unusable reviews: " << counts.unusableReviews
              << " (a time in the future, a grade outside 1-4 or a negative interval)\n";
    if (!problems.isEmpty())
        throw LumoError(QStringLiteral("The table is damaged: ") + problems.join(QStringLiteral("; ")));
}

void LumoTool::pack(const QStringList &arguments, ConsoleMessages &messages)
{
    const ToolUnit unit(oneUnit(arguments, QStringLiteral("pack")));
    UnitCheck::pack(unit.table(), messages);
    m_out << "Packed: " << unit.table() << '\n';
}

void LumoTool::fit(QStringList arguments, ConsoleMessages &messages)
{
    const bool reset = takeFlag(arguments, QStringLiteral("--reset"));
    const ToolUnit unit(oneUnit(arguments, QStringLiteral("fit")));
    if (reset) {
        const int recomputed = UnitFit::reset(unit.table(), messages);
        m_out << "Weights:           defaults\n"
              << "States recomputed: " << recomputed << '\n';
        return;
    }
    ProgressLine progress(m_err, m_terminal);
    const UnitFit::Outcome outcome = UnitFit::fit(unit.table(), messages, [&](int done, int total) {
        progress.show(done, total, QStringLiteral("steps"));
        return true;
    });
    progress.finish();
    m_out << "Reviews:           " << outcome.reviews << '\n';
    if (outcome.unusable > 0)
        m_out << "Unusable reviews:  " << outcome.unusable << '\n';
    if (!outcome.enough) {
        m_out << "Not enough reviews to fit yet: " << outcome.fit.reviews << " of "
              << FsrsFitter::MinimumReviews
              << " that follow an earlier one by a day or more. The weights stay as they are.\n";
        return;
    }
    m_out << "Log loss:          " << QString::number(outcome.fit.startLoss, 'f', 4) << " with the defaults, "
          << QString::number(outcome.fit.fittedLoss, 'f', 4) << " fitted\n";
    if (outcome.fit.fitted) {
        QStringList weights;
        for (const double w : outcome.fit.weights)
            weights.append(QString::number(w, 'g', 5));
        m_out << "Weights:           " << weights.join(u' ') << '\n';
    } else {
        m_out << "Weights:           defaults (the fitted ones were no clear gain)\n";
    }
    m_out << "States recomputed: " << outcome.recomputed << '\n';
}
