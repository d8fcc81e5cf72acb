// The print commands of the main window: "&Print" with its two tool-bar buttons, and
// "P&rint Setup...".
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "platform/errorboundary.h"
#include "platform/help/helpservice.h"
#include "print/ui/printcommands.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfiles.h"
#include "widgets/speedbutton.h"

#include <QAction>

void TMainForm::connectPrinting()
{
    auto *printing = m_printing = new PrintCommands(m_messages, this);
    printing->setHelp([this](int context) { m_help->showTopic(context); });
    const auto filePrint = [this, printing] {
        Guarded(m_messages, [&] {
            TLumoListView *list = m_unitPage->LumoListView1;
            // On the unit manager the selected unit, elsewhere the unit being worked on.
            QString unit = CurrentUnitFile();
            if (m_pageControl->currentWidget() == m_unitPage) {
                const QString name = list->selectedCaption();
                unit = name.isEmpty() ? QString() : list->path() + name + UnitFiles::descriptorExtension();
            }
            printing->printUnit(*m_lumoTable1, unit, list->languageFile(), printing->settings());
        });
    };
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.FilePrintItem, &QAction::triggered, this, filePrint);
    connect(m_unitPage->PrintSBtn, &QAbstractButton::clicked, this, filePrint);
    connect(m_inputPage->PrintSBtn2, &QAbstractButton::clicked, this, filePrint);
    connect(menu.FilePrintSetupItem, &QAction::triggered, this,
            [this, printing] { Guarded(m_messages, [&] { printing->printerSetup(); }); });
    for (SpeedButton *button : {m_unitPage->PrintSBtn, m_inputPage->PrintSBtn2})
        button->setEnabled(true);
}

const PrintSettings &TMainForm::printSettings() const
{
    return m_printing->settings();
}
