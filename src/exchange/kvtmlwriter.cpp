#include "exchange/kvtmlwriter.h"

#include "exchange/languagecodes.h"
#include "exchange/wordtypenames.h"
#include "vocfile/vocabularylanguages.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace {
// The word types the free desktop programs know by a special name of their own.
bool hasSpecialName(int type)
{
    const QString name = WordTypeNames::name(type);
    return name == u"noun" || name == u"verb" || name == u"adjective" || name == u"adverb" ||
           name == u"conjunction";
}

void writeIdentifier(QXmlStreamWriter &xml, int id, int language)
{
    xml.writeStartElement(QStringLiteral("identifier"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("name"), LanguageEnglishName(language));
    const QString code = LanguageCodes::codeOf(language);
    if (!code.isEmpty())
        xml.writeTextElement(QStringLiteral("locale"), code);
    xml.writeEndElement();
}

void writeTranslation(QXmlStreamWriter &xml, int id, const QString &text)
{
    xml.writeStartElement(QStringLiteral("translation"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

void writeWordTypes(QXmlStreamWriter &xml, const WordList &list)
{
    xml.writeStartElement(QStringLiteral("wordtypes"));
    for (int type = 1; type < WordTypeNames::Count; ++type) {
        bool used = false;
        for (const WordPair &pair : list.pairs)
            used = used || pair.type == type;
        if (!used)
            continue;
        const QString name = WordTypeNames::name(type);
        xml.writeStartElement(QStringLiteral("container"));
        xml.writeTextElement(QStringLiteral("name"), name.left(1).toUpper() + name.mid(1));
        if (hasSpecialName(type))
            xml.writeTextElement(QStringLiteral("specialwordtype"), name);
        for (qsizetype i = 0; i < list.pairs.size(); ++i) {
            if (list.pairs.at(i).type != type)
                continue;
            xml.writeStartElement(QStringLiteral("entry"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(i));
            for (const char *id : {"0", "1"}) {
                xml.writeEmptyElement(QStringLiteral("translation"));
                xml.writeAttribute(QStringLiteral("id"), QLatin1String(id));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}
} // namespace

void KvtmlWriter::write(QIODevice &device, const WordList &list)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeDTD(
        QStringLiteral("<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    xml.writeStartElement(QStringLiteral("kvtml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("information"));
    xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("Lumo"));
    xml.writeTextElement(QStringLiteral("title"), list.title);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("identifiers"));
    writeIdentifier(xml, 0, list.nativeLanguage);
    writeIdentifier(xml, 1, list.foreignLanguage);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("entries"));
    for (qsizetype i = 0; i < list.pairs.size(); ++i) {
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
        writeTranslation(xml, 0, list.pairs.at(i).native);
        writeTranslation(xml, 1, list.pairs.at(i).foreign);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    writeWordTypes(xml, list);
    xml.writeEndElement();
    xml.writeEndDocument();
}

QByteArray KvtmlWriter::bytes(const WordList &list)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    write(buffer, list);
    return out;
}
