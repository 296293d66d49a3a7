// Writes seed inputs for the fuzzers: blocks and records of a few kinds of data, BMP images
// of every pixel format, grey, colour, CMYK and progressive JPEGs, a category file, a show
// published by the tool's own writer, and the show and library files the tool reads.
// Usage: make-seeds BLOCK_DIR RECORD_DIR PLAIN_DIR BMP_DIR JPEG_DIR CATEGORY_DIR PACKAGE_DIR
//        SHOW_DIR SHOW_FILES_DIR CONVERTED_DIR VIEWER_PICTURE_DIR
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/Global.h"
#include "compression/Compress.h"
#include "compression/LZRW1KH.h"
#include "editor/ShowDocument.h"
#include "imaging/Bitmap.h"
#include "publish/PublishUtil.h"
#include "support/JpegEncoder.h"
#include "support/PictureEncoders.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// `bytes` is a string or a vector of bytes.
void Save(const std::string& path, const auto& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Gradient(int width, int height, bool progressive) {
    return velvora::testing::EncodeJpeg(
        width, height, 3,
        [](int x, int y, std::uint8_t* out) {
            for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(x * 16 + y * 8 + c * 64);
        },
        {80, progressive});
}

void SaveShowFile(const std::string& show, const std::string& name, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(show + name).parent_path());
    Save(show + name, content);
}

// A show of two categories, a JPEG with a caption and a turned BMP, published with its
// full-size photos behind a small stand-in for the viewer program.
Bytes PublishedShow(const std::string& work) {
    const std::string show = work + "show/";
    SaveShowFile(show, "quillond.dat", "Title=Seed\r\nTransition=3\r\nDuration=2\r\nViewerShowToolbar=1\r\n");
    SaveShowFile(show, "categories.dat",
                 "\\\r\nSelected=1\r\nAlias=0000\r\n\r\n\\Trips\r\nAlias=0001\r\nDuration=8\r\nDurationCount=2\r\n"
                 "Background=1\r\nBackgroundOption1=255\r\n\r\n");
    SaveShowFile(show, "0000/folder.dat", "00000000=bay.jpg\r\n");
    SaveShowFile(show, "0000/00000000.dat", "Name=Bay\r\nCaption=At noon\r\nWidth=17\r\nHeight=9\r\n");
    SaveShowFile(show, "0000/00000000.pho", Gradient(17, 9, false));
    SaveShowFile(show, "0000/00000000.thu", Gradient(8, 4, true));
    velvora::Bitmap bitmap(6, 4, velvora::PixelFormat::Bits24);
    SaveShowFile(show, "0001/folder.dat", "00000001=hill.bmp\r\n");
    SaveShowFile(show, "0001/00000001.dat", "Name=Hill\r\nRotate=1\r\nWidth=4\r\nHeight=6\r\n");
    SaveShowFile(show, "0001/00000001.pho", bitmap.SaveToBmp());
    SaveShowFile(show, "0001/00000001.thu", bitmap.SaveToBmp());
    SaveShowFile(work, "viewer.exe", "MZ a stand-in for the viewer program");
    velvora::ShowPath = show;
    velvora::ShowSettings.LoadFromFile(show + "quillond.dat");
    velvora::ShowDocument document;
    document.LoadShow();
    velvora::TMemoryStream out;
    velvora::WriteViewerPrefix(out, "Seed", work + "viewer.exe");
    velvora::WritePublishedShow(out, document.Tree(), true, velvora::CountPublishPhotos());
    return out.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 12) return 1;
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
        Save(argv[11] + nextName(), "\x01" + bitmap.SaveToBmp());
    }
    const auto gradient = [](int x, int y, std::uint8_t* out) {
        for (int c = 0; c < 4; ++c) out[c] = static_cast<std::uint8_t>(x * 16 + y * 8 + c * 64);
    };
    for (const auto& [channels, progressive] : {std::pair{1, false}, {3, false}, {4, false}, {3, true}}) {
        // The first byte picks the decoding scale, and for the viewer's decoder the turn.
        const std::string jpeg = velvora::testing::EncodeJpeg(17, 9, channels, gradient, {80, progressive});
        Save(argv[5] + nextName(), "\x03" + jpeg);
        Save(argv[11] + nextName(), "\x01" + jpeg);
    }
    const std::string categories =
        "\\Trips\r\nExpanded=1\r\nAlias=0001\r\nTransition=3\r\n\r\n\\Trips\\Rome\r\nSelected=1\r\nAlias=0002\r\n"
        "Intro=1\r\nIntroWidth=50\r\nBackground=1\r\nBackgroundOption1=255\r\n\r\n\\Home\r\nAlias=0003\r\n\r\n";
    Save(argv[6] + nextName(), categories);

    const std::string work = std::string(argv[9]) + "/work/";
    const Bytes published = PublishedShow(work);
    std::filesystem::remove_all(work);
    Save(argv[7] + nextName(), published);
    Save(argv[8] + nextName(), published);
    // The first byte picks the file: folder.dat, a photo's .dat, quillond.dat, shows.dat.
    const char* const showFiles[] = {"00000000=bay.jpg\r\n00000001=x\xFFy.bmp\r\nbad line\r\n",
                                     "Name=Bay\r\nCaption=Zo\xFF\r\nRotate=3\r\nWidth=17\r\nHeight=9\r\n",
                                     "Title=Trip\r\nAuthor=Ann\r\nTransition=7\r\nSize=1\r\n",
                                     "/nowhere/\r\nrelative/\r\n../../outside/\r\n"};
    for (char kind = 0; kind < 4; ++kind) Save(argv[9] + nextName(), kind + std::string(showFiles[int(kind)]));
    // One small picture of each converted format, the turned and transparent kinds included.
    namespace t = velvora::testing;
    const t::RgbaSource pixel = [](int x, int y, std::uint8_t* rgba) {
        rgba[0] = std::uint8_t(x * 14), rgba[1] = std::uint8_t(y * 28), rgba[2] = 90, rgba[3] = std::uint8_t(x * 16);
    };
    const std::string palette("\xFF\0\0\0\xFF\0", 6);
    std::vector<std::string> pictures{t::EncodePng(17, 9, t::PngKind::Rgba, pixel),
                                      t::EncodePng(17, 9, t::PngKind::Palette, pixel),
                                      t::EncodeGif(17, 9, {.screenWidth = 17, .screenHeight = 9, .transparent = 1,
                                                           .interlaced = true},
                                                   palette, [](int x, int y) { return (x + y) % 2; }),
                                      t::EncodeTiff(17, 9, pixel, 6, true), t::EncodeWebp(17, 9, pixel, true, t::ExifSegment(6))};
    if (t::CanEncodeHeic()) pictures.push_back(t::EncodeHeic(17, 9, pixel, 6, true, 50));
    for (const std::string& picture : pictures) Save(argv[10] + nextName(), picture);
    return 0;
}
