// Captions drawn on video frames.
#include "video/VideoCaptions.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/StoredText.h"
#include "viewer/core/Compositor.h"
#include "viewer/core/SlideLayout.h"

namespace velvora {

namespace {

constexpr int CaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

QRect ToQRect(PixelRect rect) { return {rect.X, rect.Y, rect.Width, rect.Height}; }

void EnsureCaptionFonts() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velvora";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the fonts stay usable until the process ends, whatever runs at exit.
    new QGuiApplication(argc, argv);
}

void DrawCaption(PixelBuffer& frame, const std::string& caption, PixelRect slide) {
    const QString text = QString::fromStdString(DecodeStoredText(caption));
    if (text.isEmpty()) return;
    EnsureCaptionFonts();
    QFont font;
    font.setPixelSize(CaptionFontHeight(slide));
    const int textHeight =
        QFontMetrics(font).boundingRect(QRect(0, 0, CaptionWrapWidth(slide), 1 << 20), CaptionFlags, text).height();
    const CaptionLayout layout = PlaceCaption(slide, textHeight);
    Darken(layout.Band, CaptionBandKeepPercent, frame);
    // The image writes straight into the frame's pixels, whose byte order is Format_RGB32's.
    QImage image(reinterpret_cast<uchar*>(frame.Pixels.data()), frame.Width, frame.Height, qsizetype(frame.Width) * 4,
                 QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(ToQRect(layout.Text), CaptionFlags, text);
}

}  // namespace

CaptionPainter QtCaptionPainter() { return DrawCaption; }

}  // namespace velvora
