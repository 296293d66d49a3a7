#include "editor/PhotoPropertiesPanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/Category.h"
#include "editor/StoredColor.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

constexpr int PageButtonSide = 33;
constexpr int VisibleChoices = 10;

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QLabel* FieldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QGridLayout* PageGrid(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(4);
    return grid;
}

}  // namespace

TPhotoPropertiesPanel::TPhotoPropertiesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlPhotoProperties"));
    setFixedHeight(PhotoPropertiesPanelHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->setSpacing(2);
    pageButtons_ = new QButtonGroup(this);
    const struct {
        const char* name;
        const char* hint;
        QStyle::StandardPixmap icon;
    } buttons[] = {{"btnPhotoCaption", "Basic photo properties.", QStyle::SP_FileDialogInfoView},
                   {"btnPhotoTransition", "Transition properties.", QStyle::SP_MediaSeekForward},
                   {"btnPhotoDisplaySettings", "Display properties.", QStyle::SP_DesktopIcon}};
    for (int page = 0; page < 3; ++page) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(buttons[page].name));
        button->setToolTip(tr(buttons[page].hint));
        button->setIcon(QApplication::style()->standardIcon(buttons[page].icon));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(PageButtonSide, PageButtonSide);
        pageButtons_->addButton(button, page);
        buttonColumn->addWidget(button);
    }
    buttonColumn->addStretch();
    pages_ = new QStackedWidget(this);
    pages_->addWidget(CreateBasicPage());
    pages_->addWidget(CreateTransitionPage());
    pages_->addWidget(CreateDisplayPage());
    connect(pageButtons_, &QButtonGroup::idClicked, pages_, &QStackedWidget::setCurrentIndex);
    row->addLayout(buttonColumn);
    row->addWidget(pages_, 1);
    ShowPage(PhotoPage::Basic);
}

QWidget* TPhotoPropertiesPanel::CreateBasicPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("pnlPhotoCaption"));
    QGridLayout* grid = PageGrid(page);
    txtPhotoName = new QLineEdit(page);
    txtPhotoName->setObjectName(QStringLiteral("txtPhotoName"));
    txtPhotoCaption = new QLineEdit(page);
    txtPhotoCaption->setObjectName(QStringLiteral("txtPhotoCaption"));
    for (QLineEdit* box : {txtPhotoName, txtPhotoCaption}) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::editingFinished, this, &TPhotoPropertiesPanel::EditFinished);
    }
    lbxBackground = AddChooser("lbxBackground", BackgroundNames, false);
    connect(lbxBackground, &QComboBox::activated, this, &TPhotoPropertiesPanel::lbxBackgroundClick);
    btnBackgroundEdit = new QPushButton(tr("Edit..."), page);
    btnBackgroundEdit->setObjectName(QStringLiteral("btnBackgroundEdit"));
    connect(btnBackgroundEdit, &QPushButton::clicked, this, &TPhotoPropertiesPanel::btnBackgroundEditClick);
    grid->addWidget(FieldLabel(tr("Name:"), page), 0, 0);
    grid->addWidget(txtPhotoName, 0, 1, 1, 3);
    grid->addWidget(FieldLabel(tr("Caption:"), page), 1, 0);
    grid->addWidget(txtPhotoCaption, 1, 1, 1, 3);
    grid->addWidget(FieldLabel(tr("Background:"), page), 2, 0);
    grid->addWidget(lbxBackground, 2, 1);
    grid->addWidget(btnBackgroundEdit, 2, 2);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget* TPhotoPropertiesPanel::CreateTransitionPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("pnlPhotoTransition"));
    QGridLayout* grid = PageGrid(page);
    StringList basic;
    FillBasicTransitions(basic);
    lbxTransition = AddChooser("lbxTransition", basic, true);
    grid->addWidget(FieldLabel(tr("Transition:"), page), 0, 0);
    grid->addWidget(lbxTransition, 0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    return page;
}

QWidget* TPhotoPropertiesPanel::CreateDisplayPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("pnlPhotoDisplaySettings"));
    QGridLayout* grid = PageGrid(page);
    lbxHorizontal = AddChooser("lbxHorizontal", HorizontalAlignNames, true);
    lbxVertical = AddChooser("lbxVertical", VerticalAlignNames, true);
    lbxDuration = AddChooser("lbxDuration", DurationNames, true);
    lbxSize = AddChooser("lbxSize", SizeNames, true);
    for (QComboBox* chooser : {lbxHorizontal, lbxVertical, lbxDuration, lbxSize})
        chooser->setMaxVisibleItems(VisibleChoices);
    connect(lbxDuration, &QComboBox::currentIndexChanged, this, &TPhotoPropertiesPanel::lbxDurationChange);
    connect(lbxSize, &QComboBox::currentIndexChanged, this, &TPhotoPropertiesPanel::lbxSizeChange);
    lblDuration = FieldLabel(tr("Seconds:"), page);
    txtDuration = new QLineEdit(page);
    txtDuration->setObjectName(QStringLiteral("txtDuration"));
    lblSize = FieldLabel(tr("Width:"), page);
    txtSize = new QLineEdit(page);
    txtSize->setObjectName(QStringLiteral("txtSize"));
    for (QLineEdit* box : {txtDuration, txtSize}) box->setMaximumWidth(70);
    grid->addWidget(FieldLabel(tr("Horizontal:"), page), 0, 0);
    grid->addWidget(lbxHorizontal, 0, 1);
    grid->addWidget(FieldLabel(tr("Vertical:"), page), 0, 2);
    grid->addWidget(lbxVertical, 0, 3);
    grid->addWidget(FieldLabel(tr("Duration:"), page), 1, 0);
    grid->addWidget(lbxDuration, 1, 1);
    grid->addWidget(lblDuration, 1, 2);
    grid->addWidget(txtDuration, 1, 3, Qt::AlignLeft);
    grid->addWidget(FieldLabel(tr("Size:"), page), 2, 0);
    grid->addWidget(lbxSize, 2, 1);
    grid->addWidget(lblSize, 2, 2);
    grid->addWidget(txtSize, 2, 3, Qt::AlignLeft);
    grid->setColumnStretch(4, 1);
    lbxDurationChange();
    lbxSizeChange();
    return page;
}

// Its items are the name list's texts in order, so an item's row is the stored index.
QComboBox* TPhotoPropertiesPanel::AddChooser(const char* name, const StringList& texts, bool savesOnChoice) {
    auto* chooser = new QComboBox(this);
    chooser->setObjectName(QString::fromLatin1(name));
    for (const std::string& text : texts) chooser->addItem(FromStored(text));
    if (savesOnChoice) connect(chooser, &QComboBox::activated, this, &TPhotoPropertiesPanel::EditFinished);
    return chooser;
}

void TPhotoPropertiesPanel::ShowPhoto(const PhotoPanel& panel) {
    const QSignalBlocker blockName(txtPhotoName), blockCaption(txtPhotoCaption);
    txtPhotoName->setText(FromStored(panel.Name));
    txtPhotoCaption->setText(FromStored(panel.Caption));
    lbxBackground->setCurrentIndex(panel.Background);
    backgroundOption1_ = panel.BackgroundColor;
    lbxBackgroundClick();
    lbxTransition->setCurrentIndex(panel.Transition);
    lbxHorizontal->setCurrentIndex(panel.Horizontal);
    lbxVertical->setCurrentIndex(panel.Vertical);
    lbxDuration->setCurrentIndex(panel.Duration);
    txtDuration->setText(FromStored(panel.DurationCount));
    lbxSize->setCurrentIndex(panel.Size);
    txtSize->setText(FromStored(panel.SizeCount));
    rotation_ = panel.Rotation;
}

PhotoPanel TPhotoPropertiesPanel::Contents() const {
    return {ToStored(txtPhotoName->text()), ToStored(txtPhotoCaption->text()),
            lbxBackground->currentIndex(),  backgroundOption1_,
            lbxTransition->currentIndex(),  lbxHorizontal->currentIndex(),
            lbxVertical->currentIndex(),    lbxDuration->currentIndex(),
            ToStored(txtDuration->text()),  lbxSize->currentIndex(),
            ToStored(txtSize->text()),      rotation_};
}

void TPhotoPropertiesPanel::ShowPage(PhotoPage page) {
    pageButtons_->button(static_cast<int>(page))->setChecked(true);
    pages_->setCurrentIndex(static_cast<int>(page));
}

void TPhotoPropertiesPanel::FocusName() {
    ShowPage(PhotoPage::Basic);
    txtPhotoName->setFocus();
    txtPhotoName->selectAll();
}

bool TPhotoPropertiesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterKey(event) && watched == txtPhotoName) {
        txtPhotoCaption->setFocus();
        return true;
    }
    if (IsEnterKey(event) && watched == txtPhotoCaption) {
        emit CaptionEntered();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TPhotoPropertiesPanel::lbxBackgroundClick() {
    btnBackgroundEdit->setEnabled(lbxBackground->currentIndex() > 0);
    emit BackgroundChanged();
}

void TPhotoPropertiesPanel::lbxDurationChange() {
    const bool custom = lbxDuration->currentIndex() == CustomDurationIndex;
    lblDuration->setVisible(custom);
    txtDuration->setVisible(custom);
}

void TPhotoPropertiesPanel::lbxSizeChange() {
    const int size = lbxSize->currentIndex();
    const bool custom = size == CustomWidthIndex || size == CustomHeightIndex;
    lblSize->setText(size == CustomWidthIndex ? tr("Width:") : tr("Height:"));
    lblSize->setVisible(custom);
    txtSize->setVisible(custom);
}

void TPhotoPropertiesPanel::btnBackgroundEditClick() {
    if (lbxBackground->currentIndex() == SpecificColorIndex) {
        const QColor chosen = Dialogs().PickColor(ColorFromStored(backgroundOption1_));
        if (chosen.isValid()) backgroundOption1_ = StoredFromColor(chosen);
    }
    emit BackgroundChanged();
}

}  // namespace velvora
