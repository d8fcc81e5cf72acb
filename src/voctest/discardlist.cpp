#include "voctest/discardlist.h"

#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "platform/programfolder.h"

#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("DiscardStrings");

QString languageKey(int language)
{
    return QStringLiteral("Language") + QString::number(language);
}

QString storedText(const IniFile &file, int language)
{
    return file.readString(Section, languageKey(language), QString());
}
} // namespace

QString DiscardList::fileName()
{
    return QStringLiteral("DiscardList.ldl");
}

QString DiscardList::filePath()
{
    return ProgramFileToRead(fileName());
}

QStringList DiscardList::wordsFor(int languageIndex)
{
    const QString path = filePath();
    const QString text = QFileInfo(path).isFile() ? storedText(IniFile(path), languageIndex) : QString();
    return split(asciiLower(text));
}

QStringList DiscardList::texts(int count)
{
    QStringList texts(count, QString());
    const QString path = filePath();
    if (!QFileInfo(path).isFile())
        return texts;
    const IniFile file(path);
    for (int language = 0; language < count; ++language)
        texts[language] = storedText(file, language);
    return texts;
}

void DiscardList::save(const QStringList &texts)
{
    IniBatch file(ProgramFileToWrite(fileName()));
    for (int language = 0; language < texts.size(); ++language)
        file.writeString(Section, languageKey(language), texts.at(language));
    file.commit();
}

QStringList DiscardList::split(const QString &text)
{
    QStringList words;
    for (const QString &piece : text.split(u';'))
        if (!piece.isEmpty())
            words.append(piece);
    return words;
}

QString DiscardList::asciiLower(QString text)
{
    for (QChar &c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    return text;
}
