// The first frame of a GIF through giflib, on the logical screen. giflib reports errors by
// return codes, so a damaged file simply ends the read.
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include <gif_lib.h>

#include "imaging/PictureDecoders.h"

namespace velvora::detail {

namespace {

struct MemoryInput {
    std::string_view bytes;
    std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto& input = *static_cast<MemoryInput*>(gif->UserData);
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(length, 0)), input.bytes.size() - input.at);
    std::memcpy(buffer, input.bytes.data() + input.at, count);
    input.at += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};

constexpr int NoTransparency = -1;

// The transparent colour index a graphic control block sets for the frame after it.
bool ReadExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
        transparentIndex = (block[1] & 1) != 0 ? block[4] : NoTransparency;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

// The rows of the frame in the order they are stored: interlaced frames store every 8th
// row from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    for (const auto& [first, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
        for (int y = first; y < height; y += step) rows.push_back(y);
    return rows;
}

void PaintRow(const std::vector<GifPixelType>& indexes, const ColorMapObject& colours, int transparentIndex,
              std::uint8_t* bgr) {
    for (const GifPixelType index : indexes) {
        if (index != transparentIndex) {
            // An index beyond the colour table reads as black.
            const GifColorType colour = index < colours.ColorCount ? colours.Colors[index] : GifColorType{0, 0, 0};
            bgr[0] = colour.Blue;
            bgr[1] = colour.Green;
            bgr[2] = colour.Red;
        }
        bgr += 3;
    }
}

bool ReadFrame(GifFileType* gif, int transparentIndex, ConvertedPicture& picture) {
    if (DGifGetImageDesc(gif) == GIF_ERROR) return false;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (colours == nullptr || !IsConvertibleSize(frame.Width, frame.Height)) return false;
    // A frame that overflows the logical screen (a common fault) is shown whole on its own.
    const bool fitsScreen =
        std::int64_t{frame.Left} + frame.Width <= gif->SWidth && std::int64_t{frame.Top} + frame.Height <= gif->SHeight;
    const int left = fitsScreen ? frame.Left : 0;
    const int top = fitsScreen ? frame.Top : 0;
    if (fitsScreen && !IsConvertibleSize(gif->SWidth, gif->SHeight)) return false;
    picture.Pixels = fitsScreen ? WhiteBitmap(gif->SWidth, gif->SHeight) : WhiteBitmap(frame.Width, frame.Height);
    std::vector<GifPixelType> indexes(static_cast<std::size_t>(frame.Width));
    for (const int y : StoredRowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, indexes.data(), frame.Width) == GIF_ERROR) return false;
        PaintRow(indexes, *colours, transparentIndex, picture.Pixels.Row(top + y) + std::size_t(left) * 3);
    }
    return true;
}

}  // namespace

bool DecodeGif(std::string_view bytes, ConvertedPicture& picture) {
    MemoryInput input{bytes};
    int error = 0;
    const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, ReadFromMemory, &error));
    if (!gif) return false;
    int transparentIndex = NoTransparency;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return false;
        switch (record) {
            case EXTENSION_RECORD_TYPE:
                if (!ReadExtension(gif.get(), transparentIndex)) return false;
                break;
            case IMAGE_DESC_RECORD_TYPE:
                return ReadFrame(gif.get(), transparentIndex, picture);
            default:
                // The file ends, or holds a record giflib does not know, before any frame.
                return false;
        }
    }
}

}  // namespace velvora::detail
