#include "uilang/ui/toolkittranslation.h"

#include "uilang/translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
const QString TranslatorName = QStringLiteral("ToolkitTranslation");
} // namespace

QString ApplyToolkitTranslation(const QString &languageFile)
{
    QCoreApplication *app = QCoreApplication::instance();
    // Kept by the application, so that the next language finds and removes it.
    if (auto *previous = app->findChild<QTranslator *>(TranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
    }
    const QString locale =
        Translate(languageFile, QStringLiteral("General"), QStringLiteral("Locale"), QString()).trimmed();
    if (locale.isEmpty())
        return QString();
    auto *translator = new QTranslator(app);
    translator->setObjectName(TranslatorName);
    // "qt_de" bundles the toolkit's modules where the distribution ships it; "qtbase_de" is
    // the part the program's dialogs need.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_") + locale, folder) &&
        !translator->load(QStringLiteral("qt_") + locale, folder)) {
        delete translator;
        return QString();
    }
    QCoreApplication::installTranslator(translator);
    return locale;
}
