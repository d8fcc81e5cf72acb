#include "exchange/ui/wordlistcommands.h"

#include "exchange/exchangeerror.h"
#include "exchange/exchangetexts.h"
#include "exchange/ui/importdialog.h"
#include "exchange/wordexchange.h"
#include "exchange/wordimporter.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "vocfile/unitfiles.h"
#include "widgets/pageservices.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>

namespace {
QString askForWordList(QWidget *parent, bool save, const QString &suggested)
{
    const QStringList filters = {WordListFormats::nameFilter(WordListFormat::Csv),
                                 WordListFormats::nameFilter(WordListFormat::Tsv),
                                 WordListFormats::nameFilter(WordListFormat::Kvtml)};
    if (!save)
        return QFileDialog::getOpenFileName(
            parent, QString(), QFileInfo(suggested).path(),
            (QStringList{WordListFormats::allNameFilter()} + filters).join(";;"));
    QString filter = filters.first();
    QString file = QFileDialog::getSaveFileName(parent, QString(), suggested, filters.join(";;"), &filter);
    // A name typed without extension gets the one of the chosen type.
    if (!file.isEmpty() && !WordListFormats::ofPath(file))
        file += u'.' + WordListFormats::extension(
                           WordListFormat(filters.indexOf(filter) < 0 ? 0 : filters.indexOf(filter)));
    return file;
}
} // namespace

WordListCommands::WordListCommands(const PageServices &services, WordListFolder &folder, QWidget *window)
    : QObject(window), m_services(services), m_folder(folder), m_window(window)
{
    setObjectName(QStringLiteral("WordListCommands"));
    m_chooseWordList = [this](bool save, const QString &suggested) {
        return askForWordList(m_window, save, suggested);
    };
    m_runImportDialog = [](TImportDialog &dialog) { return dialog.exec(); };
}

void WordListCommands::setMenuItems(QAction *importItem, QAction *exportItem)
{
    m_importItem = importItem;
    m_exportItem = exportItem;
}

void WordListCommands::enableFor(bool unitManagerShown)
{
    m_importItem->setEnabled(unitManagerShown);
    m_exportItem->setEnabled(unitManagerShown);
}

void WordListCommands::FileImportItemClick()
{
    MessageService &messages = m_services.messages;
    const QString languageFile = m_services.languageFile();
    const QString folder = m_folder.folderPath();
    const QString caption = m_folder.selectedUnit();
    const QString selected = caption.isEmpty() ? QString() : UnitFiles::findDescriptor(folder, caption);
    const QString file = m_chooseWordList(false, folder);
    if (file.isEmpty())
        return;
    const auto reportExchangeError = [&](const ExchangeError &error) {
        messages.error(ExchangeTexts::errorMessage(languageFile, error));
    };
    TImportDialog dialog(messages, m_window);
    connect(&dialog, &TImportDialog::helpRequested, this,
            [this](int context) { m_services.showHelp(context); });
    try {
        dialog.applyLanguageFile(languageFile, m_smallFlags);
        dialog.setFile(file, WordExchange::formatOf(file));
    } catch (const ExchangeError &error) {
        reportExchangeError(error);
        return;
    }
    dialog.setTargets(selected, folder, m_folder.defaultNativeLanguage(), m_folder.defaultForeignLanguage());
    if (m_runImportDialog(dialog) != QDialog::Accepted)
        return;

    QProgressDialog progress(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportProgress")),
                             dialog.CancelBtn->text(), 0, 100, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const auto step = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 100 / total) : 100);
        return !progress.wasCanceled();
    };
    ImportResult result;
    Guarded(messages, [&] {
        try {
            const BusyScope busy(m_services.busy);
            const WordTable table =
                WordExchange::readFile(file, WordExchange::formatOf(file), dialog.separator());
            result = WordImporter::importInto(dialog.targetDescriptor(), table, dialog.choice(), step);
        } catch (const ExchangeError &error) {
            progress.reset();
            reportExchangeError(error);
            return;
        }
        progress.reset();
        if (result.cancelled) {
            messages.information(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportCancelled")));
            return;
        }
        m_folder.showUnit(UnitFiles(result.descriptor).name());
        emit statusMessage(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportDone")) + u' ' +
                           QString::number(result.imported));
        if (result.skipped > 0 || result.cut > 0 || result.unknownTypes > 0)
            messages.information(ExchangeTexts::importSummary(languageFile, result));
    });
}

void WordListCommands::FileExportItemClick()
{
    const QString languageFile = m_services.languageFile();
    const QString folder = m_folder.folderPath();
    const QString caption = m_folder.selectedUnit();
    if (caption.isEmpty()) {
        m_services.messages.plain(m_services.keptText(QStringLiteral("MsgNoVocFileSelected")));
        return;
    }
    const QString file = m_chooseWordList(true, folder + caption + QStringLiteral(".csv"));
    if (file.isEmpty())
        return;
    Guarded(m_services.messages, [&] {
        try {
            const BusyScope busy(m_services.busy);
            const int count = WordExchange::exportUnit(UnitFiles::findDescriptor(folder, caption), file);
            emit statusMessage(ExchangeTexts::text(languageFile, QStringLiteral("MsgExportDone")) + u' ' +
                               QString::number(count));
        } catch (const ExchangeError &error) {
            m_services.messages.error(ExchangeTexts::errorMessage(languageFile, error));
        }
    });
}
