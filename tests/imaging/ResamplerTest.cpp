// Kernels, taps and channel rounding as the golden values give them, fitting sizes, and
// pinned Stretch output.
#include <algorithm>
#include <random>
#include <stdexcept>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "imaging/resampler.h"

namespace velvora {
namespace {

const ResampleFilter& Filter(std::string_view name) {
    for (const ResampleFilter& filter : ResampleFilters) {
        if (filter.name == name) return filter;
    }
    throw std::out_of_range("no filter");
}

TEST(ResamplerTest, KernelValues) {
    const struct {
        const char* name;
        float at, value;
    } rows[] = {
        {"Box", -0.5f, 0.0f},           {"Box", 0.5f, 1.0f},          {"Box", 0.0f, 1.0f},
        {"Triangle", -0.25f, 0.75f},    {"Triangle", 1.0f, 0.0f},     {"Hermite", 0.5f, 0.5f},
        {"Hermite", 0.25f, 0.84375f},   {"Bell", 0.0f, 0.75f},        {"Bell", 1.0f, 0.125f},
        {"Bell", 1.5f, 0.0f},           {"B-Spline", 0.0f, 2.0f / 3}, {"B-Spline", 1.0f, 1.0f / 6},
        {"B-Spline", -1.5f, 1.0f / 48}, {"Lanczos3", 0.0f, 1.0f},     {"Lanczos3", 0.5f, 0.6079271f},
        {"Lanczos3", 3.0f, 0.0f},       {"Mitchell", 0.0f, 8.0f / 9}, {"Mitchell", 1.0f, 1.0f / 18},
        {"Mitchell", 2.0f, 0.0f},       {"Lanczos3", 1.0f, 0.0f},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(Filter(row.name).filter(row.at), row.value, 2e-7) << row.name << " at " << row.at;
    }
    EXPECT_EQ(Filter("Bell").support, 1.5f);
}

TEST(ResamplerTest, TriangleFourToTwoTapsMirrorAtLeftEdgeAndTapsStayInsideShortSources) {
    const auto lists = BuildContributors(2, 4, TriangleFilter, 1.0f);
    ASSERT_EQ(lists.size(), 2u);
    const int pixels[2][5] = {{2, 1, 0, 1, 2}, {1, 2, 3, 3, 2}};
    const float weights[5] = {1.0f / 9, 2.0f / 9, 1.0f / 3, 2.0f / 9, 1.0f / 9};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(lists[i].taps.size(), 5u);
        for (int t = 0; t < 5; ++t) {
            EXPECT_EQ(lists[i].taps[t].pixel, pixels[i][t]) << i << "/" << t;
            EXPECT_FLOAT_EQ(lists[i].taps[t].weight, weights[t]) << i << "/" << t;
        }
    }
    const auto one = BuildContributors(3, 1, TriangleFilter, 1.0f);
    ASSERT_EQ(one[1].taps.size(), 2u);  // centre 1/3: taps at 0 and mirrored 1
    EXPECT_FLOAT_EQ(one[1].taps[0].weight, 2.0f / 3);
    EXPECT_FLOAT_EQ(one[1].taps[1].weight, 1.0f / 3);
    EXPECT_EQ(one[1].taps[1].pixel, 0);
    for (int source : {1, 2, 3}) {
        for (const auto& list : BuildContributors(10, source, Lanczos3Filter, 3.0f)) {
            for (const Contributor& tap : list.taps) EXPECT_TRUE(tap.pixel >= 0 && tap.pixel < source) << tap.pixel;
        }
    }
}

TEST(ResamplerTest, ChannelFromSumClampsAndRoundsHalfToEven) {
    const std::pair<float, int> rows[] = {{255.4f, 255}, {255.6f, 255}, {-0.3f, 0},  {127.5f, 128},
                                          {126.5f, 126}, {0.5f, 0},     {1.5f, 2},   {254.5f, 254},
                                          {-300.0f, 0},  {1e9f, 255},   {99.49f, 99}};
    for (const auto& [sum, channel] : rows) EXPECT_EQ(ChannelFromSum(sum), channel) << sum;
}

TEST(ResamplerTest, FitRatioAndFitBitmapSizesAndFastFitTakesCentrePixels) {
    EXPECT_EQ(FitRatio(2048, 1536, 70, 70), 0.0341796875f);
    EXPECT_EQ(FitRatio(50, 40, 70, 70), 1.4f);
    EXPECT_EQ(FitRatio(0, 40, 70, 70), 1.0f);
    EXPECT_EQ(FitRatio(40, 0, 70, 70), 1.0f);
    const int rows[][6] = {
        {2048, 1536, 70, 70, 70, 52},  // 52.5 rounds to the even 52
        {50, 40, 70, 70, 70, 56},      // enlarged
        {10000, 10, 70, 70, 70, 1},    // never below one pixel
        {70, 30, 0, 70, 1, 1},
    };
    for (const auto& [width, height, maxWidth, maxHeight, fittedWidth, fittedHeight] : rows) {
        for (bool smooth : {false, true}) {
            Bitmap bitmap(width, height, PixelFormat::Bits24);
            EXPECT_TRUE(FitBitmap(bitmap, maxWidth, maxHeight, smooth));
            EXPECT_EQ(std::pair(bitmap.Width(), bitmap.Height()), std::pair(fittedWidth, fittedHeight))
                << width << " smooth " << smooth;
        }
    }
    // A ratio of exactly 1 keeps the very pixel memory.
    Bitmap bitmap(70, 40, PixelFormat::Bits24);
    bitmap.Row(3)[5] = 99;
    const Bitmap before = bitmap;
    const std::uint8_t* pixels = bitmap.Pixels();
    EXPECT_TRUE(FitBitmap(bitmap, 70, 70, true));
    EXPECT_EQ(bitmap, before);
    EXPECT_EQ(bitmap.Pixels(), pixels);

    Bitmap packed(4, 1, PixelFormat::Bits1);
    packed.SetPalette(Palette{{9, 9, 9, 0}, {200, 0, 0, 0}});
    packed.Row(0)[0] = 0x60;  // pixels 0 1 1 0
    FitBitmap(packed, 2, 2, false);
    ASSERT_EQ(packed.Format(), PixelFormat::Bits1);
    EXPECT_EQ(packed.GetPalette()[1], (PaletteEntry{200, 0, 0, 0}));
    EXPECT_EQ(packed.Width(), 2);
    EXPECT_EQ(packed.Row(0)[0], 0x80);  // source columns 1 and 3
}

TEST(ResamplerTest, StretchTriangleFourToTwoAndToOnePixelAndRefusesAnEmptySourceUnchanged) {
    Bitmap source(4, 1, PixelFormat::Bits24);
    const std::uint8_t reds[4] = {90, 180, 0, 45};
    for (int x = 0; x < 4; ++x) {
        source.Row(0)[3 * x] = 255;  // blue: the weights sum to 1
        source.Row(0)[3 * x + 2] = reds[x];
    }
    Bitmap destination(2, 1, PixelFormat::Bits32);
    Stretch(source, destination, TriangleFilter, 1.0f);
    EXPECT_EQ(destination.Row(0)[2], 110);  // 180·2/9 + 90/3 + 180·2/9
    EXPECT_EQ(destination.Row(0)[6], 45);   // 180/9 + 45/3 + 45·2/9
    EXPECT_EQ(destination.Row(0)[0], 255);
    EXPECT_EQ(destination.Row(0)[1], 0);

    Bitmap constant(5, 3, PixelFormat::Bits24), one(1, 1, PixelFormat::Bits24);
    for (int y = 0; y < 3; ++y) std::fill_n(constant.Row(y), 15, std::uint8_t{200});
    Stretch(constant, one, TriangleFilter, 1.0f);
    EXPECT_EQ(one.Row(0)[0], 200);

    const Bitmap before = destination;
    try {
        Stretch(Bitmap(0, 5, PixelFormat::Bits24), destination, BoxFilter, 0.5f);
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Source bitmap too small");
    }
    EXPECT_EQ(destination, before);
}

// FNV-1a over Stretch results of random pixels, which make the kernels over- and undershoot,
// taken when Stretch was checked byte for byte against plain pixel-by-pixel sums in tap order.
// The sizes cover band boundaries of the row pass (heights past 16 and 32) and both directions.
TEST(ResamplerTest, StretchGivesPinnedPixels) {
    std::mt19937 random(7);
    Bitmap source(61, 45, PixelFormat::Bits24);
    for (int y = 0; y < source.Height(); ++y) {
        for (std::size_t i = 0; i < 61 * 3; ++i) source.Row(y)[i] = static_cast<std::uint8_t>(random());
    }
    const std::tuple<int, int, const char*, std::uint64_t> rows[] = {{23, 31, "Lanczos3", 0x8042E6B9844260FDu},
                                                                     {150, 100, "Mitchell", 0x182A9C764ADA0746u},
                                                                     {61, 70, "B-Spline", 0xCD9B1FB86ABD0673u},
                                                                     {7, 45, "Box", 0xE4B39BFAB7E6C81Au}};
    for (const auto& [width, height, name, expected] : rows) {
        Bitmap destination(width, height, PixelFormat::Bits24);
        Stretch(source, destination, Filter(name).filter, Filter(name).support);
        std::uint64_t digest = 0xCBF29CE484222325u;
        for (std::size_t i = 0; i < destination.PixelBytes(); ++i)
            digest = (digest ^ destination.Pixels()[i]) * 0x100000001B3u;
        EXPECT_EQ(digest, expected) << name;
    }
}

}  // namespace
}  // namespace velvora
