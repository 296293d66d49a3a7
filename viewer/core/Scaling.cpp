// Display resampling: large reductions are first halved with a 2x2 box, which keeps fine
// detail from turning into noise, and the rest is bilinear in 8-bit fixed point.
#include "viewer/core/Scaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velvora {
namespace {

// Blue and red sit in the lanes of 0x00FF00FF, green and alpha in the lanes above them, so
// two channels are weighted with one multiplication; a weight of at most 256 keeps each
// lane's product within its 16 bits.
constexpr std::uint32_t LaneMask = 0x00FF00FFu;

inline Pixel Mix(Pixel a, Pixel b, std::uint32_t weightB) {
    const std::uint32_t weightA = 256 - weightB;
    const std::uint32_t low = ((a & LaneMask) * weightA + (b & LaneMask) * weightB + 0x00800080u) >> 8;
    const std::uint32_t high = (((a >> 8) & LaneMask) * weightA + ((b >> 8) & LaneMask) * weightB + 0x00800080u) >> 8;
    return (low & LaneMask) | ((high & LaneMask) << 8);
}

inline Pixel Average(Pixel a, Pixel b) { return Mix(a, b, 128); }

// Every pixel of `source` averaged with its right and/or lower neighbour; an odd last
// column or row is dropped.
PixelBuffer Halve(const PixelBuffer& source, bool halveWidth, bool halveHeight) {
    PixelBuffer half(halveWidth ? source.Width / 2 : source.Width, halveHeight ? source.Height / 2 : source.Height);
    const int stepX = halveWidth ? 2 : 1, stepY = halveHeight ? 2 : 1;
    for (int y = 0; y < half.Height; ++y) {
        const Pixel* top = source.Row(y * stepY);
        const Pixel* bottom = source.Row(y * stepY + stepY - 1);
        Pixel* out = half.Row(y);
        for (int x = 0; x < half.Width; ++x) {
            const int left = x * stepX, right = left + stepX - 1;
            out[x] = Average(Average(top[left], top[right]), Average(bottom[left], bottom[right]));
        }
    }
    return half;
}

// Source positions for target position `i` of `targetLength`: the pixel at or before the
// sample point, the one after it, and the weight of the one after in 1/256.
struct Tap {
    int Before = 0;
    int After = 0;
    std::uint32_t Weight = 0;
};

// Taps for the target positions first..first+count-1.
std::vector<Tap> Taps(int sourceLength, int targetLength, int first, int count) {
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    const double scale = double(sourceLength) / double(targetLength);
    for (int i = 0; i < count; ++i) {
        const double at = std::clamp((first + i + 0.5) * scale - 0.5, 0.0, double(sourceLength - 1));
        const int before = int(at);
        taps[std::size_t(i)] = {before, std::min(before + 1, sourceLength - 1),
                                std::uint32_t((at - before) * 256.0 + 0.5)};
    }
    return taps;
}

// The part of `place` inside the target, in target coordinates.
PixelRect Visible(PixelRect place, const PixelBuffer& target) {
    const int left = std::max(place.X, 0), top = std::max(place.Y, 0);
    const int right = int(std::min<long long>(0LL + place.X + place.Width, target.Width));
    const int bottom = int(std::min<long long>(0LL + place.Y + place.Height, target.Height));
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

void DrawBilinear(const PixelBuffer& source, PixelRect place, PixelRect visible, PixelBuffer& target) {
    const std::vector<Tap> columns = Taps(source.Width, place.Width, visible.X - place.X, visible.Width);
    const std::vector<Tap> rows = Taps(source.Height, place.Height, visible.Y - place.Y, visible.Height);
    for (int y = 0; y < visible.Height; ++y) {
        const Tap& row = rows[std::size_t(y)];
        const Pixel* above = source.Row(row.Before);
        const Pixel* below = source.Row(row.After);
        Pixel* out = target.Row(visible.Y + y) + visible.X;
        for (int x = 0; x < visible.Width; ++x) {
            const Tap& column = columns[std::size_t(x)];
            const Pixel top = Mix(above[column.Before], above[column.After], column.Weight);
            const Pixel bottom = Mix(below[column.Before], below[column.After], column.Weight);
            out[x] = Mix(top, bottom, row.Weight);
        }
    }
}

}  // namespace

void DrawScaled(const PixelBuffer& source, PixelRect place, PixelBuffer& target) {
    const PixelRect visible = Visible(place, target);
    if (source.Empty() || visible.Width == 0 || visible.Height == 0) return;
    const PixelBuffer* current = &source;
    PixelBuffer reduced;
    while (current->Width >= 2 * place.Width || current->Height >= 2 * place.Height) {
        reduced = Halve(*current, current->Width >= 2 * place.Width, current->Height >= 2 * place.Height);
        current = &reduced;
    }
    DrawBilinear(*current, place, visible, target);
}

PixelBuffer ScaleBilinear(const PixelBuffer& source, int width, int height) {
    if (source.Empty() || width <= 0 || height <= 0) return {};
    PixelBuffer target(width, height);
    DrawScaled(source, {0, 0, width, height}, target);
    return target;
}

}  // namespace velvora
