// New-show frame.
#include "library/frmNewSlideShow.h"

#include <stdexcept>

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "base/ShellRequests.h"
#include "library/LibraryFrameParts.h"
#include "library/NewShow.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

static constexpr int FieldsMaximumWidth = 520;

TFrameNewSlideShow::TFrameNewSlideShow(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    btnCreate = MakeFrameButton(QStringLiteral("btnCreate"), QStringLiteral("Create Slide Show Now"), true, this);
    btnCancel = MakeFrameButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), false, this);
    LayOutLibraryFrame(this, QStringLiteral(" Create New Slide Show"), QStringLiteral("newshow.svg"),
                       QStringLiteral("Fill out the fields to the right then click the Create button when done.\r\n\r\n"
                                      "Click the Cancel button to not create a new slide show right now."),
                       {btnCreate, btnCancel}, MakeFieldsBox());
    connect(btnCreate, &QPushButton::clicked, this, &TFrameNewSlideShow::btnCreateClick);
    connect(btnCancel, &QPushButton::clicked, this, &TFrameNewSlideShow::btnCancelClick);
    ClickOnEscape(this, btnCancel);
}

// A borderless one-line field inside a thin panel that draws the frame, under its label.
static QLineEdit* AddField(QVBoxLayout* layout, const QString& objectName, const QString& label, QWidget* parent) {
    auto* caption = new QLabel(label, parent);
    caption->setFont(ArialFont(13, true));
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Plain);
    panel->setForegroundRole(QPalette::Mid);
    auto* field = new QLineEdit(panel);
    field->setObjectName(objectName);
    field->setFrame(false);
    field->setFont(ArialFont(13));
    auto* inside = new QVBoxLayout(panel);
    inside->setContentsMargins(5, 3, 5, 3);
    inside->addWidget(field);
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(panel);
    layout->addSpacing(14);
    return field;
}

QWidget* TFrameNewSlideShow::MakeFieldsBox() {
    auto* box = new QScrollArea(this);
    box->setObjectName(QStringLiteral("scrFields"));
    box->setWidgetResizable(true);
    box->setFrameShape(QFrame::StyledPanel);
    auto* fields = new QWidget(box);
    fields->setAutoFillBackground(true);
    QPalette white = fields->palette();
    white.setColor(QPalette::Window, Qt::white);
    fields->setPalette(white);
    auto* layout = new QVBoxLayout(fields);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(4);
    txtTitle = AddField(layout, QStringLiteral("txtTitle"), QStringLiteral("Slide show title:"), fields);
    txtDescription = AddField(layout, QStringLiteral("txtDescription"), QStringLiteral("Description:"), fields);
    txtAuthor = AddField(layout, QStringLiteral("txtAuthor"), QStringLiteral("Author's name:"), fields);
    layout->addStretch(1);
    for (QLineEdit* field : {txtTitle, txtDescription, txtAuthor}) {
        field->parentWidget()->setMaximumWidth(FieldsMaximumWidth);
        field->installEventFilter(this);
    }
    box->setWidget(fields);
    return box;
}

void TFrameNewSlideShow::FocusTitle() { txtTitle->setFocus(Qt::OtherFocusReason); }

bool TFrameNewSlideShow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterPressedIn(watched);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Enter walks title → description → author, and in the author field creates the show.
void TFrameNewSlideShow::EnterPressedIn(QObject* field) {
    if (field == txtTitle) txtDescription->setFocus(Qt::TabFocusReason);
    else if (field == txtDescription) txtAuthor->setFocus(Qt::TabFocusReason);
    else btnCreateClick();
}

void TFrameNewSlideShow::btnCreateClick() {
    if (created_) return;
    const std::string title = ToStored(txtTitle->text());
    if (IsBlankTitle(title)) {
        Dialogs().ShowInfo(QStringLiteral("Please enter a title for your new photo slide show."));
        txtTitle->setFocus(Qt::OtherFocusReason);
        return;
    }
    std::string folder;
    try {
        folder = CreateShow(title, ToStored(txtDescription->text()), ToStored(txtAuthor->text()));
    } catch (const std::runtime_error& error) {
        // The frame stays, with what was typed, so the user may cancel or try again.
        Dialogs().ShowWarning(FromStored(error.what()));
        return;
    }
    shell_.OpenShow(folder);
    created_ = true;
}

void TFrameNewSlideShow::btnCancelClick() { shell_.RequestStartPage(); }

}  // namespace velvora
