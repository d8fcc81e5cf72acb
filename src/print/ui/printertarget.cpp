#include "print/ui/printertarget.h"

#include "print/printerror.h"
#include "uilang/translate.h"
#include "vocfile/unitfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The PDF engine does not check its own writes: on a full disk it leaves a file cut short,
// which must not replace an older one. A whole PDF ends with its "%%EOF" marker.
bool holdsWholePdf(QFile &file)
{
    const qint64 tail = 32;
    return file.seek(qMax<qint64>(0, file.size() - tail)) && file.read(tail).contains("%%EOF");
}
} // namespace

QPrinterTarget::QPrinterTarget(QPrinter &printer, PdfChooser chooser)
    : m_printer(printer), m_choosePdf(std::move(chooser))
{
    if (m_choosePdf) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setResolution(600);
    }
}

QPrinterTarget::~QPrinterTarget()
{
    abandonJob();
}

bool QPrinterTarget::systemHasPrinter()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString QPrinterTarget::suggestedPdfPath(const QString &folder, const QString &jobTitle)
{
    // The title is the unit's file name, perhaps followed by a note in brackets:
    // "lesson.lif" gives "lesson.pdf", "lesson.lif (Back Side)" gives "lesson (Back Side).pdf".
    const QString noteStart = QStringLiteral(" (");
    qsizetype note = jobTitle.lastIndexOf(noteStart);
    while (note > 0 && !UnitFiles::isDescriptor(jobTitle.left(note)))
        note = jobTitle.lastIndexOf(noteStart, note - 1);
    const QString unit = note > 0 ? jobTitle.left(note) : jobTitle;
    const QString rest = note > 0 ? jobTitle.mid(note) : QString();
    return QDir(folder).filePath(UnitFiles::withoutDescriptorExtension(unit) + rest + QStringLiteral(".pdf"));
}

int QPrinterTarget::resolutionX() const
{
    return m_printer.logicalDpiX();
}

int QPrinterTarget::resolutionY() const
{
    return m_printer.logicalDpiY();
}

void QPrinterTarget::setLandscape(bool landscape)
{
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int QPrinterTarget::pageWidth() const
{
    return m_printer.width();
}

int QPrinterTarget::pageHeight() const
{
    return m_printer.height();
}

bool QPrinterTarget::beginJob(const QString &title)
{
    m_printer.setDocName(title);
    if (!m_choosePdf)
        return true;
    QString folder = m_lastFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Not every home has a documents folder; the working directory is no place to look.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    m_target = m_choosePdf(suggestedPdfPath(folder, title));
    if (m_target.isEmpty())
        return false;
    m_lastFolder = QFileInfo(m_target).absolutePath();
    m_partial = std::make_unique<QTemporaryFile>(m_target + QStringLiteral(".XXXXXX.part"));
    if (!m_partial->open()) {
        m_partial.reset();
        throw PrintError(message("MsgCannotWriteFile", "Cannot write the file") + u' ' +
                         QDir::toNativeSeparators(m_target));
    }
    m_printer.setOutputFileName(m_partial->fileName());
    return true;
}

QPainter &QPrinterTarget::painter()
{
    if (!m_painter.isActive() && !m_painter.begin(&m_printer)) {
        abandonJob();
        throw PrintError(m_choosePdf
                             ? message("MsgCannotWriteFile", "Cannot write the file") + u' ' +
                                   QDir::toNativeSeparators(m_target)
                             : message("MsgPrinterFailed", "The printer could not start the print job."));
    }
    return m_painter;
}

void QPrinterTarget::newPage()
{
    if (!m_printer.newPage())
        throw PrintError(message("MsgNewPageFailed", "The printer could not start a new page."));
}

void QPrinterTarget::endJob()
{
    const bool drawn = m_painter.isActive();
    if (drawn && !m_painter.end()) {
        abandonJob();
        throw PrintError(message("MsgJobFailed", "The print job could not be finished."));
    }
    if (!m_partial)
        return;
    // A job without pages leaves no file.
    if (!drawn || m_partial->size() == 0) {
        abandonJob();
        return;
    }
    if (!holdsWholePdf(*m_partial)) {
        abandonJob();
        throw PrintError(message("MsgCannotWriteFile", "Cannot write the file") + u' ' +
                         QDir::toNativeSeparators(m_target));
    }
    // rename() replaces an older file of that name in one step.
    if (std::rename(QFile::encodeName(m_partial->fileName()).constData(),
                    QFile::encodeName(m_target).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        abandonJob();
        throw PrintError(message("MsgCannotWriteFile", "Cannot write the file") + u' ' +
                         QDir::toNativeSeparators(m_target) + QStringLiteral("\r\n") + reason);
    }
    m_partial->setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    m_partial->setAutoRemove(false);
    m_partial.reset();
    m_written.append(m_target);
}

QString QPrinterTarget::message(const char *key, const char *english) const
{
    return Translate(m_languageFile, QStringLiteral("LumoPrinter"), QString::fromLatin1(key),
                     QString::fromLatin1(english));
}

void QPrinterTarget::abandonJob()
{
    if (m_painter.isActive())
        m_painter.end();
    m_partial.reset(); // removes the partial file
}
