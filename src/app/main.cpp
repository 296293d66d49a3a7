// Program entry: module start-up, the welcome window, then the main window's event loop.
#include <chrono>

#include "app/Splash.h"
#include "app/VelvoraApplication.h"
#include "app/frmMain.h"
#include "app/frmProgress.h"
#include "app/frmPublish.h"
#include "base/Global.h"
#include "compression/LZRW1KH.h"
#include "editor/EditorServices.h"
#include "editor/frmEditShow.h"
#include "imaging/JPEG_IO.h"
#include "publish/CategoryPreview.h"
#include "publish/frmBurnCD.h"

namespace {

// A lack of memory for the compressor's table stops the program before any window exists.
// A JPEG library that does not match its headers only makes photo decoding fail. The program
// folder comes from the running executable, not from argv[0], which is a bare name when the
// program is started from the desktop menu or PATH.
void InitializeModules() {
    velvora::InitGlobal();
    velvora::InitLzrw1KH();
    velvora::LoadJpegLibrary();
}

}  // namespace

int main(int argc, char** argv) {
    velvora::VelvoraApplication application(argc, argv);
    InitializeModules();
    {
        velvora::TStartupSplash splash;
        splash.ShowAndHold(std::chrono::milliseconds(2500));
    }
    application.setApplicationDisplayName(QStringLiteral("Velvora"));
    // Lets the desktop match the window to its desktop entry and icon.
    application.setDesktopFileName(QStringLiteral("org.velvora.Velvora"));
    velvora::InstallProgressWindow();
    velvora::SetPublishDialogOpener(velvora::ShowPublishDialog);
    velvora::SetPreviewFileWriter(velvora::WritePreviewFile);
    velvora::TMain mainWindow(velvora::MakeEditShowFrame);
    mainWindow.SetBurnWindowOpener([&mainWindow] { ShowBurnCDWindow(mainWindow, mainWindow.BurnFileList()); });
    mainWindow.show();
    return application.exec();
}
