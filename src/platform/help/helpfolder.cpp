#include "platform/help/helpfolder.h"

#include "platform/folderlisting.h"
#include "platform/textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

HelpFolder::HelpFolder(const QString &path) : m_path(QDir::cleanPath(path)) {}

bool HelpFolder::exists() const
{
    return !m_path.isEmpty() && QFileInfo(m_path).isDir();
}

QString HelpFolder::topicPageName(int helpContext)
{
    return QString::number(helpContext) + QStringLiteral(".html");
}

QString HelpFolder::find(const QString &name) const
{
    if (!exists())
        return QString();
    const QString own = FindFileIgnoringCase(m_path, name);
    if (!own.isEmpty())
        return own;
    const QString english = englishHelp();
    return english.isEmpty() ? QString() : FindFileIgnoringCase(english, name);
}

bool HelpFolder::isStandIn(const QString &file) const
{
    const QString english = englishHelp();
    return !english.isEmpty() && QFileInfo(file).absolutePath() == QFileInfo(english).absoluteFilePath();
}

QString HelpFolder::englishHelp() const
{
    const QFileInfo own(m_path);
    const QString english = FindEntryIgnoringCase(own.absolutePath(), QString::fromLatin1(EnglishHelpName));
    if (english.isEmpty() || QFileInfo(english) == own || !QFileInfo(english).isDir())
        return QString();
    return QDir::cleanPath(english);
}

QString HelpFolder::expected(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString HelpFolder::pageTitle(const QString &file)
{
    QFile page(file);
    if (!page.open(QIODevice::ReadOnly))
        return QString();
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(DecodeText(page.readAll()));
    if (!match.hasMatch())
        return QString();
    // The few entities a title needs; a full HTML parser would want a GUI application.
    QString text = match.captured(1).simplified();
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}
