#include "units/ui/oldunitcommands.h"

#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "units/ui/lumolistview.h"
#include "vocfile/unitconverter.h"
#include "widgets/pageservices.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

OldUnitCommands::OldUnitCommands(const PageServices &services, TLumoListView &list, QObject *parent)
    : QObject(parent), m_services(services), m_list(list)
{
    setObjectName(QStringLiteral("OldUnitCommands"));
    m_chooseOldUnits = [this] {
        QFileDialog *dialog = prepareOldUnitDialog();
        return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    };
}

QFileDialog *OldUnitCommands::prepareOldUnitDialog()
{
    QFileDialog *dialog = m_services.openDialog();
    // The sound tools use the same dialog for wave files: the filter is set anew each time.
    // Linux names are case-sensitive, so ".VOK" is offered as well.
    dialog->setNameFilter(m_services.keptText(QStringLiteral("MsgOldUnitFiles")) +
                          QStringLiteral(" (*.vok *.VOK)"));
    dialog->setDefaultSuffix(QStringLiteral("vok"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setDirectory(m_list.path());
    return dialog;
}

void OldUnitCommands::FileConvertItemClick()
{
    const QStringList files = m_chooseOldUnits();
    if (files.isEmpty())
        return;
    const bool done = Guarded(m_services.messages, [&] {
        for (const QString &file : files) {
            const BusyScope busy(m_services.busy);
            emit statusMessage(QStringLiteral("Converting: ") + QFileInfo(file).fileName() +
                               QStringLiteral(" ..."));
            // The window repaints between the units.
            QApplication::processEvents();
            UnitConverter(m_services.table).convert(file, m_list.path());
            m_list.FillList();
        }
    });
    // After an error the status line keeps the name of the unit that failed.
    if (done)
        emit statusMessage(QStringLiteral("Conversion done!"));
}
