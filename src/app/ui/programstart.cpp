#include "app/ui/programstart.h"

#include "app/programlayout.h"
#include "app/ui/mainform.h"
#include "app/ui/splashscreen.h"
#include "platform/errorreport.h"
#include "platform/ini/regfile.h"
#include "platform/ui/qmessageboxservice.h"
#include "units/ui/unitpage.h"

#include "platform/lumoerror.h"

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

namespace {
// A start that fails ends the program with a non-zero code; the reason goes to the standard
// error too, for whoever started it from a script or a terminal.
void reportStartError(QMessageBoxService &messages, const std::exception &error)
{
    const auto *own = dynamic_cast<const LumoError *>(&error);
    const QString text = own ? own->message() : QString::fromLocal8Bit(error.what());
    std::fprintf(stderr, "lumo: %s\n",
                 qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
    ReportError(messages, error);
}
} // namespace

std::unique_ptr<TMainForm> StartProgram(QMessageBoxService &messages, const QString &unitFile)
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
        if (!unitFile.isEmpty())
            mainForm->unitPage()->SelectUnit(unitFile);
    } catch (const std::exception &error) {
        messages.setParent(nullptr);
        splash.reset();
        reportStartError(messages, error);
        return nullptr;
    }
    messages.setParent(mainForm.get());
    splash.reset();
    mainForm->show();
    return mainForm;
}

bool PrepareProgramFolder(QMessageBoxService &messages)
{
    const ProgramLayout layout =
        ProgramLayout::forExecutable(QApplication::applicationDirPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    try {
        layout.apply();
    } catch (const std::exception &error) {
        reportStartError(messages, error);
        return false;
    }
    return true;
}
