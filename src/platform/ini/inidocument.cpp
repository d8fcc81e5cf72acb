#include "platform/ini/inidocument.h"

#include "platform/ini/inifile.h"

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only spaces and tabs: a no-break space at the end of a translated text is meant.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isQuoted(const QString &value)
{
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
}

QString cutToReadableLength(QString value)
{
    if (value.size() <= IniFile::MaxValueLength)
        return value;
    qsizetype length = IniFile::MaxValueLength;
    // Never leave half of a surrogate pair behind.
    if (value[length - 1].isHighSurrogate())
        --length;
    value.truncate(length);
    return value;
}

QString readValue(const QString &lineText, qsizetype valueAt)
{
    QString value = trimBlanks(lineText.mid(valueAt));
    if (isQuoted(value))
        value = value.mid(1, value.size() - 2);
    return cutToReadableLength(value);
}
} // namespace

IniDocument IniDocument::parse(const QString &text)
{
    IniDocument document;
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        QString ending;
        if (end < size)
            ending = (text[end] == u'\r' && end + 1 < size && text[end + 1] == u'\n') ? QStringLiteral("\r\n")
                                                                                      : QString(text[end]);
        document.m_lines.append(classify(text.mid(start, end - start), ending));
        start = end + ending.size();
    }
    document.reindex();
    return document;
}

QString IniDocument::toText() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + line.ending;
    return text;
}

IniDocument::Line IniDocument::classify(QString text, QString ending)
{
    Line line;
    line.text = std::move(text);
    line.ending = std::move(ending);
    const QString trimmed = trimBlanks(line.text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = trimBlanks(trimmed.mid(1, close - 1));
            return line;
        }
    }
    if (trimmed.startsWith(u';'))
        return line;
    const qsizetype equals = line.text.indexOf(u'=');
    if (equals < 0)
        return line;
    line.name = trimBlanks(line.text.left(equals));
    if (line.name.isEmpty())
        return line;
    line.kind = LineKind::Key;
    line.valueAt = equals + 1;
    while (line.valueAt < line.text.size() && isBlank(line.text[line.valueAt]))
        ++line.valueAt;
    return line;
}

QString IniDocument::fold(const QString &name)
{
    return trimBlanks(name).toCaseFolded();
}

void IniDocument::reindex()
{
    m_sections.clear();
    std::optional<SectionIndex> current;
    QString currentName;
    const auto close = [&](qsizetype endLine) {
        if (current) {
            current->endLine = endLine;
            m_sections.insert(currentName, std::move(*current));
            current.reset();
        }
    };
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == LineKind::Section) {
            close(i);
            currentName = fold(line.name);
            // A later section of the same name is never read.
            if (!m_sections.contains(currentName)) {
                current.emplace();
                current->headerLine = i;
            }
        } else if (line.kind == LineKind::Key && current) {
            const QString key = fold(line.name);
            if (!current->values.contains(key)) {
                current->values.insert(key, readValue(line.text, line.valueAt));
                current->keyOrder.append(line.name);
            }
        }
    }
    close(m_lines.size());
}

const IniDocument::SectionIndex *IniDocument::findSection(const QString &section) const
{
    const auto found = m_sections.constFind(fold(section));
    return found == m_sections.constEnd() ? nullptr : &found.value();
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const SectionIndex *index = findSection(section);
    if (!index)
        return std::nullopt;
    const auto found = index->values.constFind(fold(key));
    if (found == index->values.constEnd())
        return std::nullopt;
    return found.value();
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

QStringList IniDocument::keys(const QString &section) const
{
    const SectionIndex *index = findSection(section);
    return index ? index->keyOrder : QStringList();
}

QString IniDocument::newLineEnding() const
{
    for (const Line &line : m_lines) {
        if (!line.ending.isEmpty())
            return line.ending;
    }
    return QStringLiteral("\n");
}

void IniDocument::insertLine(qsizetype at, const QString &text)
{
    QString ending = newLineEnding();
    // At the end of a file whose last line has no line end, the new line takes that place.
    if (at == m_lines.size() && at > 0 && m_lines[at - 1].ending.isEmpty())
        std::swap(ending, m_lines[at - 1].ending);
    m_lines.insert(at, classify(text, ending));
}

void IniDocument::appendSection(const QString &section, const QString &keyLine)
{
    if (!m_lines.isEmpty() && !trimBlanks(m_lines.constLast().text).isEmpty())
        insertLine(m_lines.size(), QString());
    insertLine(m_lines.size(), u'[' + trimBlanks(section) + u']');
    insertLine(m_lines.size(), keyLine);
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString encoded = encodeValue(value);
    const auto found = m_sections.find(fold(section));
    if (found == m_sections.end()) {
        appendSection(section, trimBlanks(key) + u'=' + encoded);
        reindex();
        return;
    }
    // The index is kept up to date here rather than rebuilt: a batch of writes into a large
    // file would otherwise read the whole file again for every key.
    SectionIndex &index = found.value();
    const QString folded = fold(key);
    for (qsizetype i = index.headerLine + 1; i < index.endLine; ++i) {
        Line &line = m_lines[i];
        if (line.kind == LineKind::Key && fold(line.name) == folded) {
            line.text = line.text.left(line.valueAt) + encoded;
            index.values.insert(folded, readValue(line.text, line.valueAt));
            return;
        }
    }
    // After the block's last non-blank line, so that blank lines before the next section stay.
    qsizetype at = index.endLine;
    while (at > index.headerLine + 1 && trimBlanks(m_lines[at - 1].text).isEmpty())
        --at;
    insertLine(at, trimBlanks(key) + u'=' + encoded);
    for (SectionIndex &other : m_sections) {
        if (other.headerLine >= at)
            ++other.headerLine;
        if (other.endLine >= at)
            ++other.endLine;
    }
    const Line &added = m_lines[at];
    if (added.kind != LineKind::Key || fold(added.name) != folded) {
        // A name no reader finds again as written; the index says what reading would.
        reindex();
        return;
    }
    index.values.insert(folded, readValue(added.text, added.valueAt));
    index.keyOrder.append(added.name);
}

bool IniDocument::removeSection(const QString &section)
{
    const SectionIndex *index = findSection(section);
    if (!index)
        return false;
    m_lines.remove(index->headerLine, index->endLine - index->headerLine);
    reindex();
    return true;
}

QString IniDocument::encodeValue(const QString &value)
{
    // A line break would end the value and start a line of its own in the file.
    QString encoded = value;
    encoded.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    encoded.replace(u'\r', u' ');
    encoded.replace(u'\n', u' ');
    const bool blankAtEdge = !encoded.isEmpty() && (isBlank(encoded.front()) || isBlank(encoded.back()));
    if (blankAtEdge || isQuoted(encoded))
        return u'"' + encoded + u'"';
    return encoded;
}

bool IniDocument::isWritableSectionName(const QString &section)
{
    return !section.contains(u']') && !section.contains(u'\r') && !section.contains(u'\n');
}

bool IniDocument::isWritableKeyName(const QString &key)
{
    const QString name = trimBlanks(key);
    return !name.isEmpty() && !name.startsWith(u'[') && !name.startsWith(u';') && !name.contains(u'=') &&
           !name.contains(u'\r') && !name.contains(u'\n');
}
