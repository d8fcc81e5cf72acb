#pragma once

#include "print/lumoprinter.h"
#include "print/printsettings.h"
#include "print/ui/printertarget.h"

#include <QObject>
#include <functional>
#include <memory>

class MessageService;
class QPrinter;
class SettingsList;
class QWidget;
class TLumoTable;
class TPrintStatus;

// The main window's print commands: printing a unit and the system's printer setup. Keeps
// the printer chosen there for the jobs that follow.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    PrintCommands(MessageService &messages, QWidget *window);
    ~PrintCommands() override;

    // Prints the unit of this descriptor on the table (opened for the job when closed and
    // closed again after it); the settings go in and come back as the user left them. Does
    // nothing without a unit. Errors travel on.
    void printUnit(TLumoTable &table, const QString &unitFile, const QString &languageFile,
                   PrintSettings &settings);
    // The system's printer setup dialog.
    void printerSetup();

    // The settings the jobs start from, kept with the program's settings.
    PrintSettings &settings() { return m_settings; }
    void declareSettings(SettingsList &list);

    void setHelp(std::function<void(int)> showHelp) { m_showHelp = std::move(showHelp); }
    // Tests script the dialogs and choose PDF output.
    void setSetupDialog(TLumoPrinter::SetupDialog dialog) { m_setupDialog = std::move(dialog); }
    void setPdfChooser(QPrinterTarget::PdfChooser chooser) { m_choosePdf = std::move(chooser); }
    void setAlwaysPdf(bool on) { m_alwaysPdf = on; }
    TPrintStatus *status() const { return m_status; }

private:
    QString askPdfPath(const QString &languageFile, const QString &suggested);

    MessageService &m_messages;
    QWidget *m_window;
    QPrinter &printer();

    std::unique_ptr<QPrinter> m_printer;
    TPrintStatus *m_status;
    std::function<void(int)> m_showHelp;
    TLumoPrinter::SetupDialog m_setupDialog;
    QPrinterTarget::PdfChooser m_choosePdf;
    bool m_alwaysPdf = false;
    PrintSettings m_settings;
};
