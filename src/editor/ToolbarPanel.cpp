#include "editor/ToolbarPanel.h"

#include <QFrame>
#include <QMenu>
#include <QToolButton>

#include "library/LibraryFrameParts.h"

namespace velvora {

namespace {

constexpr int BevelWidth = 6;
constexpr QSize ToolbarIconSize{12, 12};

}  // namespace

ToolbarPanel::ToolbarPanel(const QString& objectName, QMenu* menu, QWidget* parent)
    : QWidget(parent), menu_(menu), btnMore_(new QToolButton(this)) {
    setObjectName(objectName);
    setFixedHeight(ToolbarHeight);
    setAutoFillBackground(true);
    btnMore_->setAutoRaise(true);
    btnMore_->setArrowType(Qt::RightArrow);
    btnMore_->setToolTip(tr("More photo tools."));
    btnMore_->setFixedSize(MoreButtonWidth, ToolbarHeight);
    btnMore_->hide();
    connect(btnMore_, &QToolButton::clicked, this, &ToolbarPanel::ShowMoreMenu);
    Append(btnMore_, ToolbarItemKind::MoreButton, -1);
    nextLeft_ = 0;
}

QToolButton* ToolbarPanel::AddButton(const char* objectName, const QString& caption, const QString& hint, int tag,
                                     const QIcon& icon) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoRaise(true);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    button->setIconSize(ToolbarIconSize);
    button->setFont(ArialFont(11));
    button->setFixedHeight(ToolbarHeight);
    // Tighter than the style's own size, so that the whole category toolbar fits the
    // default width of the category pane.
    const int iconWidth = icon.isNull() ? 0 : ToolbarIconSize.width() + 3;
    button->resize(button->fontMetrics().horizontalAdvance(caption) + iconWidth + 8, ToolbarHeight);
    Append(button, ToolbarItemKind::Button, tag);
    return button;
}

void ToolbarPanel::AddBevel() {
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->resize(BevelWidth, ToolbarHeight - 4);
    Append(bevel, ToolbarItemKind::Bevel, -1);
}

void ToolbarPanel::AddControl(QWidget* control) {
    control->setParent(this);
    Append(control, ToolbarItemKind::Other, -1);
}

void ToolbarPanel::Append(QWidget* control, ToolbarItemKind kind, int tag) {
    control->move(nextLeft_, (ToolbarHeight - control->height()) / 2);
    controls_.push_back(control);
    items_.push_back({kind, nextLeft_, control->width(), tag, true});
    nextLeft_ += control->width();
}

void ToolbarPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void ToolbarPanel::Relayout() {
    btnMore_->move(width() - MoreButtonWidth, 0);
    items_.front().Left = width() - MoreButtonWidth;
    const ToolbarFit fit = LayoutToolbar(items_, width(), MoreButtonWidth);
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Kind != ToolbarItemKind::Other) controls_[i]->setVisible(items_[i].Visible);
    if (fit.Hidden == 0) return;
    const QList<QAction*> actions = menu_->actions();
    for (QAction* action : actions) action->setVisible(false);
    for (int tag : fit.MenuTags)
        if (tag >= 0 && tag < actions.size()) actions[tag]->setVisible(true);
}

void ToolbarPanel::ShowMoreMenu() {
    Relayout();
    menu_->popup(btnMore_->mapToGlobal(QPoint(0, btnMore_->height())));
}

}  // namespace velvora
