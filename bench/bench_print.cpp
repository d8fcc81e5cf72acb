// Printing a unit of 10,000 entries, each with a sound on both sides, as a list into a PDF.
// Beside it, in the same run on the same file: the engine's walk through the table alone,
// plain SQLite reading the two text columns (the floor), and plain SQLite reading the sounds
// too (what printing would cost if it loaded them).

#include "benchsqlite.h"
#include "print/lumoprinter.h"
#include "print/printstatusview.h"
#include "print/ui/printertarget.h"
#include "support/scriptedmessageservice.h"
#include "vocfile/lumotable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int EntryCount = 10000;
constexpr int SoundBytes = 4096;

struct NoStatus : PrintStatusView
{
    void open(const QString &, const QString &, const QString &, const QString &) override {}
    void showPage(int) override {}
    void close() override {}
};

double plainRead(const QString &path, const char *sql)
{
    sqlite3 *db = openLikeTheTable(path, SQLITE_OPEN_READONLY);
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *select = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &select, nullptr);
    qint64 bytes = 0;
    while (sqlite3_step(select) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(select); ++c)
            bytes += sqlite3_column_bytes(select, c);
    sqlite3_finalize(select);
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return bytes > 0 ? ms : -1;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("big.db"));
    ScriptedMessageService messages;
    {
        TLumoTable table(messages);
        table.setVocabularyFile(db);
        table.open();
        table.startTransaction();
        const QByteArray sound(SoundBytes, '\x80');
        for (int i = 0; i < EntryCount; ++i)
            table.appendRecord({QVariant(), QStringLiteral("word number %1").arg(i),
                                QStringLiteral("mot numéro %1 en français").arg(i), 1, sound, sound, 0});
        table.commit();
        table.close();
    }
    // Once through the file, so that every measure finds it in the system's cache alike.
    plainRead(db, "SELECT * FROM vocabulary");

    // Before the table is opened: it holds its file exclusively.
    const double textsMs =
        plainRead(db, "SELECT NativeLanguage, ForeignLanguage FROM vocabulary ORDER BY Count");
    const double soundsMs = plainRead(
        db,
        "SELECT NativeLanguage, ForeignLanguage, NativeSound, ForeignSound FROM vocabulary ORDER BY Count");

    TLumoTable table(messages);
    table.setVocabularyFile(db);
    table.open();
    QElapsedTimer timer;
    timer.start();
    qint64 characters = 0;
    for (table.first(); !table.eof(); table.next())
        characters += table.fieldValue(TLumoTable::NativeLanguage).toString().size() +
                      table.fieldValue(TLumoTable::ForeignLanguage).toString().size();
    const double walkMs = timer.nsecsElapsed() / 1e6;

    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath(QStringLiteral("big.pdf"));
    QPrinterTarget target(printer, [&](const QString &) { return pdf; });
    NoStatus status;
    TLumoPrinter engine(target, status, messages);
    engine.setTable(&table);
    engine.setUnitFile(dir.filePath(QStringLiteral("big.lif")));
    timer.restart();
    engine.Print();
    const double printMs = timer.nsecsElapsed() / 1e6;

    out << "entries: " << EntryCount << ", characters read: " << characters << "\n";
    out << "print list to PDF: " << printMs << " ms (" << QFileInfo(pdf).size() / 1024 << " KiB, "
        << engine.pageNumber() - 1 << " pages)\n";
    out << "engine's table walk: " << walkMs << " ms\n";
    out << "plain SQLite, texts only: " << textsMs << " ms\n";
    out << "plain SQLite, texts and sounds: " << soundsMs << " ms\n";
    out << "ratio walk / plain texts: " << walkMs / textsMs << "\n";
    out << "ratio plain with sounds / plain texts: " << soundsMs / textsMs << "\n";
    out << (printMs < 5000 ? "within 5 s\n" : "SLOWER THAN 5 s\n");
    return 0;
}
