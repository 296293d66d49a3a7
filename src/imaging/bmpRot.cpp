// Quarter turns done on the rows directly: each pass reads every source pixel once and writes
// it to its turned place.
#include "imaging/bmpRot.h"

#include <cstring>
#include <utility>

namespace velvora {

namespace {

enum class Turn { Anticlockwise, HalfTurn, Clockwise };

struct Position {
    int x;
    int y;
};

// Where source pixel (x, y) of a width × height picture lands.
Position Turned(Turn turn, int x, int y, int width, int height) {
    switch (turn) {
        case Turn::Anticlockwise:
            return {y, width - 1 - x};
        case Turn::HalfTurn:
            return {width - 1 - x, height - 1 - y};
        case Turn::Clockwise:
            return {height - 1 - y, x};
    }
    return {x, y};
}

void TurnPackedPixels(const Bitmap& source, Bitmap& target, Turn turn, int bits) {
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* row = source.Row(y);
        for (int x = 0; x < source.Width(); ++x) {
            const Position to = Turned(turn, x, y, source.Width(), source.Height());
            SetPackedIndex(target.Row(to.y), to.x, bits, PackedIndex(row, x, bits));
        }
    }
}

void TurnWholePixels(const Bitmap& source, Bitmap& target, Turn turn, std::size_t bytes) {
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* from = source.Row(y);
        for (int x = 0; x < source.Width(); ++x, from += bytes) {
            const Position to = Turned(turn, x, y, source.Width(), source.Height());
            std::memcpy(target.Row(to.y) + static_cast<std::size_t>(to.x) * bytes, from, bytes);
        }
    }
}

void TurnBitmap(Bitmap& bitmap, Turn turn) {
    const bool swapsSides = turn != Turn::HalfTurn;
    Bitmap turned(swapsSides ? bitmap.Height() : bitmap.Width(), swapsSides ? bitmap.Width() : bitmap.Height(),
                  bitmap.Format());
    turned.SetPalette(bitmap.GetPalette());
    const int bits = BitsPerPixel(bitmap.Format());
    if (bits < 8) {
        TurnPackedPixels(bitmap, turned, turn, bits);
    } else {
        TurnWholePixels(bitmap, turned, turn, static_cast<std::size_t>(bits) / 8);
    }
    bitmap = std::move(turned);
}

}  // namespace

void RotateBitmapCCW(Bitmap& bitmap) { TurnBitmap(bitmap, Turn::Anticlockwise); }
void RotateBitmap180(Bitmap& bitmap) { TurnBitmap(bitmap, Turn::HalfTurn); }
void RotateBitmapCW(Bitmap& bitmap) { TurnBitmap(bitmap, Turn::Clockwise); }

void RotateBitmapClockwise(Bitmap& bitmap, int turns) {
    switch (turns) {
        case 1:
            RotateBitmapCW(bitmap);
            break;
        case 2:
            RotateBitmap180(bitmap);
            break;
        case 3:
            RotateBitmapCCW(bitmap);
            break;
        default:
            break;
    }
}

}  // namespace velvora
