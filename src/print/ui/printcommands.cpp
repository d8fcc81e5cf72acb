#include "print/ui/printcommands.h"

#include "platform/ini/settingslist.h"

#include "platform/messageservice.h"
#include "print/ui/printsetup.h"
#include "print/ui/printstatus.h"
#include "uilang/translate.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfiles.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>

PrintCommands::PrintCommands(MessageService &messages, QWidget *window)
    : QObject(window), m_messages(messages), m_window(window), m_status(new TPrintStatus(window))
{
    setObjectName(QStringLiteral("PrintCommands"));
}

PrintCommands::~PrintCommands() = default;

// The printer asks the system's print service about its printers, which takes longer than
// building the whole main window: it is made when printing is first asked for.
QPrinter &PrintCommands::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void PrintCommands::printerSetup()
{
    QPrintDialog dialog(&printer(), m_window);
    dialog.exec();
}

QString PrintCommands::askPdfPath(const QString &languageFile, const QString &suggested)
{
    if (m_choosePdf)
        return m_choosePdf(suggested);
    const QString caption =
        Translate(languageFile, QStringLiteral("LumoPrinter"), QStringLiteral("MsgSavePdf"),
                  QStringLiteral("Save the printed pages as PDF"));
    return QFileDialog::getSaveFileName(m_window, caption, suggested, QStringLiteral("PDF (*.pdf)"));
}

void PrintCommands::printUnit(TLumoTable &table, const QString &unitFile, const QString &languageFile,
                              PrintSettings &settings)
{
    if (unitFile.isEmpty())
        return;
    bool openedHere = false;
    if (!table.active()) {
        table.setVocabularyFile(UnitFiles::tablePathOf(unitFile));
        table.openChecked();
        openedHere = true;
    }
    // The unit manager keeps no table open: renaming or deleting the unit must still work.
    const auto closeAgain = qScopeGuard([&] {
        if (openedHere)
            table.close();
    });
    const bool toPdf =
        m_alwaysPdf || !QPrinterTarget::systemHasPrinter() || printer().outputFormat() == QPrinter::PdfFormat;
    QPrinterTarget::PdfChooser chooser;
    if (toPdf)
        chooser = [this, languageFile](const QString &suggested) {
            return askPdfPath(languageFile, suggested);
        };
    QPrinterTarget target(printer(), chooser);
    target.setLanguageFile(languageFile);
    TLumoPrinter engine(target, *m_status, m_messages);
    engine.settings = settings;
    engine.setTable(&table);
    engine.setLanguageFile(languageFile);
    engine.setUnitFile(unitFile);
    if (m_setupDialog) {
        engine.setSetupDialog(m_setupDialog);
    } else {
        engine.setSetupDialog([this](PrintSettings &s, const QString &file) {
            return TPrintSetup::Setup(s, file, m_messages, m_window, m_showHelp);
        });
    }
    // The choice is kept even when the job then fails.
    const bool chosen = engine.Setup();
    settings = engine.settings;
    // A file without pages is never written: rather than ask for its name, say so.
    if (chosen && toPdf && table.isEmpty()) {
        m_messages.information(Translate(languageFile, QStringLiteral("LumoPrinter"),
                                         QStringLiteral("MsgNothingToPrint"),
                                         QStringLiteral("There is nothing to print.")));
        return;
    }
    // No hourglass here: the job asks for a file name and for the paper to be turned over.
    if (chosen)
        engine.Print();
}

void PrintCommands::declareSettings(SettingsList &list)
{
    using namespace SettingOrder;
    PrintSettings &p = m_settings;
    const auto integer = [&list](const char *name, int &field, int defaultValue, Slot slot) {
        list.addInteger(
            QString::fromLatin1(name), defaultValue, slot, [&field] { return field; },
            [&field](int value) { field = value; });
    };
    integer("LeftMarginMM", p.leftMarginMM, 20, {ReadLeftMarginMM, WriteLeftMarginMM});
    integer("RightMarginMM", p.rightMarginMM, 10, {ReadRightMarginMM, WriteRightMarginMM});
    integer("TopMarginMM", p.topMarginMM, 10, {ReadTopMarginMM, WriteTopMarginMM});
    integer("BottomMarginMM", p.bottomMarginMM, 10, {ReadBottomMarginMM, WriteBottomMarginMM});
    integer("FontSize", p.fontSize, 10, {ReadFontSize, WriteFontSize});
    integer("Orientation", p.orientation, 0, {ReadOrientation, WriteOrientation});
    list.addBoolean(
        QStringLiteral("PrinterSwapCols"), false, {ReadPrinterSwapCols, WritePrinterSwapCols},
        [&p] { return p.swapColumns; }, [&p](bool swap) { p.swapColumns = swap; });
    integer("PrintType", p.printType, 0, {ReadPrintType, WritePrintType});
}
