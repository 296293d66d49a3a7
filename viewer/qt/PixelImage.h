// The core's pixel buffers as Qt images.
#pragma once

#include <QImage>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

// The buffer's B, G, R, A bytes are Format_RGB32's own layout: the image shares them, so it
// must not outlive the buffer or its last change. copy() it to keep it, also before
// QPixmap::fromImage, which may go on sharing them.
inline QImage ImageOf(const PixelBuffer& pixels) {
    return QImage(reinterpret_cast<const uchar*>(pixels.Pixels.data()), pixels.Width, pixels.Height,
                  qsizetype(pixels.Width) * 4, QImage::Format_RGB32);
}

}  // namespace velvora
