#include "app/ui/mainform.h"
#include "app/ui/programstart.h"
#include "platform/ui/qmessageboxservice.h"
#include "platform/ui/terminationsignals.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumo"));
    QApplication::setOrganizationName(QStringLiteral("Halvet"));
    QApplication::setDesktopFileName(QStringLiteral("de.halvet.Lumo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumo/de.halvet.Lumo.svg")));

    // One optional argument: the unit to select. Qt has taken its own options already.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments.first().startsWith(u'-'))) {
        std::fputs("Usage: lumo [UNIT.lif]\n", stderr);
        return 2;
    }
    // A session that ends while the program starts closes it as soon as its window is there.
    TerminationSignals termination;
    QMessageBoxService messages;
    if (!PrepareProgramFolder(messages))
        return 1;
    const std::unique_ptr<TMainForm> mainForm =
        StartProgram(messages, arguments.isEmpty() ? QString() : arguments.first());
    if (!mainForm)
        return 1;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, mainForm.get(),
                     &QWidget::close);
    termination.listen();
    return app.exec();
}
