// The settings of the main window and its pages, declared once for reading and writing.
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "voctest/ui/testpage.h"

#include <QComboBox>

using namespace SettingOrder;

void TMainForm::declareSettings()
{
    SettingsList &s = m_settings;
    s.addInteger(
        QStringLiteral("WindowState"), 0, {ReadWindowState, WriteWindowState},
        [this] { return storedWindowState(); }, [this](int state) { m_placement.state = state; });
    s.addInteger(
        QStringLiteral("Left"), 100, {ReadLeft, WriteLeft}, [this] { return x(); },
        [this](int left) { m_placement.bounds.moveLeft(left); });
    s.addInteger(
        QStringLiteral("Top"), 100, {ReadTop, WriteTop}, [this] { return y(); },
        [this](int top) { m_placement.bounds.moveTop(top); });
    s.addInteger(
        QStringLiteral("Width"), 600, {ReadWidth, WriteWidth}, [this] { return width(); },
        [this](int width) { m_placement.bounds.setWidth(width); });
    s.addInteger(
        QStringLiteral("Height"), 460, {ReadHeight, WriteHeight}, [this] { return height(); },
        [this](int height) {
            m_placement.bounds.setHeight(height);
            applyPlacement();
        });
    m_unitPage->declareSettings(s);
    m_logbookPage->declareSettings(s);
    declarePrintSettings();
    // Only a file that exists reaches the file list, which is what closing stores.
    s.addText(
        QStringLiteral("LanguageFile"), ProgramFileToRead(QStringLiteral("english.llf")),
        {ReadLanguageFile, WriteLanguageFile}, [this] { return m_unitPage->LumoListView1->languageFile(); },
        [this](const QString &file) { ApplyLanguageFile(file); });
    m_inputPage->declareSettings(s);
    s.addStep(ReadFirstPage, [this] {
        // The unit manager is the first page, whatever page was shown at the last exit.
        m_pageControl->setCurrentWidget(m_unitPage);
        PageControlChange();
        m_testPage->LoadTestVariants();
    });
    s.addInteger(
        QStringLiteral("TestVariant"), 0, {ReadTestVariant, WriteTestVariant},
        [this] { return m_testPage->TestVariants->currentIndex(); },
        [this](int index) { m_testPage->selectTestVariant(index); });
}

void TMainForm::declarePrintSettings()
{
    SettingsList &s = m_settings;
    PrintSettings &p = m_print;
    const auto integer = [&s](const char *name, int &field, int defaultValue, Slot slot) {
        s.addInteger(
            QString::fromLatin1(name), defaultValue, slot, [&field] { return field; },
            [&field](int value) { field = value; });
    };
    integer("LeftMarginMM", p.leftMarginMM, 20, {ReadLeftMarginMM, WriteLeftMarginMM});
    integer("RightMarginMM", p.rightMarginMM, 10, {ReadRightMarginMM, WriteRightMarginMM});
    integer("TopMarginMM", p.topMarginMM, 10, {ReadTopMarginMM, WriteTopMarginMM});
    integer("BottomMarginMM", p.bottomMarginMM, 10, {ReadBottomMarginMM, WriteBottomMarginMM});
    integer("FontSize", p.fontSize, 10, {ReadFontSize, WriteFontSize});
    integer("Orientation", p.orientation, 0, {ReadOrientation, WriteOrientation});
    s.addBoolean(
        QStringLiteral("PrinterSwapCols"), false, {ReadPrinterSwapCols, WritePrinterSwapCols},
        [&p] { return p.swapColumns; }, [&p](bool swap) { p.swapColumns = swap; });
    integer("PrintType", p.printType, 0, {ReadPrintType, WritePrintType});
}
