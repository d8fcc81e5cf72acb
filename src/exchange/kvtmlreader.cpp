#include "exchange/kvtmlreader.h"

#include "exchange/exchangeerror.h"
#include "exchange/languagecodes.h"
#include "exchange/wordlistfile.h"
#include "exchange/wordtypenames.h"

#include <QHash>
#include <QXmlStreamReader>

namespace {
using Kind = ExchangeError::Kind;

// One word type container while it is read. Its type falls back on its parent's, which is
// settled by then: a parent's name cannot change while one of its containers is open.
struct Container
{
    int parentType = 0;
    QString name;
    QString special;
    QStringList entries;

    int type() const
    {
        const int bySpecial = special.isEmpty() ? -1 : WordTypeNames::parse(special);
        if (bySpecial > 0)
            return bySpecial;
        const int byName = name.isEmpty() ? -1 : WordTypeNames::parse(name);
        return byName > 0 ? byName : parentType;
    }
};

QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c == u'\n' || c == u'\r')
            c = u' ';
    return text.trimmed();
}

class Reader
{
public:
    Reader(const QByteArray &bytes, const QString &fileName)
        : m_xml(bytes), m_file(fileName), m_cellsLeft(bytes.size()),
          m_utf16(bytes.startsWith(QByteArrayView("\xFF\xFE")) ||
                  bytes.startsWith(QByteArrayView("\xFE\xFF")))
    {}
    WordTable read();

private:
    [[noreturn]] void fail(Kind kind, const QString &detail = QString()) const
    {
        throw ExchangeError(kind, m_file, int(m_xml.lineNumber()), detail);
    }
    void checkDoctype() const;
    void readRoot();
    void readIdentifier();
    void readEntry();
    void readWordTypes();
    // One child element of the innermost open container.
    void readContainerPart(QList<Container> &open);
    // The text of a simple element, read to its end.
    QString elementText();

    QXmlStreamReader m_xml;
    QString m_file;
    bool m_utf16; // a byte-order mark says so where the file declares no encoding
    // Every word of a real list takes far more than a byte of the file; a list whose entries
    // name only its last of thousands of languages would otherwise make gigabytes of empty
    // cells from one megabyte.
    qsizetype m_cellsLeft;
    WordTable m_table;
    QHash<QString, int> m_columnOfId;
    QHash<QString, int> m_rowOfEntry;
    QHash<QString, int> m_typeOfEntry;
};

void Reader::checkDoctype() const
{
    // Qt expands entities declared in the file itself; an internal subset is never needed
    // by a word list, and refusing it shuts out entity bombs.
    if (m_xml.text().contains(u'[') || !m_xml.entityDeclarations().isEmpty())
        fail(Kind::EntitiesRefused);
}

QString Reader::elementText()
{
    // Read by hand: an entity the file never declares would otherwise vanish from the word
    // without a word said (the external DTD that might declare it is never fetched).
    QString text;
    int depth = 1;
    while (depth > 0 && !m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters: text += m_xml.text(); break;
        case QXmlStreamReader::StartElement: ++depth; break;
        case QXmlStreamReader::EndElement: --depth; break;
        case QXmlStreamReader::EntityReference:
            fail(Kind::NotWellFormed, u'&' + m_xml.name().toString() + u';');
        default: break;
        }
    }
    if (m_xml.hasError())
        fail(Kind::NotWellFormed, m_xml.errorString());
    return text;
}

WordTable Reader::read()
{
    while (!m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD)
            checkDoctype();
        else if (token == QXmlStreamReader::StartElement)
            readRoot();
    }
    if (m_xml.hasError()) {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && m_columnOfId.isEmpty() &&
            m_table.rows.isEmpty() && m_xml.lineNumber() <= 1)
            fail(Kind::NotKvtml);
        fail(Kind::NotWellFormed, m_xml.errorString());
    }
    if (m_columnOfId.size() < 2)
        fail(Kind::TooFewLanguages);
    const QString declared = m_xml.documentEncoding().toString().toUpper();
    m_table.encoding = !declared.isEmpty() ? declared
                       : m_utf16           ? QStringLiteral("UTF-16")
                                           : QStringLiteral("UTF-8");
    for (auto it = m_typeOfEntry.cbegin(); it != m_typeOfEntry.cend(); ++it) {
        const auto row = m_rowOfEntry.constFind(it.key());
        if (row != m_rowOfEntry.cend())
            m_table.rows[row.value()].type = it.value();
    }
    return std::move(m_table);
}

void Reader::readRoot()
{
    if (m_xml.name() != u"kvtml" || !m_xml.attributes().value(QLatin1String("version")).startsWith(u'2'))
        fail(Kind::NotKvtml);
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"identifiers") {
            while (m_xml.readNextStartElement())
                m_xml.name() == u"identifier" ? readIdentifier() : m_xml.skipCurrentElement();
        } else if (m_xml.name() == u"entries") {
            while (m_xml.readNextStartElement())
                m_xml.name() == u"entry" ? readEntry() : m_xml.skipCurrentElement();
        } else if (m_xml.name() == u"wordtypes") {
            readWordTypes();
        } else {
            m_xml.skipCurrentElement();
        }
    }
    // The rest of the document (comments, blanks) is read by the caller's loop.
}

void Reader::readIdentifier()
{
    const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
    QString name;
    QString locale;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"name")
            name = oneLine(elementText());
        else if (m_xml.name() == u"locale")
            locale = elementText().trimmed();
        else
            m_xml.skipCurrentElement();
    }
    if (m_columnOfId.contains(id))
        return;
    m_columnOfId.insert(id, m_table.columnCount++);
    m_table.columnNames.append(name.isEmpty() ? locale : name);
    m_table.columnLanguages.append(LanguageCodes::languageOf(locale));
}

void Reader::readEntry()
{
    WordTable::Row row;
    row.line = int(m_xml.lineNumber());
    const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != u"translation") {
            m_xml.skipCurrentElement();
            continue;
        }
        const int column = m_columnOfId.value(m_xml.attributes().value(QLatin1String("id")).toString(), -1);
        QString text;
        while (m_xml.readNextStartElement())
            m_xml.name() == u"text" ? void(text = oneLine(elementText())) : m_xml.skipCurrentElement();
        if (column < 0)
            continue;
        m_cellsLeft -= std::max<qsizetype>(column + 1 - row.cells.size(), 0);
        if (m_cellsLeft < 0)
            fail(Kind::TooManyColumns);
        while (row.cells.size() <= column)
            row.cells.append(QString());
        row.cells[column] = text;
    }
    m_rowOfEntry.insert(id, int(m_table.rows.size()));
    m_table.rows.append(std::move(row));
}

void Reader::readWordTypes()
{
    // Containers nest without bound, so they are kept on a list of their own rather than on
    // the call stack.
    QList<Container> open;
    while (!m_xml.hasError()) {
        if (!m_xml.readNextStartElement()) {
            // The end of the innermost container, or of the word types themselves.
            if (open.isEmpty())
                return;
            const Container done = open.takeLast();
            for (const QString &entry : done.entries)
                m_typeOfEntry.insert(entry, done.type());
        } else if (m_xml.name() == u"container") {
            open.append(Container{open.isEmpty() ? 0 : open.last().type(), {}, {}, {}});
        } else if (open.isEmpty()) {
            m_xml.skipCurrentElement();
        } else {
            readContainerPart(open);
        }
    }
}

void Reader::readContainerPart(QList<Container> &open)
{
    Container &container = open.last();
    if (m_xml.name() == u"name") {
        container.name = elementText().trimmed();
    } else if (m_xml.name() == u"specialwordtype") {
        container.special = elementText().trimmed();
    } else {
        if (m_xml.name() == u"entry")
            container.entries.append(m_xml.attributes().value(QLatin1String("id")).toString());
        m_xml.skipCurrentElement();
    }
}
} // namespace

WordTable KvtmlReader::parse(const QByteArray &bytes, const QString &fileName)
{
    return Reader(bytes, fileName).read();
}

WordTable KvtmlReader::read(const QString &path)
{
    return parse(ReadWordListFile(path), path);
}
