#include "platform/Dialogs.h"

#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

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

void QtDialogs::ShowWarning(const QString& text) { QMessageBox::warning(DialogParent(), Caption(), DisplayText(text)); }

bool QtDialogs::Confirm(const QString& text) {
    return QMessageBox::question(DialogParent(), Caption(), DisplayText(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// A fixed 306 × 126 dialog: text at the top, Yes and No below it, the opt-out box at the
// bottom. No border icons, so it can only be left by a button or Escape (which answers No).
static void BuildOptOutDialog(QDialog& dialog, const QString& text, QCheckBox& optOutBox) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setFixedSize(306, 126);
    auto* label = new QLabel(DisplayText(text), &dialog);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(72, 16, 201, 37);
    auto* yes = new QPushButton(QObject::tr("Yes"), &dialog);
    yes->setGeometry(72, 64, 75, 25);
    yes->setDefault(true);
    QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* no = new QPushButton(QObject::tr("No"), &dialog);
    no->setGeometry(160, 64, 75, 25);
    no->setAutoDefault(false);
    QObject::connect(no, &QPushButton::clicked, &dialog, &QDialog::reject);
    optOutBox.setParent(&dialog);
    optOutBox.move(72, 104);
    optOutBox.adjustSize();
    yes->setFocus();
}

static void CentreOnScreen(QDialog& dialog) {
    const QScreen* screen = DialogParent() ? DialogParent()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}

bool QtDialogs::ConfirmWithOptOut(const QString& caption, const QString& text, const QString& optOutText,
                                  bool& optOut) {
    QDialog dialog(DialogParent());
    dialog.setWindowTitle(caption);
    auto* optOutBox = new QCheckBox(optOutText);
    optOutBox->setChecked(optOut);
    BuildOptOutDialog(dialog, text, *optOutBox);
    CentreOnScreen(dialog);
    const bool yes = dialog.exec() == QDialog::Accepted;
    optOut = optOutBox->isChecked();
    return yes;
}

int QtDialogs::Choose(const QString& text, const QStringList& choices) {
    QMessageBox box(QMessageBox::Question, Caption(), DisplayText(text), QMessageBox::Cancel, DialogParent());
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices) buttons << box.addButton(choice, QMessageBox::AcceptRole);
    if (!buttons.isEmpty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

QStringList QtDialogs::PickOpenFiles(const OpenFilesRequest& request) {
    return QFileDialog::getOpenFileNames(DialogParent(), request.title, request.startFolder, request.filter);
}

QString QtDialogs::PickSaveFile(const QString& title, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(DialogParent(), title, suggested, filter);
}

QColor QtDialogs::PickColor(const QColor& initial) { return QColorDialog::getColor(initial, DialogParent()); }

QString QtDialogs::PickFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(DialogParent(), title, startFolder);
}

}  // namespace velvora
