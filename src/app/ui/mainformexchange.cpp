// The main window's import and export of word lists: the File menu items, the file dialogs,
// the preview dialog and the progress of a long import.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "exchange/exchangeerror.h"
#include "exchange/exchangetexts.h"
#include "exchange/ui/importdialog.h"
#include "exchange/wordexchange.h"
#include "exchange/wordimporter.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "platform/help/helpservice.h"
#include "platform/messageservice.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/unitfiles.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>

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

void TMainForm::connectWordExchange()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.FileImportItem, &QAction::triggered, this, &TMainForm::FileImportItemClick);
    connect(menu.FileExportItem, &QAction::triggered, this, &TMainForm::FileExportItemClick);
    // Like the conversion, word lists are a matter of the unit manager page.
    connect(m_pageControl, &QTabWidget::currentChanged, this, &TMainForm::enableWordExchange);
    enableWordExchange();
    m_chooseWordList = [this](bool save, const QString &suggested) {
        return askForWordList(this, save, suggested);
    };
    m_runImportDialog = [](TImportDialog &dialog) { return dialog.exec(); };
}

void TMainForm::enableWordExchange()
{
    const bool onUnitPage = m_pageControl->currentWidget() == m_unitPage;
    m_mainMenu->actions().FileImportItem->setEnabled(onUnitPage);
    m_mainMenu->actions().FileExportItem->setEnabled(onUnitPage);
}

void TMainForm::FileImportItemClick()
{
    TLumoListView *list = m_unitPage->LumoListView1;
    const QString languageFile = list->languageFile();
    const QString caption = list->selectedCaption();
    const QString selected = caption.isEmpty() ? QString() : UnitFiles::findDescriptor(list->path(), caption);
    const QString file = m_chooseWordList(false, list->path());
    if (file.isEmpty())
        return;
    const auto reportExchangeError = [&](const ExchangeError &error) {
        m_messages.error(ExchangeTexts::errorMessage(languageFile, error));
    };
    TImportDialog dialog(m_messages, this);
    connect(&dialog, &TImportDialog::helpRequested, this,
            [this](int context) { m_help->showTopic(context); });
    try {
        dialog.applyLanguageFile(languageFile, m_smallFlags);
        dialog.setFile(file, WordExchange::formatOf(file));
    } catch (const ExchangeError &error) {
        reportExchangeError(error);
        return;
    }
    dialog.setTargets(selected, list->path(), list->defaultNativeLanguage(), list->defaultForeignLanguage());
    if (m_runImportDialog(dialog) != QDialog::Accepted)
        return;

    QProgressDialog progress(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportProgress")),
                             dialog.CancelBtn->text(), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const auto step = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 100 / total) : 100);
        return !progress.wasCanceled();
    };
    ImportResult result;
    Guarded(m_messages, [&] {
        try {
            const BusyScope busy(m_waitCursor);
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
            m_messages.information(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportCancelled")));
            return;
        }
        list->FillList();
        list->selectCaption(UnitFiles(result.descriptor).name());
        m_statusLine->showMessage(ExchangeTexts::text(languageFile, QStringLiteral("MsgImportDone")) + u' ' +
                                  QString::number(result.imported));
        if (result.skipped > 0 || result.cut > 0 || result.unknownTypes > 0)
            m_messages.information(ExchangeTexts::importSummary(languageFile, result));
    });
}

void TMainForm::FileExportItemClick()
{
    TLumoListView *list = m_unitPage->LumoListView1;
    const QString languageFile = list->languageFile();
    const QString caption = list->selectedCaption();
    if (caption.isEmpty()) {
        m_messages.plain(m_texts.kept(QStringLiteral("MsgNoVocFileSelected")));
        return;
    }
    const QString file = m_chooseWordList(true, list->path() + caption + QStringLiteral(".csv"));
    if (file.isEmpty())
        return;
    Guarded(m_messages, [&] {
        try {
            const BusyScope busy(m_waitCursor);
            const int count =
                WordExchange::exportUnit(UnitFiles::findDescriptor(list->path(), caption), file);
            m_statusLine->showMessage(ExchangeTexts::text(languageFile, QStringLiteral("MsgExportDone")) +
                                      u' ' + QString::number(count));
        } catch (const ExchangeError &error) {
            m_messages.error(ExchangeTexts::errorMessage(languageFile, error));
        }
    });
}
