// Writes seed inputs for the fuzzers: blocks and records of a few kinds of data, and BMP
// images of every pixel format, grey, colour, CMYK and progressive JPEGs, and a category file.
// Usage: make-seeds BLOCK_DIR RECORD_DIR PLAIN_DIR BMP_DIR JPEG_DIR CATEGORY_DIR
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "compression/Compress.h"
#include "compression/LZRW1KH.h"
#include "imaging/Bitmap.h"
#include "support/JpegEncoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// `bytes` is a string or a vector of bytes.
void Save(const std::string& path, const auto& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) return 1;
    // Text, noise, runs of many lengths, and the shortest inputs.
    std::mt19937 random(11);
    Bytes text, noise(3000), runs;
    for (int i = 0; i < 400; ++i) text.insert(text.end(), {'s', 'l', 'i', 'd', 'e', ' ', std::uint8_t('0' + i % 10)});
    for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
    for (int i = 0; i < 40; ++i) runs.insert(runs.end(), static_cast<std::size_t>(i * 7 % 60), std::uint8_t(i));
    int index = 0;
    const auto nextName = [&index] { return "/seed" + std::to_string(index++); };
    for (const Bytes& sample : {Bytes{}, Bytes{'a'}, text, noise, runs, Bytes(5000, 0)}) {
        const std::string name = nextName();
        Bytes block(sample.size() + velvora::CompressSlack + 1);
        block[0] = 0;  // the block fuzzer's first byte chooses the output area
        block.resize(1 + velvora::CompressBlock(sample, std::span(block).subspan(1)));
        Save(argv[1] + name, block);
        velvora::TMemoryStream source(sample), record;
        velvora::TCompressStream().CompressStream(source, record, sample.size());
        Save(argv[2] + name, record.Bytes());
        Save(argv[3] + name, sample);
    }
    using velvora::PixelFormat;
    for (PixelFormat format : {PixelFormat::Bits1, PixelFormat::Bits4, PixelFormat::Bits8, PixelFormat::Bits16,
                               PixelFormat::Bits24, PixelFormat::Bits32}) {
        velvora::Bitmap bitmap(5, 3, format);
        for (int y = 0; y < bitmap.Height(); ++y) bitmap.Row(y)[0] = static_cast<std::uint8_t>(random());
        Save(argv[4] + nextName(), bitmap.SaveToBmp());
    }
    const auto gradient = [](int x, int y, std::uint8_t* out) {
        for (int c = 0; c < 4; ++c) out[c] = static_cast<std::uint8_t>(x * 16 + y * 8 + c * 64);
    };
    for (const auto& [channels, progressive] : {std::pair{1, false}, {3, false}, {4, false}, {3, true}}) {
        // The first byte picks the decoding scale.
        Save(argv[5] + nextName(), "\x03" + velvora::testing::EncodeJpeg(17, 9, channels, gradient, {80, progressive}));
    }
    const std::string categories =
        "\\Trips\r\nExpanded=1\r\nAlias=0001\r\nTransition=3\r\n\r\n\\Trips\\Rome\r\nSelected=1\r\nAlias=0002\r\n"
        "Intro=1\r\nIntroWidth=50\r\nBackground=1\r\nBackgroundOption1=255\r\n\r\n\\Home\r\nAlias=0003\r\n\r\n";
    Save(argv[6] + nextName(), categories);
    return 0;
}
