#pragma once

#include "print/printsettings.h"

#include <QString>
#include <functional>

class MessageService;
class PageCanvas;
class PrintStatusView;
class PrintTarget;
class SqliteTable;

// Prints the entries of one unit as a framed two-column list or as sheets of cut-out
// cards, fronts with the native words and, after the paper is turned over, backs with the
// foreign words. One engine per print job.
class TLumoPrinter
{
public:
    static constexpr const char *Section = "LumoPrinter";
    // Runs the print setup dialog on the settings; true when the user chose to print.
    using SetupDialog = std::function<bool(PrintSettings &settings, const QString &languageFile)>;

    TLumoPrinter(PrintTarget &printer, PrintStatusView &status, MessageService &messages);

    PrintSettings settings;
    int cardColumns = 4;
    int cardRows = 4;

    SqliteTable *table() const { return m_table; }
    // Opens a closed table that is bound to a file.
    void setTable(SqliteTable *table);
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path) { m_languageFile = path; }
    QString unitFile() const { return m_unitFile; }
    // Reads the unit's languages, font and description from its descriptor, if it exists.
    void setUnitFile(const QString &path);

    QString fontName() const { return m_fontName; }
    QString nativeLanguageName() const { return m_nativeName; }
    QString foreignLanguageName() const { return m_foreignName; }
    QString description() const { return m_description; }
    int pageNumber() const { return m_pageNumber; }

    int InchToDeviceX(double inches) const;
    int InchToDeviceY(double inches) const;
    int MmToDeviceX(double mm) const;
    int MmToDeviceY(double mm) const;

    QString Translate(const QString &section, const QString &key, const QString &defaultValue) const;

    void setSetupDialog(SetupDialog dialog) { m_setupDialog = std::move(dialog); }
    bool Setup();
    void Print();

    // Each draws the next page from the table's current entry on, moving past the entries
    // drawn; false, drawing nothing, when the table is at its end.
    bool DrawListPage(PageCanvas &canvas);
    bool DrawCardFronts(PageCanvas &canvas);
    bool DrawCardBacks(PageCanvas &canvas);

    // Called with every finished page; tests look at the pages here.
    void setPageObserver(std::function<void(const PageCanvas &)> observer)
    {
        m_pageObserver = std::move(observer);
    }

private:
    using PageDrawer = bool (TLumoPrinter::*)(PageCanvas &);
    QString unitFileName() const;
    bool printJob(const QString &title, PageDrawer draw);
    bool askForBackSide();
    void openStatus();
    void drawCardSheet(PageCanvas &canvas, bool backs);
    void drawCard(PageCanvas &canvas, int column, int row, const QString &caption, int field);

    PrintTarget &m_printer;
    PrintStatusView &m_status;
    MessageService &m_messages;
    SetupDialog m_setupDialog;
    std::function<void(const PageCanvas &)> m_pageObserver;
    SqliteTable *m_table = nullptr;
    QString m_languageFile;
    QString m_unitFile;
    QString m_fontName = QStringLiteral("Arial");
    QString m_nativeName;
    QString m_foreignName;
    QString m_description;
    int m_pageNumber = 1;
    int m_resolutionX = 0;
    int m_resolutionY = 0;
};
