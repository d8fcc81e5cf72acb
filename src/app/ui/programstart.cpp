#include "app/ui/programstart.h"

#include "app/regfile.h"
#include "app/ui/mainform.h"
#include "app/ui/splashscreen.h"
#include "platform/errorreport.h"
#include "platform/ui/qmessageboxservice.h"

#include <QApplication>

std::unique_ptr<TMainForm> StartProgram(QMessageBoxService &messages)
{
    auto splash = std::make_unique<TSplashScreen>(TSplashScreen::Mode::Splash);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    // A message while the main window is being built (a damaged settings file) shows centred
    // above the splash window, not at a corner of the screen.
    messages.setParent(splash.get());
    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = std::make_unique<TMainForm>(std::make_unique<TRegFile>(), messages);
        mainForm->FormCreate();
    } catch (const std::exception &error) {
        messages.setParent(nullptr);
        splash.reset();
        ReportError(messages, error);
        return nullptr;
    }
    messages.setParent(mainForm.get());
    splash.reset();
    mainForm->show();
    return mainForm;
}
