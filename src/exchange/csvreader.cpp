#include "exchange/csvreader.h"

#include "exchange/exchangeerror.h"
#include "exchange/wordlistfile.h"
#include "platform/textdecoding.h"

#include <QHash>

namespace {
// Parses one text into rows, keeping the line numbers.
class Parser
{
public:
    Parser(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}

    // False at the end of the text. An unclosed quote sets openQuoteLine.
    bool nextRow(WordTable::Row &row);
    int openQuoteLine = 0;

private:
    bool atLineBreak(qsizetype i) const { return m_text[i] == u'\n' || m_text[i] == u'\r'; }
    // Steps over one line break (CR LF counts once) and counts the line.
    void skipLineBreak();
    void readQuoted(QString &field);

    const QString &m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

void Parser::skipLineBreak()
{
    if (m_text[m_at] == u'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'\n')
        ++m_at;
    ++m_at;
    ++m_line;
}

void Parser::readQuoted(QString &field)
{
    const int opened = m_line;
    ++m_at; // the opening quote
    while (m_at < m_text.size()) {
        const QChar c = m_text[m_at];
        if (c == u'"') {
            if (m_at + 1 < m_text.size() && m_text[m_at + 1] == u'"') {
                field += u'"';
                m_at += 2;
                continue;
            }
            ++m_at; // the closing quote; what follows up to the separator is kept as typed
            return;
        }
        if (atLineBreak(m_at)) {
            skipLineBreak();
            field += u' ';
            continue;
        }
        field += c;
        ++m_at;
    }
    openQuoteLine = opened;
}

bool Parser::nextRow(WordTable::Row &row)
{
    row = WordTable::Row();
    // Empty lines hold no row.
    while (m_at < m_text.size() && atLineBreak(m_at))
        skipLineBreak();
    if (m_at >= m_text.size())
        return false;
    row.line = m_line;
    QString field;
    bool fieldStart = true;
    while (m_at < m_text.size() && !atLineBreak(m_at)) {
        const QChar c = m_text[m_at];
        if (c == m_separator) {
            row.cells.append(field);
            field.clear();
            fieldStart = true;
            ++m_at;
            continue;
        }
        if (c == u'"' && fieldStart) {
            fieldStart = false;
            readQuoted(field);
            if (openQuoteLine)
                return false;
            continue;
        }
        fieldStart = false;
        field += c;
        ++m_at;
    }
    row.cells.append(field);
    if (m_at < m_text.size())
        skipLineBreak();
    return true;
}

// How well a separator fits the first lines: the number of rows with the most frequent
// field count, when that count is above one.
int fitOf(const QString &text, QChar separator)
{
    Parser parser(text, separator);
    QHash<int, int> rowsByCount;
    WordTable::Row row;
    for (int n = 0; n < CsvReader::DetectionLines && parser.nextRow(row); ++n)
        ++rowsByCount[int(row.cells.size())];
    int best = 0;
    for (auto it = rowsByCount.cbegin(); it != rowsByCount.cend(); ++it)
        if (it.key() > 1)
            best = std::max(best, it.value());
    return best;
}
} // namespace

const QList<QChar> &CsvReader::separators()
{
    static const QList<QChar> list = {u'\t', u';', u',', u'|'};
    return list;
}

QChar CsvReader::detectSeparator(const QString &text, QChar fallback)
{
    QChar chosen = fallback;
    int bestFit = 0;
    for (QChar separator : separators()) {
        const int fit = fitOf(text, separator);
        if (fit > bestFit) {
            bestFit = fit;
            chosen = separator;
        }
    }
    return chosen;
}

DecodedText CsvReader::readText(const QString &path)
{
    const QByteArray bytes = ReadWordListFile(path);
    // No text of ours holds a NUL byte; a file that does is a picture, an archive or the like.
    if (bytes.contains('\0'))
        throw ExchangeError(ExchangeError::Kind::NotText, path);
    return DecodeWordList(bytes);
}

WordTable CsvReader::parse(const QString &text, QChar separator, const QString &fileName, int maxRows)
{
    WordTable table;
    Parser parser(text, separator);
    WordTable::Row row;
    while ((maxRows <= 0 || table.rows.size() < maxRows) && parser.nextRow(row)) {
        table.columnCount = std::max(table.columnCount, int(row.cells.size()));
        table.rows.append(std::move(row));
    }
    if (parser.openQuoteLine)
        throw ExchangeError(ExchangeError::Kind::UnbalancedQuote, fileName, parser.openQuoteLine);
    return table;
}
