#include "voctest/testvariantlist.h"

#include "platform/programfolder.h"
#include "uilang/translate.h"
#include "voctest/testsettings.h"

#include <QFileInfo>

void TestVariantList::load(const QString &folder, const QString &languageFile)
{
    m_descriptions.clear();
    m_types.clear();
    m_paths.clear();
    for (const QString &path : ListFilePaths(folder, u'*' + TestSettings::fileExtension())) {
        const std::optional<QString> description = TestSettings::listedDescription(path);
        if (!description)
            continue;
        m_descriptions.append(shownDescription(path, *description, languageFile));
        m_types.append(TestSettings::writtenTestType(path));
        m_paths.append(path);
    }
}

int TestVariantList::indexOfFile(const QStringList &paths, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < paths.size(); ++i)
        if (QFileInfo(paths.at(i)).fileName().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TestVariantList::shownDescription(const QString &path, const QString &description,
                                          const QString &languageFile)
{
    if (languageFile.isEmpty())
        return description;
    const QString name = QFileInfo(path).fileName();
    const QString shipped =
        Translate(ProgramFileToRead(QStringLiteral("english.llf")), translationSection(), name, QString());
    // A variant the user renamed keeps the name he gave it.
    if (shipped.isEmpty() || shipped != description)
        return description;
    return Translate(languageFile, translationSection(), name, description);
}
