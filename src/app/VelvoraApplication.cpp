#include "app/VelvoraApplication.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/frmMain.h"
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

static bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
        case QEvent::Shortcut: return true;
        default: return false;
    }
}

// The widget an action belongs to; a menu's actions belong to what holds the menu.
static QWidget* OwnerOfAction(QObject* action) {
    for (QObject* object = action->parent(); object; object = object->parent()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget && !qobject_cast<QMenu*>(widget)) return widget;
    }
    return nullptr;
}

// Shortcuts reach the action rather than a widget.
static bool IsInMainWindow(QObject* receiver) {
    QWidget* widget = qobject_cast<QAction*>(receiver) ? OwnerOfAction(receiver) : qobject_cast<QWidget*>(receiver);
    return widget && TMain::Instance() && widget->window() == TMain::Instance();
}

bool VelvoraApplication::notify(QObject* receiver, QEvent* event) {
    const bool isInput = IsUserInput(event->type());
    const bool isShortcutQuery = event->type() == QEvent::ShortcutOverride;
    if ((isInput || isShortcutQuery) && IsBusy() && IsInMainWindow(receiver)) {
        // Claiming the query keeps any shortcut from firing; the key press that follows is
        // dropped here as well.
        event->accept();
        return true;
    }
    try {
        if (!isInput) return QApplication::notify(receiver, event);
        BusyScope command;
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorMessage(error);
    }
    return false;
}

}  // namespace velvora
