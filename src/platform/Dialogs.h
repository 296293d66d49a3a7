// The dialog service: every message box and picker the program shows goes through it,
// so that tests can answer them and read their texts.
#pragma once

#include <memory>

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace velvora {

struct OpenFilesRequest {
    QString title;
    QString filter;  // Qt filter text, e.g. "JPEG Images (*.jpg *.jpeg)"
    QString startFolder;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual void ShowInfo(const QString& text) = 0;
    virtual void ShowWarning(const QString& text) = 0;
    // True for Yes, false for No.
    virtual bool Confirm(const QString& text) = 0;
    // A Yes/No question under `caption` with a check box reading `optOutText` (typically
    // "Do not ask again"). The box starts as `optOut` says and `optOut` receives its final
    // state, whatever the answer. True for Yes; No and Escape give false.
    virtual bool ConfirmWithOptOut(const QString& caption, const QString& text, const QString& optOutText,
                                   bool& optOut) = 0;
    // A question with one button per entry of `choices`, in that order, and a Cancel
    // button. Returns the index of the chosen entry; -1 for Cancel and Escape.
    virtual int Choose(const QString& text, const QStringList& choices) = 0;
    // Chosen files, empty when the user cancels.
    virtual QStringList PickOpenFiles(const OpenFilesRequest& request) = 0;
    // The file to write, starting from `suggested` (a name or a path); empty when the user
    // cancels. `filter` as in OpenFilesRequest.
    virtual QString PickSaveFile(const QString& title, const QString& suggested, const QString& filter) = 0;
    // The chosen colour, or an invalid QColor when the user cancels.
    virtual QColor PickColor(const QColor& initial) = 0;
    // The chosen folder, or an empty text when the user cancels.
    virtual QString PickFolder(const QString& title, const QString& startFolder) = 0;
};

// The service in use; the Qt one unless a test installed another.
DialogService& Dialogs();
// Installs `service` (taking ownership) and returns the previous one.
std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> service);

// Texts are stored with "\r\n" line breaks; message boxes show them as plain breaks.
QString DisplayText(const QString& text);

}  // namespace velvora
