// The Rotate Wizard window.
#include "editor/frmRotateWizard.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/PhotoViewing.h"
#include "editor/RotationWizard.h"
#include "imaging/BitmapQt.h"
#include "imaging/bmpRot.h"
#include "library/LibraryFrameParts.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

constexpr int PreviewSide = 180;
constexpr int PreviewMargin = 12;
constexpr int CaptionHeight = 28;

// In the order of the keys 1 to 4.
constexpr struct {
    const char* caption;
    int rotation;
} PreviewChoices[] = {
    {"1   No Rotation", 0}, {"2   90\u00BA Clockwise", 1}, {"3   180\u00BA", 2}, {"4   90\u00BA Counter-Clockwise", 3}};

// Centred in a square, so that the four captions line up whichever way the picture lies.
QIcon TurnedIcon(const Bitmap& picture, int rotation) {
    if (picture.IsEmpty()) return {};
    Bitmap turned = picture;
    RotateBitmapClockwise(turned, rotation);
    QPixmap square(PreviewSide, PreviewSide);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((PreviewSide - turned.Width()) / 2, (PreviewSide - turned.Height()) / 2, ToQImage(turned));
    return QIcon(square);
}

QPushButton* AddButton(QHBoxLayout* row, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

}  // namespace

TRotateWizard::TRotateWizard(RotationWizard& wizard, QWidget* parent) : QDialog(parent), wizard_(wizard) {
    setObjectName(QStringLiteral("frmRotateWizard"));
    setWindowTitle(tr("Rotate Wizard"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lblStep = new QLabel(this);
    lblStep->setObjectName(QStringLiteral("lblStep"));
    lblStep->setFont(ArialFont(16, true));
    lblPhotoName = new QLabel(this);
    lblPhotoName->setObjectName(QStringLiteral("lblPhotoName"));
    lblPhotoName->setTextFormat(Qt::PlainText);
    // A long name is cut off rather than widening the window.
    lblPhotoName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblHint = new QLabel(this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    layout->addWidget(lblStep);
    layout->addWidget(lblPhotoName);
    layout->addWidget(lblHint);
    CreatePreviews();
    CreateButtons();
    ShowStep();
}

void TRotateWizard::CreatePreviews() {
    previews_ = new QButtonGroup(this);
    auto* row = new QHBoxLayout;
    for (const auto& [caption, rotation] : PreviewChoices) {
        auto* preview = new QToolButton(this);
        preview->setObjectName(QStringLiteral("imgPreview%1").arg(rotation));
        preview->setText(QString::fromUtf8(caption));
        preview->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        preview->setIconSize(QSize(PreviewSide, PreviewSide));
        preview->setFixedSize(PreviewSide + PreviewMargin, PreviewSide + PreviewMargin + CaptionHeight);
        preview->setCheckable(true);
        preview->setStyleSheet(QStringLiteral("QToolButton:checked { border: 3px solid palette(highlight); }"));
        previews_->addButton(preview, rotation);
        row->addWidget(preview);
    }
    connect(previews_, &QButtonGroup::idClicked, this, &TRotateWizard::PreviewClick);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TRotateWizard::CreateButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    btnBack = AddButton(row, tr("< &Back"), "btnBack");
    btnNext = AddButton(row, tr("&Next >"), "btnNext");
    btnFinish = AddButton(row, tr("&Finish"), "btnFinish");
    btnCancel = AddButton(row, tr("Cancel"), "btnCancel");
    connect(btnBack, &QPushButton::clicked, this, &TRotateWizard::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &TRotateWizard::btnNextClick);
    connect(btnFinish, &QPushButton::clicked, this, &TRotateWizard::btnFinishClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

// Decodes the photo once and turns that picture for the four previews. A photo that cannot
// be read has no previews to pick from and is passed over with Next.
void TRotateWizard::ShowStep() {
    const RotationStep& step = wizard_.Current();
    lblStep->setText(tr("Photo %1 of %2").arg(wizard_.Position() + 1).arg(wizard_.StepCount()));
    lblPhotoName->setText(FromStored(PhotoDisplayName(step.Entry)));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Bitmap picture = LoadRotationPreview(wizard_.CategoryFolder(), step.Entry, PreviewSide);
    for (QAbstractButton* preview : previews_->buttons()) {
        preview->setIcon(TurnedIcon(picture, previews_->id(preview)));
        preview->setEnabled(!picture.IsEmpty());
    }
    QApplication::restoreOverrideCursor();
    previews_->button(step.Chosen)->setChecked(true);
    lblHint->setText(picture.IsEmpty() ? tr("This photo cannot be shown. Press Next to pass over it.")
                                       : tr("Click the picture that stands the right way up, or press 1 to 4."));
    btnBack->setEnabled(wizard_.CanGoBack());
    btnNext->setEnabled(wizard_.CanGoNext());
    (wizard_.CanGoNext() ? btnNext : btnFinish)->setDefault(true);
}

// The choice takes the user on to the next photo; on the last one it only stays marked.
void TRotateWizard::PreviewClick(int rotation) {
    const int position = wizard_.Position();
    wizard_.Choose(rotation);
    if (wizard_.Position() != position)
        ShowStep();
    else
        previews_->button(rotation)->setChecked(true);
}

void TRotateWizard::keyPressEvent(QKeyEvent* event) {
    const int rotationKey = event->key() - Qt::Key_1;
    const bool plainKey = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plainKey && rotationKey >= 0 && rotationKey < RotationCount) {
        const int rotation = PreviewChoices[rotationKey].rotation;
        if (previews_->button(rotation)->isEnabled()) PreviewClick(rotation);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TRotateWizard::btnBackClick() {
    wizard_.Back();
    ShowStep();
}

void TRotateWizard::btnNextClick() {
    wizard_.Next();
    ShowStep();
}

void TRotateWizard::btnFinishClick() {
    const StringList failed = wizard_.SaveChanges();
    if (!failed.empty()) {
        QString text = tr("The rotation of these photos could not be saved:\r\n");
        for (const std::string& name : failed) text += QStringLiteral("\r\n") + FromStored(name);
        Dialogs().ShowWarning(text);
    }
    accept();
}

}  // namespace velvora
