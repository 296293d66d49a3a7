#include "platform/Dialogs.h"

#include <utility>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/QtDialogs.h"

namespace velvora {

static std::unique_ptr<DialogService>& CurrentService() {
    static std::unique_ptr<DialogService> service = std::make_unique<QtDialogs>();
    return service;
}

DialogService& Dialogs() { return *CurrentService(); }

std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> service) {
    return std::exchange(CurrentService(), std::move(service));
}

QString DisplayText(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

static QWidget* DialogParent() { return QApplication::activeWindow(); }

static QString Caption() { return QApplication::applicationDisplayName(); }

void QtDialogs::ShowInfo(const QString& text) {
    QMessageBox::information(DialogParent(), Caption(), DisplayText(text));
}

void QtDialogs::ShowWarning(const QString& text) {
    QMessageBox::warning(DialogParent(), Caption(), DisplayText(text));
}

bool QtDialogs::Confirm(const QString& text) {
    return QMessageBox::question(DialogParent(), Caption(), DisplayText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QStringList QtDialogs::PickOpenFiles(const OpenFilesRequest& request) {
    return QFileDialog::getOpenFileNames(DialogParent(), request.title, request.startFolder, request.filter);
}

QColor QtDialogs::PickColor(const QColor& initial) { return QColorDialog::getColor(initial, DialogParent()); }

QString QtDialogs::PickFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(DialogParent(), title, startFolder);
}

}  // namespace velvora
