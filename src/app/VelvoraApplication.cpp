#include "app/VelvoraApplication.h"

#include <QFileInfo>

#include "platform/Dialogs.h"
#include "platform/MessagePump.h"
#include "platform/TextCodec.h"

Q_LOGGING_CATEGORY(lcApp, "velvora.app")

namespace velvora {

VelvoraApplication::VelvoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    const QString baseName = QFileInfo(applicationFilePath()).completeBaseName();
    setOrganizationName(baseName);
    setApplicationName(baseName);
    SetMessagePump([] { QCoreApplication::processEvents(); });
}

void ShowErrorMessage(const std::exception& error) {
    qCWarning(lcApp) << "command failed:" << error.what();
    Dialogs().ShowWarning(FromStored(error.what()));
}

bool VelvoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorMessage(error);
    }
    return false;
}

}  // namespace velvora
