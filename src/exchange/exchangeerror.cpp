#include "exchange/exchangeerror.h"

namespace {
struct KindText
{
    ExchangeError::Kind kind;
    const char *key;
    const char *english;
};

const KindText Texts[] = {
    {ExchangeError::Kind::CannotRead, "MsgImportCannotRead", "Cannot read the file:"},
    {ExchangeError::Kind::CannotWrite, "MsgExportCannotWrite", "Cannot write the file:"},
    {ExchangeError::Kind::NotText, "MsgImportNotText", "This is not a text file:"},
    {ExchangeError::Kind::UnbalancedQuote, "MsgImportUnbalancedQuote",
     "A quoted field is never closed. Nothing was imported from:"},
    {ExchangeError::Kind::NotWellFormed, "MsgImportNotWellFormed",
     "The file is damaged (not well-formed XML). Nothing was imported from:"},
    {ExchangeError::Kind::EntitiesRefused, "MsgImportEntities",
     "The file declares entities of its own, which are refused for safety. Nothing was imported from:"},
    {ExchangeError::Kind::NotKvtml, "MsgImportNotKvtml", "This is not a KVTML 2 word list:"},
    {ExchangeError::Kind::TooFewLanguages, "MsgImportTooFewLanguages",
     "The word list names fewer than two languages:"},
    {ExchangeError::Kind::TooManyColumns, "MsgImportTooManyLanguages",
     "The word list names far more languages than its words can fill. Nothing was imported from:"},
    {ExchangeError::Kind::NoWords, "MsgImportNoWords", "No word pair to import was found in:"},
};

const KindText &find(ExchangeError::Kind kind)
{
    for (const KindText &t : Texts)
        if (t.kind == kind)
            return t;
    return Texts[0];
}
} // namespace

QString ExchangeError::englishText(Kind kind)
{
    return QString::fromUtf8(find(kind).english);
}

QString ExchangeError::key(Kind kind)
{
    return QLatin1String(find(kind).key);
}

QString ExchangeError::compose(const QString &text, const QString &file, int line, const QString &detail,
                               const QString &lineWord)
{
    QString message = text + QStringLiteral("\r\n") + file;
    if (line > 0)
        message += QStringLiteral(", ") + lineWord + u' ' + QString::number(line);
    if (!detail.isEmpty())
        message += QStringLiteral("\r\n") + detail;
    return message;
}
