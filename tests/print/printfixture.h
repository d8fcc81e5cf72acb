#pragma once

#include "print/lumoprinter.h"
#include "print/pagecanvas.h"
#include "print/printstatusview.h"
#include "print/printunits.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QList>
#include <memory>

// A unit "lesson" in a test folder of its own, its table open, and a status window that
// keeps what it was shown.
struct RecordingStatus : PrintStatusView
{
    bool isOpen = false;
    bool wasOpened = false;
    QStringList captions;
    QList<int> pages;
    void open(const QString &top, const QString &fileLabel, const QString &pageLabel,
              const QString &file) override
    {
        isOpen = wasOpened = true;
        captions = {top, fileLabel, pageLabel, file};
    }
    void showPage(int page) override { pages.append(page); }
    void close() override { isOpen = false; }
};

struct PrintedPage
{
    QList<PageCanvas::Text> texts;
    int sampleHeight = 0; // TH("XXX") in the entry font
};

class PrintFixture
{
public:
    explicit PrintFixture(const QString &font = QStringLiteral("Liberation Serif"))
    {
        descriptor =
            folder.writeText(QStringLiteral("lesson.lif"),
                             QStringLiteral("[general]\nFileType=vokfile\nFirstLanguage=6\n"
                                            "SecondLanguage=2\nDescription=Animals and plants\nFont=") +
                                 font + u'\n');
        table = std::make_unique<TLumoTable>(messages);
        table->setVocabularyFile(folder.filePath(QStringLiteral("lesson.db")));
        table->open();
    }

    void addEntries(int count, const QString &nativePrefix = QStringLiteral("native"),
                    const QString &foreignPrefix = QStringLiteral("foreign"))
    {
        table->startTransaction();
        for (int i = 1; i <= count; ++i)
            table->appendRecord({QVariant(), nativePrefix + QString::number(i),
                                 foreignPrefix + QString::number(i), 0, QVariant(), QVariant(), 0});
        table->commit();
        table->first();
    }

    // An engine on the unit that keeps the texts of every page it prints.
    std::unique_ptr<TLumoPrinter> engine(PrintTarget &target)
    {
        auto printer = std::make_unique<TLumoPrinter>(target, status, messages);
        printer->setTable(table.get());
        printer->setUnitFile(descriptor);
        printer->setPageObserver([this](const PageCanvas &canvas) {
            printed.append({canvas.texts(), canvas.textHeight(QStringLiteral("XXX"))});
        });
        return printer;
    }

    TestFolder folder;
    ScriptedMessageService messages;
    RecordingStatus status;
    QString descriptor;
    std::unique_ptr<TLumoTable> table;
    QList<PrintedPage> printed;
};
