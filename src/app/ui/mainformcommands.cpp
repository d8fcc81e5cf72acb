// The shell's commands that act on files: converting old units and choosing the UI language.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "platform/help/helpservice.h"
#include "platform/programfolder.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitconverter.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

void TMainForm::connectShellCommands()
{
    m_languageDlg = new TLanguageDlg(this);
    connect(m_languageDlg, &TLanguageDlg::helpRequested, this,
            [this](int context) { m_help->showTopic(context); });
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.OptionsLanguageItem, &QAction::triggered, this, &TMainForm::OptionsLanguageItemClick);
    connect(menu.FileConvertItem, &QAction::triggered, this, &TMainForm::FileConvertItemClick);
    m_chooseOldUnits = [this] {
        QFileDialog *dialog = prepareOldUnitDialog();
        return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    };
}

QFileDialog *TMainForm::prepareOldUnitDialog()
{
    QFileDialog *dialog = OpenDialog();
    // The sound tools use the same dialog for wave files: the filter is set anew each time.
    // Linux names are case-sensitive, so ".VOK" is offered as well.
    dialog->setNameFilter(QStringLiteral("Lumo 3.0 Files (*.vok *.VOK)"));
    dialog->setDefaultSuffix(QStringLiteral("vok"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setDirectory(m_unitPage->LumoListView1->path());
    return dialog;
}

void TMainForm::OptionsLanguageItemClick()
{
    m_languageDlg->setExtension(QStringLiteral("llf"));
    m_languageDlg->setPath(ProgramFolder());
    m_languageDlg->setLanguageFile(m_unitPage->LumoListView1->languageFile());
    if (m_languageDlg->Execute(this))
        ApplyLanguageFile(m_languageDlg->languageFile());
}

void TMainForm::FileConvertItemClick()
{
    const QStringList files = m_chooseOldUnits();
    if (files.isEmpty())
        return;
    TLumoListView *list = m_unitPage->LumoListView1;
    const bool done = Guarded(m_messages, [&] {
        for (const QString &file : files) {
            const BusyScope busy(m_waitCursor);
            m_statusLine->showMessage(QStringLiteral("Converting: ") + QFileInfo(file).fileName() +
                                      QStringLiteral(" ..."));
            // The window repaints between the units.
            QApplication::processEvents();
            UnitConverter(*m_lumoTable1).convert(file, list->path());
            list->FillList();
        }
    });
    // After an error the status line keeps the name of the unit that failed.
    if (done)
        m_statusLine->showMessage(QStringLiteral("Conversion done!"));
}
