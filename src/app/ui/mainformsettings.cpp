// The settings of the main window and its pages, declared once for reading and writing.
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "logbook/ui/logbookpage.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "print/ui/printcommands.h"
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
    m_printing->declareSettings(s);
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
