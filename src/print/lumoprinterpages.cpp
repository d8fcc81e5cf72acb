// The three kinds of printed page: a list page, a sheet of card fronts and a sheet of
// card backs.
#include "platform/table/sqlitetable.h"
#include "print/cardtext.h"
#include "print/lumoprinter.h"
#include "print/pagecanvas.h"
#include "print/printtarget.h"
#include "print/printunits.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"
#include "vocfile/unitfiles.h"

#include <QFileInfo>
#include <QRect>

namespace {
const QString Arial = QStringLiteral("Arial");
const QString Sample = QStringLiteral("XXX");

// The share of a line pitch, in whole pixels.
int pitch(const PageCanvas &canvas, double share)
{
    return RoundHalfEven(canvas.textHeight(Sample) * share);
}
} // namespace

bool TLumoPrinter::DrawListPage(PageCanvas &canvas)
{
    if (m_table->eof())
        return false;
    const int left = MmToDeviceX(settings.leftMarginMM);
    const int right = m_printer.pageWidth() - MmToDeviceX(settings.rightMarginMM);
    const int top = MmToDeviceY(settings.topMarginMM);
    const int bottom = m_printer.pageHeight() - MmToDeviceY(settings.bottomMarginMM);
    const int width = right - left;
    const int mid = left + width / 2;
    canvas.setPen(InchToDeviceY(0.02));
    canvas.rectangle(left, top, right, bottom);

    int y = top + InchToDeviceY(0.125);
    canvas.setFont(Arial, settings.fontSize + 2);
    const QString pageText =
        Translate(QString::fromLatin1(Section), QStringLiteral("Page"), QStringLiteral("Page:")) + u' ' +
        QString::number(m_pageNumber);
    canvas.textOut(right - canvas.textWidth(pageText) - InchToDeviceX(0.25), y, pageText);

    canvas.setFont(Arial, settings.fontSize + 2, true, true);
    const QString fileName = QFileInfo(m_unitFile).fileName();
    const QString title = UnitFiles::withoutDescriptorExtension(fileName);
    canvas.textOut(mid - canvas.textWidth(title) / 2, y, title);
    y += canvas.textHeight(title) + InchToDeviceY(0.125);

    canvas.setFont(Arial, settings.fontSize + 2, false, true);
    canvas.textOut(mid - canvas.textWidth(m_description) / 2, y, m_description);
    y += canvas.textHeight(m_description) + InchToDeviceY(0.125);
    canvas.line(left, y, right, y);
    y += InchToDeviceY(0.1);

    const QString &leftCaption = settings.swapColumns ? m_foreignName : m_nativeName;
    const QString &rightCaption = settings.swapColumns ? m_nativeName : m_foreignName;
    canvas.textOut(left + width / 4 - canvas.textWidth(leftCaption) / 2, y, leftCaption);
    canvas.textOut(left + 3 * (width / 4) - canvas.textWidth(rightCaption) / 2, y, rightCaption);
    y += canvas.textHeight(m_nativeName) + InchToDeviceY(0.05);

    canvas.setPen(1);
    canvas.line(left, y, right, y);
    canvas.line(mid, y, mid, bottom);

    canvas.setFont(m_fontName, settings.fontSize);
    canvas.setPen(1, Qt::DotLine);
    y += pitch(canvas, 0.1);
    const UnitFields fields(*m_table);
    const int leftField =
        fields[settings.swapColumns ? TLumoTable::ForeignLanguage : TLumoTable::NativeLanguage];
    const int rightField =
        fields[settings.swapColumns ? TLumoTable::NativeLanguage : TLumoTable::ForeignLanguage];
    const int columnWidth = (width - InchToDeviceX(0.2)) / 2;
    while (!m_table->eof() && y < bottom - pitch(canvas, 1.2)) {
        const QString leftText = m_table->fieldValue(leftField).toString();
        const QString rightText = m_table->fieldValue(rightField).toString();
        canvas.clippedTextOut(QRect(left + InchToDeviceX(0.05), y, columnWidth, canvas.textHeight(leftText)),
                              leftText);
        canvas.clippedTextOut(QRect(mid + InchToDeviceX(0.05), y, columnWidth, canvas.textHeight(rightText)),
                              rightText);
        y += pitch(canvas, 1.2);
        canvas.line(left, y, right, y);
        y += pitch(canvas, 0.1);
        m_table->next();
    }
    return true;
}

bool TLumoPrinter::DrawCardFronts(PageCanvas &canvas)
{
    if (m_table->eof())
        return false;
    drawCardSheet(canvas, false);
    return true;
}

bool TLumoPrinter::DrawCardBacks(PageCanvas &canvas)
{
    if (m_table->eof())
        return false;
    drawCardSheet(canvas, true);
    return true;
}

void TLumoPrinter::drawCardSheet(PageCanvas &canvas, bool backs)
{
    const int l = InchToDeviceX(0.1);
    const int r = m_printer.pageWidth() - InchToDeviceX(0.1);
    const int t = InchToDeviceY(0.1);
    const int b = m_printer.pageHeight() - InchToDeviceY(0.1);
    const int cw = (r - l) / cardColumns;
    const int ch = (b - t) / cardRows;
    canvas.setFont(Arial, settings.fontSize);
    if (!backs) {
        canvas.setPen(4);
        canvas.rectangle(l, t, r, b);
        for (int i = 1; i <= cardColumns; ++i)
            canvas.line(l + cw * i, t, l + cw * i, b);
    }
    for (int j = 0; j < cardRows; ++j) {
        if (!backs) {
            canvas.setPen(4);
            canvas.line(l, t + ch * j, r, t + ch * j);
        }
        canvas.setPen(1);
        const int strip = t + pitch(canvas, 1.5) + ch * j;
        canvas.line(l, strip, r, strip);
    }
    // Paper turned over top to bottom: the backs fill the rows from the bottom up.
    for (int n = 0; n < cardRows; ++n) {
        const int j = backs ? cardRows - 1 - n : n;
        for (int i = 0; i < cardColumns; ++i) {
            if (backs)
                drawCard(canvas, i, j, m_foreignName, TLumoTable::ForeignLanguage);
            else
                drawCard(canvas, i, j, m_nativeName, TLumoTable::NativeLanguage);
        }
    }
}

void TLumoPrinter::drawCard(PageCanvas &canvas, int column, int row, const QString &caption, int field)
{
    const int l = InchToDeviceX(0.1);
    const int t = InchToDeviceY(0.1);
    const int cw = (m_printer.pageWidth() - InchToDeviceX(0.1) - l) / cardColumns;
    const int ch = (m_printer.pageHeight() - InchToDeviceY(0.1) - t) / cardRows;
    canvas.setFont(Arial, settings.fontSize);
    canvas.textOut(l + cw * column + InchToDeviceX(0.1), t + pitch(canvas, 0.25) + ch * row, caption);
    if (m_table->eof())
        return;
    canvas.setFontFamily(m_fontName);
    const QString text = m_table->fieldValue(UnitFields(*m_table)[TLumoTable::Field(field)]).toString();
    m_table->next();
    const QStringList lines =
        CardText::WrapCardText(text, cw, [&canvas](const QString &s) { return canvas.textWidth(s); });
    int widest = 0;
    for (const QString &line : lines)
        widest = qMax(widest, canvas.textWidth(line));
    const int x = l + cw * column + cw / 2 - widest / 2;
    const int height = canvas.textHeight(text);
    const int n = int(lines.size());
    for (int k = 0; k < n; ++k)
        canvas.textOut(x, t + ch / 2 + ch * row - (height * n) / 2 + height * k, lines.at(k));
}
