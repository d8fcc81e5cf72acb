#pragma once

#include "print/printtarget.h"

#include <QPainter>
#include <functional>
#include <memory>

class QPrinter;
class QTemporaryFile;

// The print engine's printer: a real printer of the system's print service or, where the
// system has none, PDF files. A PDF is written into a temporary file beside its target and
// renamed into place when the job ends, so that no half file is ever left.
class QPrinterTarget : public PrintTarget
{
public:
    // Asks where a PDF goes, offering the suggested path; an empty answer cancels the job.
    using PdfChooser = std::function<QString(const QString &suggestedPath)>;

    // With a chooser every job goes to a PDF file; without, to the printer as it is set up.
    QPrinterTarget(QPrinter &printer, PdfChooser chooser = {});
    ~QPrinterTarget() override;

    // Whether the system has a printer to print on.
    static bool systemHasPrinter();
    // The PDF a job would go to by default: the job's unit name with ".pdf", in folder.
    static QString suggestedPdfPath(const QString &folder, const QString &jobTitle);

    int resolutionX() const override;
    int resolutionY() const override;
    void setLandscape(bool landscape) override;
    int pageWidth() const override;
    int pageHeight() const override;
    bool beginJob(const QString &title) override;
    QPainter &painter() override;
    void newPage() override;
    void endJob() override;

    // For the texts of its messages.
    void setLanguageFile(const QString &path) { m_languageFile = path; }

    // The PDF files written so far, in order.
    QStringList writtenFiles() const { return m_written; }

private:
    void abandonJob();
    QString message(const char *key, const char *english) const;

    QPrinter &m_printer;
    PdfChooser m_choosePdf;
    QPainter m_painter;
    std::unique_ptr<QTemporaryFile> m_partial;
    QString m_target;
    QString m_lastFolder;
    QString m_languageFile;
    QStringList m_written;
};
