#include "print/lumoprinter.h"

#include "platform/messageservice.h"
#include "platform/table/sqlitetable.h"
#include "print/pagecanvas.h"
#include "print/printstatusview.h"
#include "print/printtarget.h"
#include "print/printunits.h"
#include "uilang/translate.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/vocabularylanguages.h"

#include <QFileInfo>
#include <QScopeGuard>

TLumoPrinter::TLumoPrinter(PrintTarget &printer, PrintStatusView &status, MessageService &messages)
    : m_printer(printer), m_status(status), m_messages(messages)
{
    m_resolutionX = printer.resolutionX();
    m_resolutionY = printer.resolutionY();
}

void TLumoPrinter::setTable(SqliteTable *table)
{
    m_table = table;
    if (m_table && !m_table->active() && !m_table->tableName().isEmpty())
        m_table->open();
}

void TLumoPrinter::setUnitFile(const QString &path)
{
    m_unitFile = path;
    const UnitDescriptor descriptor(path);
    if (!descriptor.exists())
        return;
    const int native = descriptor.firstLanguage();
    const int foreign = descriptor.secondLanguage();
    m_fontName = descriptor.font();
    if (m_fontName.isEmpty())
        m_fontName = QStringLiteral("Arial");
    m_description = descriptor.description();
    m_nativeName = ShownLanguageName(m_languageFile, native);
    m_foreignName = ShownLanguageName(m_languageFile, foreign);
}

int TLumoPrinter::InchToDeviceX(double inches) const
{
    return InchToDevice(inches, m_resolutionX);
}

int TLumoPrinter::InchToDeviceY(double inches) const
{
    return InchToDevice(inches, m_resolutionY);
}

int TLumoPrinter::MmToDeviceX(double mm) const
{
    return MmToDevice(mm, m_resolutionX);
}

int TLumoPrinter::MmToDeviceY(double mm) const
{
    return MmToDevice(mm, m_resolutionY);
}

QString TLumoPrinter::Translate(const QString &section, const QString &key, const QString &defaultValue) const
{
    return ::Translate(m_languageFile, section, key, defaultValue);
}

bool TLumoPrinter::Setup()
{
    return m_setupDialog && m_setupDialog(settings, m_languageFile);
}

QString TLumoPrinter::unitFileName() const
{
    return QFileInfo(m_unitFile).fileName();
}

void TLumoPrinter::Print()
{
    if (!m_table || !m_table->active())
        return;
    m_table->disableControls();
    // Whatever happens, the table is left at its first entry with its views alive again.
    const auto restore = qScopeGuard([this] {
        m_table->first();
        m_table->enableControls();
        m_status.close();
    });
    m_table->first();
    const bool cards = settings.printType == 1;
    m_printer.setLandscape(cards || settings.orientation == 1);
    m_pageNumber = 1;
    if (!cards) {
        printJob(unitFileName(), &TLumoPrinter::DrawListPage);
        return;
    }
    // Nothing to turn over when the fronts never started.
    if (!printJob(unitFileName(), &TLumoPrinter::DrawCardFronts) || !askForBackSide())
        return;
    m_table->first();
    const QString backSide =
        Translate(QString::fromLatin1(Section), QStringLiteral("BackSide"), QStringLiteral("Back Side"));
    printJob(unitFileName() + QStringLiteral(" (") + backSide + u')', &TLumoPrinter::DrawCardBacks);
}

bool TLumoPrinter::askForBackSide()
{
    const QString section = QString::fromLatin1(Section);
    const QString text =
        Translate(section, QStringLiteral("BackSideMsg1"),
                  QStringLiteral("Please wait until all pages have been print.")) +
        QStringLiteral("\r\n") +
        Translate(section, QStringLiteral("BackSideMsg2"),
                  QStringLiteral("Then put all pages back in the printer with")) +
        QStringLiteral("\r\n") +
        Translate(section, QStringLiteral("BackSideMsg3"), QStringLiteral("first page on top.")) +
        QStringLiteral("\r\n") +
        Translate(section, QStringLiteral("BackSideMsg4"), QStringLiteral("Press Ok when ready."));
    return m_messages.show(MessageService::Kind::Information, text,
                           MessageService::Ok | MessageService::Cancel) == MessageService::Ok;
}

void TLumoPrinter::openStatus()
{
    const QString section = QString::fromLatin1(Section);
    m_status.open(Translate(section, QStringLiteral("TopLabel"), QStringLiteral("Printing. Please wait...")),
                  Translate(section, QStringLiteral("FileNameLabel"), QStringLiteral("File name:")),
                  Translate(section, QStringLiteral("CurrentPageLabel"), QStringLiteral("Current page:")),
                  unitFileName());
}

bool TLumoPrinter::printJob(const QString &title, PageDrawer draw)
{
    // The status window stays on top: it is shown only while pages are made, so that it never
    // covers the question for the file name or the one about turning the paper over.
    if (!m_printer.beginJob(title))
        return false;
    openStatus();
    bool firstPage = true;
    // The draw test comes before the page is opened, so an empty table prints no sheet.
    while (!m_table->eof()) {
        if (!firstPage)
            m_printer.newPage();
        PageCanvas canvas(m_printer.painter());
        if (!(this->*draw)(canvas))
            break;
        m_status.showPage(m_pageNumber);
        if (m_pageObserver)
            m_pageObserver(canvas);
        ++m_pageNumber;
        firstPage = false;
    }
    m_printer.endJob();
    m_status.close();
    return true;
}
