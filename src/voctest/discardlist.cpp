#include "voctest/discardlist.h"

#include "platform/ini/inifile.h"
#include "platform/programfolder.h"

#include <QFileInfo>

QString DiscardList::filePath()
{
    return ProgramFileToRead(QStringLiteral("DiscardList.ldl"));
}

QStringList DiscardList::wordsFor(int languageIndex)
{
    const QString path = filePath();
    QString text;
    if (QFileInfo(path).isFile())
        text =
            IniFile(path).readString(QStringLiteral("DiscardStrings"),
                                     QStringLiteral("Language") + QString::number(languageIndex), QString());
    return split(asciiLower(text));
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
