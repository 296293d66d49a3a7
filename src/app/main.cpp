// Program entry: module start-up, the welcome window, then the main window's event loop.
#include <chrono>

#include "app/Global.h"
#include "app/Splash.h"
#include "app/VelvoraApplication.h"
#include "app/frmMain.h"
#include "app/frmProgress.h"

namespace {

void InitializeModules(const char* programPath) { velvora::InitGlobal(programPath); }

}  // namespace

int main(int argc, char** argv) {
    velvora::VelvoraApplication application(argc, argv);
    InitializeModules(argv[0]);
    {
        velvora::TStartupSplash splash;
        splash.ShowAndHold(std::chrono::milliseconds(2500));
    }
    application.setApplicationDisplayName(QStringLiteral("Velvora"));
    velvora::InstallProgressWindow();
    velvora::TMain mainWindow;
    mainWindow.show();
    return application.exec();
}
