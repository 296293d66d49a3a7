#include "app/frmProgress.h"

#include <algorithm>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

static constexpr QSize ClientSize(385, 153);

static QFont ArialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

static QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(x, y, ClientSize.width() - 2 * x, 18);
    label->setTextFormat(Qt::PlainText);
    return label;
}

static QProgressBar* MakeBar(QWidget* parent, const char* name, const QRect& geometry) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(geometry);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

TProgress::TProgress(std::function<void()> cancel)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), cancel_(std::move(cancel)) {
    setWindowTitle(tr("Please Wait"));
    setFixedSize(ClientSize);
    Label1 = MakeLabel(this, "Label1", 16, 16, ArialPixels(13, true));
    Label2 = MakeLabel(this, "Label2", 16, 36, ArialPixels(12));
    ProgressBar1 = MakeBar(this, "ProgressBar1", QRect(16, 64, 353, 16));
    Label4 = MakeLabel(this, "Label4", 16, 92, ArialPixels(12));
    // Part of the window's design, but no operation drives it.
    ProgressBar2 = MakeBar(this, "ProgressBar2", QRect(120, 92, 249, 16));
    ProgressBar2->hide();
    Label3 = MakeLabel(this, "Label3", 16, 128, ArialPixels(12));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(296, 16, 73, 25);
    btnCancel->setAutoDefault(false);
    btnCancel->hide();
    connect(btnCancel, &QPushButton::clicked, this, &TProgress::btnCancelClick);
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    show();
}

QLabel* TProgress::LabelOf(ProgressLine line) const {
    switch (line) {
        case ProgressLine::Title: return Label1;
        case ProgressLine::Text: return Label2;
        case ProgressLine::Detail: return Label4;
        case ProgressLine::Status: return Label3;
    }
    return Label3;
}

void TProgress::SetLine(ProgressLine line, const std::string& text) { LabelOf(line)->setText(FromStored(text)); }

void TProgress::SetBar(bool visible, int maximum, int position) {
    const int top = std::max(maximum, 0);
    ProgressBar1->setVisible(visible);
    ProgressBar1->setMaximum(top);
    // A bar clamps rather than ignoring positions outside its range.
    ProgressBar1->setValue(std::clamp(position, 0, top));
}

void TProgress::ShowCancel(bool visible) { btnCancel->setVisible(visible); }

void TProgress::Repaint() { repaint(); }

void TProgress::RepaintStatus() { Label3->repaint(); }

void TProgress::btnCancelClick() {
    if (Dialogs().Confirm(QStringLiteral("Are you sure you want to cancel?"))) cancel_();
}

void TProgress::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (btnCancel->isVisible()) btnCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The window belongs to the running operation; the user cannot close it.
void TProgress::closeEvent(QCloseEvent* event) { event->ignore(); }

void TProgress::reject() {}

void InstallProgressWindow() {
    SetProgressViewFactory(
        [](std::function<void()> cancel) -> std::unique_ptr<ProgressView> { return std::make_unique<TProgress>(std::move(cancel)); });
}

}  // namespace velvora
