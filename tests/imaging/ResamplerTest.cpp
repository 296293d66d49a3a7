#include <cmath>
#include <random>
#include <stdexcept>

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
        float at;
        float value;
    } rows[] = {
        {"Box", -0.5f, 0.0f},           {"Box", 0.5f, 1.0f},          {"Box", 0.0f, 1.0f},
        {"Triangle", -0.25f, 0.75f},    {"Triangle", 1.0f, 0.0f},     {"Hermite", 0.5f, 0.5f},
        {"Hermite", 0.25f, 0.84375f},   {"Bell", 0.0f, 0.75f},        {"Bell", 1.0f, 0.125f},
        {"Bell", 1.5f, 0.0f},           {"B-Spline", 0.0f, 2.0f / 3}, {"B-Spline", 1.0f, 1.0f / 6},
        {"B-Spline", -1.5f, 1.0f / 48}, {"Lanczos3", 0.0f, 1.0f},     {"Lanczos3", 0.5f, 0.6079271f},
        {"Lanczos3", 3.0f, 0.0f},       {"Mitchell", 0.0f, 8.0f / 9}, {"Mitchell", 1.0f, 1.0f / 18},
        {"Mitchell", 2.0f, 0.0f},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(Filter(row.name).filter(row.at), row.value, 2e-7) << row.name << " at " << row.at;
    }
    EXPECT_NEAR(Lanczos3Filter(1.0f), 0.0f, 1e-6);
    EXPECT_EQ(Filter("Lanczos3").support, 3.0f);
    EXPECT_EQ(Filter("Bell").support, 1.5f);
}

TEST(ResamplerTest, TriangleFourToTwoTapsMirrorAtLeftEdge) {
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
}

TEST(ResamplerTest, OnePixelSourceScalesByDestinationSize) {
    const auto lists = BuildContributors(3, 1, TriangleFilter, 1.0f);
    ASSERT_EQ(lists[1].taps.size(), 2u);  // centre 1/3: taps at 0 and mirrored 1
    EXPECT_FLOAT_EQ(lists[1].taps[0].weight, 2.0f / 3);
    EXPECT_FLOAT_EQ(lists[1].taps[1].weight, 1.0f / 3);
    EXPECT_EQ(lists[1].taps[1].pixel, 0);
}

TEST(ResamplerTest, TapsStayInsideSourcesShorterThanTheKernel) {
    for (int source : {1, 2, 3}) {
        for (const auto& list : BuildContributors(10, source, Lanczos3Filter, 3.0f)) {
            for (const Contributor& tap : list.taps) {
                EXPECT_GE(tap.pixel, 0);
                EXPECT_LT(tap.pixel, source);
            }
        }
    }
}

TEST(ResamplerTest, ChannelFromSumClampsAndRoundsHalfToEven) {
    const std::pair<float, int> rows[] = {{255.4f, 255}, {255.6f, 255}, {-0.3f, 0},  {127.5f, 128},
                                          {126.5f, 126}, {0.5f, 0},     {1.5f, 2},   {254.5f, 254},
                                          {-300.0f, 0},  {1e9f, 255},   {99.49f, 99}};
    for (const auto& [sum, channel] : rows) EXPECT_EQ(ChannelFromSum(sum), channel) << sum;
}

TEST(ResamplerTest, FitRatio) {
    EXPECT_EQ(FitRatio(2048, 1536, 70, 70), 0.0341796875f);
    EXPECT_EQ(FitRatio(50, 40, 70, 70), 1.4f);
    EXPECT_EQ(FitRatio(0, 40, 70, 70), 1.0f);
    EXPECT_EQ(FitRatio(40, 0, 70, 70), 1.0f);
}

TEST(ResamplerTest, FitBitmapSizes) {
    const struct {
        int width, height, maxWidth, maxHeight, fittedWidth, fittedHeight;
    } rows[] = {
        {2048, 1536, 70, 70, 70, 52},  // 52.5 rounds to the even 52
        {50, 40, 70, 70, 70, 56},      // enlarged
        {10000, 10, 70, 70, 70, 1},    // never below one pixel
        {70, 30, 0, 70, 1, 1},
    };
    for (const auto& row : rows) {
        for (bool smooth : {false, true}) {
            Bitmap bitmap(row.width, row.height, PixelFormat::Bits24);
            EXPECT_TRUE(FitBitmap(bitmap, row.maxWidth, row.maxHeight, smooth));
            EXPECT_EQ(bitmap.Width(), row.fittedWidth) << row.width << " smooth " << smooth;
            EXPECT_EQ(bitmap.Height(), row.fittedHeight) << row.width << " smooth " << smooth;
        }
    }
}

TEST(ResamplerTest, FitBitmapWithRatioOneLeavesBitmapUntouched) {
    Bitmap bitmap(70, 40, PixelFormat::Bits24);
    bitmap.Row(3)[5] = 99;
    const Bitmap before = bitmap;
    const std::uint8_t* pixels = bitmap.Pixels();
    EXPECT_TRUE(FitBitmap(bitmap, 70, 70, true));
    EXPECT_EQ(bitmap, before);
    EXPECT_EQ(bitmap.Pixels(), pixels);
}

TEST(ResamplerTest, FastFitKeepsFormatAndTakesCentrePixels) {
    Bitmap bitmap(4, 1, PixelFormat::Bits1);
    bitmap.SetPalette(Palette{{9, 9, 9, 0}, {200, 0, 0, 0}});
    SetPackedIndex(bitmap.Row(0), 1, 1, 1);
    SetPackedIndex(bitmap.Row(0), 2, 1, 1);
    FitBitmap(bitmap, 2, 2, false);
    ASSERT_EQ(bitmap.Format(), PixelFormat::Bits1);
    EXPECT_EQ(bitmap.GetPalette()[1], (PaletteEntry{200, 0, 0, 0}));
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(PackedIndex(bitmap.Row(0), 0, 1), 1);  // source column 1
    EXPECT_EQ(PackedIndex(bitmap.Row(0), 1, 1), 0);  // source column 3
}

TEST(ResamplerTest, StretchTriangleFourToTwo) {
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
}

TEST(ResamplerTest, StretchClampsLanczosOvershoot) {
    Bitmap source(8, 1, PixelFormat::Bits24);
    for (int x = 4; x < 8; ++x) source.Row(0)[3 * x + 1] = 255;
    Bitmap destination(32, 1, PixelFormat::Bits24);
    Stretch(source, destination, Lanczos3Filter, 3.0f);
    for (int x = 0; x < 32; ++x) {
        const int green = destination.Row(0)[3 * x + 1];
        // Undershoot clamps to 0 and overshoot to 255; neither wraps round.
        if (x < 12) {
            EXPECT_LT(green, 128) << x;
        } else if (x > 20) {
            EXPECT_GT(green, 128) << x;
        }
    }
    EXPECT_EQ(destination.Row(0)[1], 0);
    EXPECT_EQ(destination.Row(0)[3 * 31 + 1], 255);
}

TEST(ResamplerTest, StretchOfEmptySourceFailsBeforeChangingAnything) {
    Bitmap destination(3, 3, PixelFormat::Bits8);
    const Bitmap before = destination;
    try {
        Stretch(Bitmap(0, 5, PixelFormat::Bits24), destination, BoxFilter, 0.5f);
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Source bitmap too small");
    }
    EXPECT_EQ(destination, before);
}

TEST(ResamplerTest, StretchToOnePixelAveragesConstantColour) {
    Bitmap source(5, 3, PixelFormat::Bits24);
    for (int y = 0; y < 3; ++y) std::fill_n(source.Row(y), 15, std::uint8_t{200});
    Bitmap destination(1, 1, PixelFormat::Bits24);
    Stretch(source, destination, TriangleFilter, 1.0f);
    EXPECT_EQ(destination.Row(0)[0], 200);
}

// Each pixel summed on its own, tap by tap, the way the passes are defined.
Bitmap ReferenceStretch(const Bitmap& source, int width, int height, FilterFunction filter, float support) {
    const auto across = BuildContributors(width, source.Width(), filter, support);
    const auto down = BuildContributors(height, source.Height(), filter, support);
    Bitmap middle(width, source.Height(), PixelFormat::Bits24);
    for (int k = 0; k < source.Height(); ++k) {
        for (int i = 0; i < width; ++i) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (const Contributor& tap : across[i].taps) {
                    sum = static_cast<float>(sum + double(source.Row(k)[3 * tap.pixel + c]) * double(tap.weight));
                }
                middle.Row(k)[3 * i + c] = ChannelFromSum(sum);
            }
        }
    }
    Bitmap result(width, height, PixelFormat::Bits24);
    for (int k = 0; k < width; ++k) {
        for (int i = 0; i < height; ++i) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (const Contributor& tap : down[i].taps) {
                    sum = static_cast<float>(sum + double(middle.Row(tap.pixel)[3 * k + c]) * double(tap.weight));
                }
                result.Row(i)[3 * k + c] = ChannelFromSum(sum);
            }
        }
    }
    return result;
}

// Covers band boundaries of the row pass (heights past 32) and both directions of scaling.
TEST(ResamplerTest, StretchMatchesPixelByPixelSums) {
    std::mt19937 random(7);
    Bitmap source(61, 45, PixelFormat::Bits24);
    for (int y = 0; y < source.Height(); ++y) {
        for (std::size_t i = 0; i < 61 * 3; ++i) source.Row(y)[i] = static_cast<std::uint8_t>(random());
    }
    const struct {
        int width, height;
        const char* filter;
    } rows[] = {{23, 31, "Lanczos3"}, {150, 100, "Mitchell"}, {61, 70, "B-Spline"}, {7, 45, "Box"}};
    for (const auto& row : rows) {
        const ResampleFilter& filter = Filter(row.filter);
        Bitmap destination(row.width, row.height, PixelFormat::Bits24);
        Stretch(source, destination, filter.filter, filter.support);
        EXPECT_EQ(destination, ReferenceStretch(source, row.width, row.height, filter.filter, filter.support))
            << row.filter;
    }
}

}  // namespace
}  // namespace velvora
