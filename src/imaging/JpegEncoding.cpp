// libjpeg-turbo's compressor writing to memory. As in decoding, the error callback jumps
// back to a setjmp frame in GuardedJpegStep(), whose locals have trivial destructors; the
// owner of the compressor and of its output buffer lives in the caller. The output buffer is our own
// rather than jpeg_mem_dest's, whose caller-held pointer goes stale when it grows and the
// compression then fails.
#include "imaging/JpegEncoding.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h first: its configuration decides which messages jerror.h declares.
#include <jpeglib.h>

#include <jerror.h>

#include "imaging/JpegErrors.h"

namespace velvora {

namespace {

// The payload bytes one marker segment holds: its two-byte length counts itself.
constexpr std::size_t kMaxMarkerPayload = 65533;

// Output gathered in one malloc'd buffer that doubles when full; only `bytes` is ever freed,
// so a failure at any point leaves nothing dangling.
struct MemoryDestination {
    jpeg_destination_mgr pub{};
    JOCTET* bytes = nullptr;
    std::size_t capacity = 0;

    std::size_t Used() const { return capacity - pub.free_in_buffer; }
};

MemoryDestination& DestinationOf(j_compress_ptr info) { return *reinterpret_cast<MemoryDestination*>(info->dest); }

void StartOutput(j_compress_ptr info) {
    MemoryDestination& destination = DestinationOf(info);
    destination.pub.next_output_byte = destination.bytes;
    destination.pub.free_in_buffer = destination.capacity;
}

boolean GrowOutput(j_compress_ptr info) {
    MemoryDestination& destination = DestinationOf(info);
    const std::size_t used = destination.capacity;
    auto* grown = static_cast<JOCTET*>(std::realloc(destination.bytes, used * 2));
    if (grown == nullptr) {
        info->err->msg_code = JERR_OUT_OF_MEMORY;
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    }
    destination.bytes = grown;
    destination.capacity = used * 2;
    destination.pub.next_output_byte = grown + used;
    destination.pub.free_in_buffer = used;
    return TRUE;
}

void EndOutput(j_compress_ptr) {}

class JpegCompressor {
public:
    JpegCompressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = JumpOnJpegError;
        errors_.pub.output_message = SilentJpegMessage;
    }
    ~JpegCompressor() {
        jpeg_destroy_compress(&info_);
        std::free(destination_.bytes);
    }
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;

    // A photo compresses to well under a byte per pixel at any usual quality, so the buffer
    // rarely grows.
    bool Compress(const Bitmap& bitmap, int quality, std::string_view app1) {
        destination_.capacity =
            std::max<std::size_t>(kFirstOutputBytes, std::size_t(bitmap.Width()) * bitmap.Height() / 2);
        destination_.bytes = static_cast<JOCTET*>(std::malloc(destination_.capacity));
        if (destination_.bytes == nullptr) return false;
        destination_.pub.init_destination = StartOutput;
        destination_.pub.empty_output_buffer = GrowOutput;
        destination_.pub.term_destination = EndOutput;
        return GuardedJpegStep(errors_, [&] {
            jpeg_create_compress(&info_);
            info_.dest = &destination_.pub;
            info_.image_width = static_cast<JDIMENSION>(bitmap.Width());
            info_.image_height = static_cast<JDIMENSION>(bitmap.Height());
            info_.input_components = 3;
            info_.in_color_space = JCS_EXT_BGR;
            jpeg_set_defaults(&info_);
            jpeg_set_quality(&info_, quality, TRUE);
            jpeg_start_compress(&info_, TRUE);
            if (!app1.empty())
                jpeg_write_marker(&info_, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(app1.data()),
                                  static_cast<unsigned>(app1.size()));
            while (info_.next_scanline < info_.image_height) {
                JSAMPROW row = const_cast<JSAMPROW>(bitmap.Row(static_cast<int>(info_.next_scanline)));
                jpeg_write_scanlines(&info_, &row, 1);
            }
            jpeg_finish_compress(&info_);
        });
    }

    std::string Output() const {
        return std::string(reinterpret_cast<const char*>(destination_.bytes), destination_.Used());
    }

private:
    static constexpr std::size_t kFirstOutputBytes = std::size_t{64} * 1024;

    JpegErrorManager errors_{};
    jpeg_compress_struct info_{};
    MemoryDestination destination_;
};

}  // namespace

bool EncodeBitmapAsJpeg(const Bitmap& bitmap, int quality, std::string_view app1, std::string& jpeg) {
    if (bitmap.IsEmpty() || bitmap.Format() != PixelFormat::Bits24 || app1.size() > kMaxMarkerPayload) return false;
    try {
        JpegCompressor compressor;
        if (!compressor.Compress(bitmap, std::clamp(quality, 1, 100), app1)) return false;
        jpeg = compressor.Output();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace velvora
