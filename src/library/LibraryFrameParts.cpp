// Shared construction of the library frames.
#include "library/LibraryFrameParts.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "platform/Dialogs.h"

namespace velvora {

QFont ArialFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QPixmap ArtworkPixmap(const QString& name, QSize size) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/artwork/") + name);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

static constexpr int HeaderHeight = 25;
static constexpr int ColumnWidth = 210;

static QLabel* MakeHeaderBar(const QString& text, QWidget* parent) {
    auto* header = new QLabel(text, parent);
    header->setObjectName(QStringLiteral("lblHeader"));
    header->setFixedHeight(HeaderHeight);
    header->setFont(ArialFont(19, true));
    header->setAutoFillBackground(true);
    QPalette colours = header->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Dark));
    colours.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(colours);
    return header;
}

static QWidget* MakeInstructionColumn(const QString& picture, const QString& instructions,
                                      const QList<QPushButton*>& buttons, QWidget* parent) {
    auto* column = new QWidget(parent);
    column->setFixedWidth(ColumnWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(14, 16, 14, 16);
    layout->setSpacing(8);
    auto* image = new QLabel(column);
    image->setObjectName(QStringLiteral("imgPicture"));
    image->setPixmap(ArtworkPixmap(picture, FramePictureSize));
    image->setFixedSize(FramePictureSize);
    layout->addWidget(image, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    auto* text = new QLabel(DisplayText(instructions), column);
    text->setObjectName(QStringLiteral("lblInstructions"));
    text->setFont(ArialFont(12));
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addSpacing(10);
    for (QPushButton* button : buttons) layout->addWidget(button);
    layout->addStretch(1);
    return column;
}

void LayOutLibraryFrame(QWidget* frame, const QString& header, const QString& picture, const QString& instructions,
                        const QList<QPushButton*>& buttons, QWidget* content) {
    auto* outer = new QVBoxLayout(frame);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(MakeHeaderBar(header, frame));
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 12, 12);
    body->setSpacing(0);
    body->addWidget(MakeInstructionColumn(picture, instructions, buttons, frame));
    auto* contentBox = new QVBoxLayout;
    contentBox->setContentsMargins(0, 12, 0, 0);
    contentBox->addWidget(content);
    body->addLayout(contentBox, 1);
    outer->addLayout(body, 1);
}

QPushButton* MakeFrameButton(const QString& objectName, const QString& text, bool bold, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setMinimumHeight(28);
    button->setAutoDefault(false);
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
    return button;
}

namespace {

// Key presses that no child handled travel up to the frame; Escape among them cancels.
class EscapeClicksCancel : public QObject {
public:
    EscapeClicksCancel(QWidget* frame, QPushButton* cancel) : QObject(frame), cancel_(cancel) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel_->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton* cancel_;
};

}  // namespace

void ClickOnEscape(QWidget* frame, QPushButton* cancel) { frame->installEventFilter(new EscapeClicksCancel(frame, cancel)); }

}  // namespace velvora
