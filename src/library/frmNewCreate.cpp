// Start page.
#include "library/frmNewCreate.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include "base/ShellRequests.h"
#include "library/LibraryFrameParts.h"

namespace velvora {

namespace {

constexpr QSize OptionsPanelSize{313, 273};
constexpr QSize ChoiceSize{313, 81};
constexpr int ChoiceSpacing = 96;
constexpr int RuleX = 92;
constexpr int TextX = 102;

// One row of the start page: a flat click area with a picture, a rule and two texts.
class StartPageChoice : public QAbstractButton {
public:
    StartPageChoice(const QString& picture, const QString& heading, const QString& text, QWidget* parent)
        : QAbstractButton(parent), picture_(ArtworkPixmap(picture, FramePictureSize)), heading_(heading) {
        setText(text);
        setFixedSize(ChoiceSize);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        setToolTip(heading);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (underMouse() || isDown()) DrawHighlight(painter);
        if (hasFocus()) DrawFocusOutline(painter);
        painter.drawPixmap(0, 0, picture_);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(RuleX, 8, RuleX, height() - 8);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(ArialFont(12, true));
        const QRect textArea(TextX, 10, width() - TextX - 6, height() - 14);
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop, heading_);
        painter.setFont(ArialFont(12));
        painter.drawText(textArea.adjusted(0, 20, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
    }

private:
    void DrawHighlight(QPainter& painter) const {
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(isDown() ? 70 : 35);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        painter.fillPath(shape, fill);
    }

    // Focus shows as an outline only, so the row that takes the focus when the page
    // appears does not look as if the mouse were over it.
    void DrawFocusOutline(QPainter& painter) const {
        QColor outline = palette().color(QPalette::Highlight);
        outline.setAlpha(140);
        painter.setPen(QPen(outline, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }

    QPixmap picture_;
    QString heading_;
};

}  // namespace

TFrameNewCreate::TFrameNewCreate(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    pnlOptions = new QWidget(this);
    pnlOptions->setObjectName(QStringLiteral("pnlOptions"));
    pnlOptions->setFixedSize(OptionsPanelSize);
    btnNew = new StartPageChoice(QStringLiteral("newshow.svg"), QStringLiteral("Create New Slide Show"),
                                 QStringLiteral("Start from scratch and add your photos to create your photo slide show."),
                                 pnlOptions);
    btnOpen = new StartPageChoice(
        QStringLiteral("openshow.svg"), QStringLiteral("Open Existing Slide Show"),
        QStringLiteral("Open a slide show you've already made so that you can change it or add new photos."), pnlOptions);
    btnExit = new StartPageChoice(QStringLiteral("exit.svg"), QStringLiteral("Exit"),
                                  QStringLiteral("Close Velvora without working on a slide show."), pnlOptions);
    const QList<QAbstractButton*> rows{btnNew, btnOpen, btnExit};
    const char* names[] = {"btnNew", "btnOpen", "btnExit"};
    for (int row = 0; row < rows.size(); ++row) {
        rows[row]->setObjectName(QString::fromLatin1(names[row]));
        rows[row]->move(0, row * ChoiceSpacing);
    }
    connect(btnNew, &QAbstractButton::clicked, this, &TFrameNewCreate::btnNewClick);
    connect(btnOpen, &QAbstractButton::clicked, this, &TFrameNewCreate::btnOpenClick);
    connect(btnExit, &QAbstractButton::clicked, this, &TFrameNewCreate::btnExitClick);
}

// Integer division truncates toward zero, so in a window smaller than the panel both
// offsets become negative and the panel stays centred, cut on every side.
void TFrameNewCreate::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pnlOptions->move((width() - pnlOptions->width()) / 2, (height() - pnlOptions->height()) / 2);
}

void TFrameNewCreate::btnNewClick() { shell_.RequestNewShow(); }

void TFrameNewCreate::btnOpenClick() { shell_.RequestOpenShow(); }

// No show is open on the start page, so there is nothing to save before leaving.
void TFrameNewCreate::btnExitClick() { QCoreApplication::quit(); }

}  // namespace velvora
