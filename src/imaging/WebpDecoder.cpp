// The first frame of a WebP, still or animated, through libwebp and its demuxer, which also
// hands over the EXIF chunk whose orientation the pixels are turned by.
#include <memory>
#include <string>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "imaging/ExifOrientation.h"
#include "imaging/PictureDecoders.h"

namespace velvora::detail {

namespace {

struct DemuxerDeleter {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};

// Releases the iterator's hold on the demuxer on every path.
class FirstFrame {
public:
    explicit FirstFrame(const WebPDemuxer* demuxer) : found_(WebPDemuxGetFrame(demuxer, 1, &frame_) != 0) {}
    ~FirstFrame() {
        if (found_) WebPDemuxReleaseIterator(&frame_);
    }
    FirstFrame(const FirstFrame&) = delete;
    FirstFrame& operator=(const FirstFrame&) = delete;
    bool Found() const { return found_; }
    const WebPIterator& operator*() const { return frame_; }

private:
    WebPIterator frame_{};
    bool found_;
};

std::string ExifChunk(const WebPDemuxer* demuxer) {
    WebPChunkIterator chunk{};
    if (!WebPDemuxGetChunk(demuxer, "EXIF", 1, &chunk)) return {};
    std::string exif(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return exif;
}

// An opaque frame that covers the canvas decodes straight into the bitmap's rows.
bool DecodeOpaqueFrame(const WebPData& data, Bitmap& pixels) {
    return WebPDecodeBGRInto(data.bytes, data.size, pixels.Pixels(), pixels.PixelBytes(),
                             static_cast<int>(pixels.RowBytes())) != nullptr;
}

// Any other frame is decoded on its own and laid over the white canvas at its offset.
bool DecodeFrameOntoCanvas(const WebPIterator& frame, Bitmap& pixels) {
    if (frame.x_offset + frame.width > pixels.Width() || frame.y_offset + frame.height > pixels.Height()) return false;
    const std::size_t stride = static_cast<std::size_t>(frame.width) * 4;
    std::vector<std::uint8_t> rgba(stride * static_cast<std::size_t>(frame.height));
    if (WebPDecodeRGBAInto(frame.fragment.bytes, frame.fragment.size, rgba.data(), rgba.size(),
                           static_cast<int>(stride)) == nullptr)
        return false;
    for (int y = 0; y < frame.height; ++y)
        FlattenRgbaOntoWhite(rgba.data() + stride * std::size_t(y),
                             pixels.Row(frame.y_offset + y) + std::size_t(frame.x_offset) * 3, frame.width);
    return true;
}

}  // namespace

bool DecodeWebp(std::string_view bytes, ConvertedPicture& picture) {
    const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    const std::unique_ptr<WebPDemuxer, DemuxerDeleter> demuxer(WebPDemux(&data));
    if (!demuxer) return false;
    const std::uint32_t width = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_WIDTH);
    const std::uint32_t height = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_HEIGHT);
    if (!IsConvertibleSize(width, height)) return false;
    const FirstFrame frame(demuxer.get());
    if (!frame.Found()) return false;
    const bool coversCanvas = (*frame).x_offset == 0 && (*frame).y_offset == 0 &&
                              std::uint32_t((*frame).width) == width && std::uint32_t((*frame).height) == height;
    picture.Pixels = WhiteBitmap(static_cast<int>(width), static_cast<int>(height));
    const bool decoded = coversCanvas && !(*frame).has_alpha ? DecodeOpaqueFrame((*frame).fragment, picture.Pixels)
                                                             : DecodeFrameOntoCanvas(*frame, picture.Pixels);
    if (!decoded) return false;
    picture.Exif = ExifChunk(demuxer.get());
    OrientUpright(picture.Pixels, ExifBlockOrientation(picture.Exif));
    return true;
}

}  // namespace velvora::detail
