#include "app/ui/mainform.h"
#include "app/ui/programstart.h"
#include "platform/ui/qmessageboxservice.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumo"));
    QApplication::setOrganizationName(QStringLiteral("Halvet"));
    QMessageBoxService messages;
    const std::unique_ptr<TMainForm> mainForm = StartProgram(messages);
    if (!mainForm)
        return 1;
    return app.exec();
}
