#include "exchange/exchangetexts.h"

#include "exchange/exchangeerror.h"
#include "exchange/importchoice.h"
#include "uilang/translate.h"

namespace {
const char *const Texts[][2] = {
    {"MsgImportProgress", "Importing words..."},
    {"MsgImportDone", "Word pairs imported:"},
    {"MsgImportSkipped", "Rows left out because they are empty or too short:"},
    {"MsgImportFirstSkipped", "The first of them is in line"},
    {"MsgImportCut", "Words cut to 255 characters:"},
    {"MsgImportUnknownTypes", "Word types not understood, taken as \"none\":"},
    {"MsgImportCancelled", "The import was cancelled. Nothing was imported."},
    {"MsgExportDone", "Word pairs exported:"},
    {"MsgLine", "line"},
};
} // namespace

QList<QPair<QString, QString>> ExchangeTexts::englishTexts()
{
    QList<QPair<QString, QString>> texts;
    for (const auto &t : Texts)
        texts.append({QLatin1String(t[0]), QString::fromUtf8(t[1])});
    using Kind = ExchangeError::Kind;
    for (Kind kind :
         {Kind::CannotRead, Kind::CannotWrite, Kind::NotText, Kind::UnbalancedQuote, Kind::NotWellFormed,
          Kind::EntitiesRefused, Kind::NotKvtml, Kind::TooFewLanguages, Kind::TooManyColumns, Kind::NoWords})
        texts.append({ExchangeError::key(kind), ExchangeError::englishText(kind)});
    return texts;
}

QString ExchangeTexts::text(const QString &languageFile, const QString &key)
{
    for (const auto &[k, english] : englishTexts())
        if (k == key)
            return Translate(languageFile, QLatin1String(Section), key, english);
    return QString();
}

QString ExchangeTexts::errorMessage(const QString &languageFile, const ExchangeError &error)
{
    return ExchangeError::compose(text(languageFile, ExchangeError::key(error.kind())), error.file(),
                                  error.line(), error.detail(),
                                  text(languageFile, QStringLiteral("MsgLine")));
}

QString ExchangeTexts::importSummary(const QString &languageFile, const ImportResult &result)
{
    const auto line = [&languageFile](const char *key, int count) {
        return text(languageFile, QLatin1String(key)) + u' ' + QString::number(count);
    };
    QStringList lines{line("MsgImportDone", result.imported)};
    if (result.skipped > 0)
        lines.append(line("MsgImportSkipped", result.skipped) + QStringLiteral("\r\n") +
                     line("MsgImportFirstSkipped", result.firstSkippedLine));
    if (result.cut > 0)
        lines.append(line("MsgImportCut", result.cut));
    if (result.unknownTypes > 0)
        lines.append(line("MsgImportUnknownTypes", result.unknownTypes));
    return lines.join(QStringLiteral("\r\n"));
}
