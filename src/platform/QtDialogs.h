// Dialog service shown with Qt's message boxes and file, colour and folder dialogs.
#pragma once

#include "platform/Dialogs.h"

namespace velvora {

class QtDialogs final : public DialogService {
public:
    void ShowInfo(const QString& text) override;
    void ShowWarning(const QString& text) override;
    bool Confirm(const QString& text) override;
    bool ConfirmWithOptOut(const QString& caption, const QString& text, const QString& optOutText,
                           bool& optOut) override;
    int Choose(const QString& text, const QStringList& choices) override;
    QStringList PickOpenFiles(const OpenFilesRequest& request) override;
    QString PickSaveFile(const QString& title, const QString& suggested, const QString& filter) override;
    QColor PickColor(const QColor& initial) override;
    QString PickFolder(const QString& title, const QString& startFolder) override;
};

}  // namespace velvora
