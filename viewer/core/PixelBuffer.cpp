// Pixel buffer construction.
#include "viewer/core/PixelBuffer.h"

#include <algorithm>

namespace velvora {

PixelBuffer::PixelBuffer(int width, int height, Pixel fill)
    : Width(std::max(width, 0)), Height(std::max(height, 0)), Pixels(std::size_t(Width) * std::size_t(Height), fill) {}

}  // namespace velvora
