#include "imageprinttarget.h"
#include "print/printunits.h"
#include "printfixture.h"

#include <QTest>

namespace {
int darkPixels(const QImage &page, const QRect &area)
{
    int dark = 0;
    const QRect r = area.intersected(page.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar *line = page.constScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x)
            dark += line[x] < 128 ? 1 : 0;
    }
    return dark;
}

bool isDark(const QImage &page, int x, int y)
{
    return darkPixels(page, QRect(x, y, 1, 1)) == 1;
}

QList<PageCanvas::Text> textsStartingWith(const PrintedPage &page, const QString &prefix)
{
    QList<PageCanvas::Text> found;
    for (const PageCanvas::Text &text : page.texts)
        if (text.text.startsWith(prefix))
            found.append(text);
    return found;
}

std::optional<PageCanvas::Text> textNamed(const PrintedPage &page, const QString &name)
{
    for (const PageCanvas::Text &text : page.texts)
        if (text.text == name)
            return text;
    return std::nullopt;
}
} // namespace

class TestLumoPrinter : public QObject
{
    Q_OBJECT

private slots:
    void listPageFrameAndHeader();
    void listRowsStopBeforeTheBottomBand();
    void swappedColumnsPutTheForeignSideLeft();
    void seventeenCardsGiveTwoFrontAndTwoBackSheets();
    void cancelInTheBackSideQuestionKeepsTheFronts();
    void emptyTablePrintsNoSheet();
    void nothingIsPrintedWithoutAnOpenTable();
    void refusedJobAsksNoBackSideQuestion();
    void longCardTextIsCutToTwentyLines();
    void missingUnitFontStillPrints();
};

void TestLumoPrinter::listPageFrameAndHeader()
{
    PrintFixture fixture;
    fixture.addEntries(3);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->setLanguageFile(TestFolder::shippedFile(QStringLiteral("english.llf")));
    printer->setUnitFile(fixture.descriptor);
    printer->Print();

    QCOMPARE(target.jobs.size(), 1);
    QCOMPARE(target.jobs[0].title, QStringLiteral("lesson.lif"));
    QVERIFY(target.jobs[0].ended);
    QCOMPARE(target.jobs[0].pages.size(), 1);
    QVERIFY(!target.landscape());
    const QImage &page = target.jobs[0].pages[0];
    const int left = printer->MmToDeviceX(20);
    QCOMPARE(left, 251);
    const int right = page.width() - printer->MmToDeviceX(10);
    const int top = printer->MmToDeviceY(10);
    const int middle = page.height() / 2;
    QVERIFY(isDark(page, left, middle));
    QVERIFY(!isDark(page, left - 10, middle));
    QVERIFY(isDark(page, right - 1, middle));
    QVERIFY(!isDark(page, right + 10, middle));
    QVERIFY(isDark(page, page.width() / 3, top));

    const PrintedPage &printed = fixture.printed.at(0);
    const int y0 = top + printer->InchToDeviceY(0.125);
    QCOMPARE(textNamed(printed, QStringLiteral("lesson"))->topLeft.y(), y0);
    QCOMPARE(textNamed(printed, QStringLiteral("Page: 1"))->topLeft.y(), y0);
    QVERIFY(textNamed(printed, QStringLiteral("Page: 1"))->topLeft.x() > page.width() / 2);
    QVERIFY(textNamed(printed, QStringLiteral("Animals and plants"))->topLeft.y() > y0);
    const int mid = left + (right - left) / 2;
    QVERIFY(textNamed(printed, QStringLiteral("German"))->topLeft.x() < left + (right - left) / 4);
    QVERIFY(textNamed(printed, QStringLiteral("British English"))->topLeft.x() > mid);

    // The entries in their columns, with ink where the text is.
    const auto native = textNamed(printed, QStringLiteral("native1"));
    const auto foreign = textNamed(printed, QStringLiteral("foreign1"));
    QVERIFY(native && foreign);
    QCOMPARE(native->topLeft.x(), left + printer->InchToDeviceX(0.05));
    QCOMPARE(foreign->topLeft.x(), mid + printer->InchToDeviceX(0.05));
    QCOMPARE(foreign->topLeft.y(), native->topLeft.y());
    QVERIFY(darkPixels(page, QRect(native->topLeft, QSize(100, printed.sampleHeight))) > 50);
    QVERIFY(darkPixels(page, QRect(foreign->topLeft, QSize(100, printed.sampleHeight))) > 50);
    QCOMPARE(fixture.status.captions,
             QStringList({"Printing. Please wait...", "File name:", "Current page:", "lesson.lif"}));
    QCOMPARE(fixture.status.pages, QList<int>{1});
    QVERIFY(!fixture.status.isOpen);
}

void TestLumoPrinter::listRowsStopBeforeTheBottomBand()
{
    PrintFixture fixture;
    fixture.addEntries(150);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->Print();

    const int pages = int(target.jobs[0].pages.size());
    QVERIFY(pages >= 2);
    QCOMPARE(fixture.printed.size(), pages);
    const int bottom = target.pageHeight() - printer->MmToDeviceY(10);
    int expected = 1;
    for (int p = 0; p < pages; ++p) {
        const PrintedPage &printed = fixture.printed.at(p);
        const int pitch = RoundHalfEven(printed.sampleHeight * 1.2);
        const int gap = RoundHalfEven(printed.sampleHeight * 0.1);
        QVERIFY(textNamed(printed, QStringLiteral("Page: %1").arg(p + 1)));
        QVERIFY(textNamed(printed, QStringLiteral("lesson")));
        const QList<PageCanvas::Text> rows = textsStartingWith(printed, QStringLiteral("native"));
        QVERIFY(!rows.isEmpty());
        for (const PageCanvas::Text &row : rows) {
            QCOMPARE(row.text, QStringLiteral("native%1").arg(expected++));
            QVERIFY(row.topLeft.y() < bottom - pitch);
        }
        if (p < pages - 1) // a full page: the next row would have reached the band
            QVERIFY(rows.last().topLeft.y() + pitch + gap >= bottom - pitch);
    }
    QCOMPARE(expected, 151);
    QList<int> numbers;
    for (int p = 1; p <= pages; ++p)
        numbers.append(p);
    QCOMPARE(fixture.status.pages, numbers);
    QCOMPARE(fixture.table->recNo(), 0);
    QVERIFY(!fixture.table->controlsDisabled());
}

void TestLumoPrinter::swappedColumnsPutTheForeignSideLeft()
{
    PrintFixture fixture;
    fixture.addEntries(2);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->setLanguageFile(TestFolder::shippedFile(QStringLiteral("english.llf")));
    printer->setUnitFile(fixture.descriptor);
    printer->settings.swapColumns = true;
    printer->settings.orientation = 1;
    printer->Print();

    QVERIFY(target.landscape());
    const PrintedPage &printed = fixture.printed.at(0);
    const int left = printer->MmToDeviceX(20);
    const int right = target.pageWidth() - printer->MmToDeviceX(10);
    const int mid = left + (right - left) / 2;
    QCOMPARE(textNamed(printed, QStringLiteral("foreign1"))->topLeft.x(),
             left + printer->InchToDeviceX(0.05));
    QCOMPARE(textNamed(printed, QStringLiteral("native1"))->topLeft.x(), mid + printer->InchToDeviceX(0.05));
    QVERIFY(textNamed(printed, QStringLiteral("British English"))->topLeft.x() < mid);
    QVERIFY(textNamed(printed, QStringLiteral("German"))->topLeft.x() > mid);
}

void TestLumoPrinter::seventeenCardsGiveTwoFrontAndTwoBackSheets()
{
    PrintFixture fixture;
    fixture.addEntries(17);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->settings.printType = 1;
    printer->settings.orientation = 0; // cards are landscape whatever was chosen
    printer->Print();

    QVERIFY(target.landscape());
    QCOMPARE(target.jobs.size(), 2);
    QCOMPARE(target.jobs[0].title, QStringLiteral("lesson.lif"));
    QCOMPARE(target.jobs[1].title, QStringLiteral("lesson.lif (Back Side)"));
    QCOMPARE(target.jobs[0].pages.size(), 2);
    QCOMPARE(target.jobs[1].pages.size(), 2);
    QCOMPARE(fixture.status.pages, QList<int>({1, 2, 3, 4}));
    QCOMPARE(fixture.messages.shown().size(), 1);
    QCOMPARE(fixture.messages.shown()[0].kind, MessageService::Kind::Information);
    QCOMPARE(fixture.messages.shown()[0].buttons, MessageService::Ok | MessageService::Cancel);
    QCOMPARE(fixture.messages.shown()[0].text,
             QStringLiteral("Please wait until all pages have been print.\r\nThen put all pages back in the "
                            "printer with\r\nfirst page on top.\r\nPress Ok when ready."));

    const int l = printer->InchToDeviceX(0.1);
    const int t = printer->InchToDeviceY(0.1);
    const int cw = (target.pageWidth() - 2 * l) / 4;
    const int ch = (target.pageHeight() - 2 * t) / 4;
    const auto cardOf = [&](const PageCanvas::Text &text) {
        return QPoint((text.topLeft.x() - l) / cw, (text.topLeft.y() - t) / ch);
    };
    // Fronts fill the rows from the top, backs from the bottom, in the same columns.
    QCOMPARE(cardOf(*textNamed(fixture.printed[0], QStringLiteral("native1"))), QPoint(0, 0));
    QCOMPARE(cardOf(*textNamed(fixture.printed[0], QStringLiteral("native6"))), QPoint(1, 1));
    QCOMPARE(cardOf(*textNamed(fixture.printed[2], QStringLiteral("foreign1"))), QPoint(0, 3));
    QCOMPARE(cardOf(*textNamed(fixture.printed[2], QStringLiteral("foreign6"))), QPoint(1, 2));
    QCOMPARE(cardOf(*textNamed(fixture.printed[2], QStringLiteral("foreign16"))), QPoint(3, 0));
    QCOMPARE(textsStartingWith(fixture.printed[1], QStringLiteral("native")).size(), 1);
    QCOMPARE(cardOf(*textNamed(fixture.printed[1], QStringLiteral("native17"))), QPoint(0, 0));
    QCOMPARE(textsStartingWith(fixture.printed[3], QStringLiteral("foreign")).size(), 1);
    QCOMPARE(cardOf(*textNamed(fixture.printed[3], QStringLiteral("foreign17"))), QPoint(0, 3));

    // Cutting lines only on the fronts; the caption strip on both sides.
    const QImage &front = target.jobs[0].pages[0];
    const QImage &back = target.jobs[1].pages[0];
    const QPoint onCut(l + cw, t + ch / 4);
    QVERIFY(isDark(front, onCut.x(), onCut.y()));
    QVERIFY(!isDark(back, onCut.x(), onCut.y()));
    const int strip = t + RoundHalfEven(fixture.printed[0].sampleHeight * 1.5) + ch;
    QVERIFY(darkPixels(front, QRect(l + cw / 2, strip - 1, 1, 3)) > 0);
    QVERIFY(darkPixels(back, QRect(l + cw / 2, strip - 1, 1, 3)) > 0);
    // The text block is centred in its card.
    const PageCanvas::Text one = *textNamed(fixture.printed[0], QStringLiteral("native1"));
    QVERIFY(qAbs(one.topLeft.y() + fixture.printed[0].sampleHeight / 2 - (t + ch / 2)) <= 1);
    QVERIFY(darkPixels(front, QRect(one.topLeft, QSize(cw / 2, fixture.printed[0].sampleHeight))) > 50);
}

void TestLumoPrinter::cancelInTheBackSideQuestionKeepsTheFronts()
{
    PrintFixture fixture;
    fixture.addEntries(5);
    fixture.messages.answerWith(MessageService::Cancel);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->settings.printType = 1;
    fixture.table->last();
    printer->Print();

    QCOMPARE(target.jobs.size(), 1);
    QCOMPARE(target.jobs[0].pages.size(), 1);
    QVERIFY(target.jobs[0].ended);
    QCOMPARE(fixture.table->recNo(), 0);
    QVERIFY(!fixture.table->controlsDisabled());
    QVERIFY(fixture.status.wasOpened);
    QVERIFY(!fixture.status.isOpen);
}

void TestLumoPrinter::emptyTablePrintsNoSheet()
{
    for (int type : {0, 1}) {
        PrintFixture fixture;
        ImagePrintTarget target;
        auto printer = fixture.engine(target);
        printer->settings.printType = type;
        printer->Print();
        QCOMPARE(target.jobs.size(), type == 0 ? 1 : 2);
        for (const ImagePrintTarget::Job &job : target.jobs) {
            QVERIFY(job.ended);
            QVERIFY(job.pages.isEmpty());
        }
        QCOMPARE(fixture.messages.shown().size(), type); // the question is still asked for cards
        QVERIFY(fixture.status.pages.isEmpty());
        QVERIFY(!fixture.status.isOpen);
    }
}

void TestLumoPrinter::nothingIsPrintedWithoutAnOpenTable()
{
    PrintFixture fixture;
    fixture.addEntries(3);
    ImagePrintTarget target;
    TLumoPrinter unbound(target, fixture.status, fixture.messages);
    unbound.Print();
    auto printer = fixture.engine(target);
    fixture.table->close();
    printer->Print();
    QVERIFY(target.jobs.isEmpty());
    QVERIFY(!fixture.status.wasOpened);
    // A closed table bound to its file is opened when it is handed over.
    printer->setTable(fixture.table.get());
    QVERIFY(fixture.table->active());
}

void TestLumoPrinter::refusedJobAsksNoBackSideQuestion()
{
    PrintFixture fixture;
    fixture.addEntries(3);
    ImagePrintTarget target;
    target.refuseJobs = 1;
    auto printer = fixture.engine(target);
    printer->settings.printType = 1;
    printer->Print();
    QVERIFY(target.jobs.isEmpty());
    QVERIFY(fixture.messages.shown().isEmpty());
    QVERIFY(!fixture.status.isOpen);
}

void TestLumoPrinter::longCardTextIsCutToTwentyLines()
{
    PrintFixture fixture;
    const QString unbroken(255, u'W'); // eleven to a line at 20 points: more than twenty lines
    fixture.table->appendRecord({QVariant(), unbroken, QStringLiteral("a very long word list of words"), 0,
                                 QVariant(), QVariant(), 0});
    fixture.table->first();
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    printer->settings.printType = 1;
    printer->settings.fontSize = 20;
    printer->Print();

    const QList<PageCanvas::Text> lines = textsStartingWith(fixture.printed[0], QStringLiteral("W"));
    QCOMPARE(lines.size(), 20);
    QString joined;
    for (const PageCanvas::Text &line : lines) {
        QCOMPARE(line.topLeft.x(), lines.first().topLeft.x()); // left-aligned in one block
        joined += line.text;
    }
    QVERIFY(unbroken.startsWith(joined) && joined.size() < unbroken.size());
    // The back breaks after blanks, each line keeping its blank, and loses nothing.
    QStringList backLines;
    for (const PageCanvas::Text &text : fixture.printed[1].texts)
        if (text.text != printer->foreignLanguageName())
            backLines.append(text.text);
    QVERIFY(backLines.size() > 1);
    QCOMPARE(backLines.join(QString()), QStringLiteral("a very long word list of words"));
    for (int i = 0; i < backLines.size() - 1; ++i)
        QVERIFY(backLines.at(i).endsWith(u' '));
}

void TestLumoPrinter::missingUnitFontStillPrints()
{
    PrintFixture fixture(QStringLiteral("No Such Font 1997"));
    fixture.addEntries(1);
    ImagePrintTarget target;
    auto printer = fixture.engine(target);
    QCOMPARE(printer->fontName(), QStringLiteral("No Such Font 1997"));
    printer->Print();
    const auto native = textNamed(fixture.printed.at(0), QStringLiteral("native1"));
    QVERIFY(native);
    QVERIFY(darkPixels(target.jobs[0].pages[0], QRect(native->topLeft, QSize(100, 40))) > 50);
}

QTEST_MAIN(TestLumoPrinter)
#include "tst_lumoprinter.moc"
