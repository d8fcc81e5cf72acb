#include "app/regfile.h"
#include "app/ui/mainform.h"
#include "app/ui/splashscreen.h"
#include "platform/errorreport.h"
#include "platform/ui/qmessageboxservice.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumo '97"));
    QApplication::setOrganizationName(QStringLiteral("Halvet"));
    QMessageBoxService messages;

    auto splash = std::make_unique<TSplashScreen>(TSplashScreen::Mode::Splash);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = std::make_unique<TMainForm>(std::make_unique<TRegFile>(), messages);
        messages.setParent(mainForm.get());
        mainForm->FormCreate();
    } catch (const std::exception &error) {
        splash.reset();
        ReportError(messages, error);
        return 1;
    }
    splash.reset();
    mainForm->show();
    return app.exec();
}
