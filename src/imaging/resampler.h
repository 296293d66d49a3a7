// Picture sizing: the ratio that fits a picture into a box, fitting a bitmap in place (fast
// nearest-neighbour or smooth Lanczos3), and the two-pass filtered resampler with its kernels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "imaging/Bitmap.h"

namespace velvora {

using FilterFunction = float (*)(float);

float BoxFilter(float v);
float TriangleFilter(float v);
float HermiteFilter(float v);
float BellFilter(float v);
float BSplineFilter(float v);
float Lanczos3Filter(float v);
float MitchellFilter(float v);

struct ResampleFilter {
    std::string_view name;
    FilterFunction filter;
    float support;
};

inline constexpr std::array<ResampleFilter, 7> ResampleFilters{{
    {"Box", BoxFilter, 0.5f},
    {"Triangle", TriangleFilter, 1.0f},
    {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},
    {"B-Spline", BSplineFilter, 2.0f},
    {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
}};

// One tap of a destination pixel: a source index and its weight.
struct Contributor {
    std::int32_t pixel;
    float weight;
};

struct ContributorList {
    std::vector<Contributor> taps;
};

// The taps of every destination pixel along one axis, in the order they are summed. Indexes
// beyond the source are mirrored back into it (repeatedly when the kernel reaches further
// than the source is long); taps of weight 0 are left out. Weights are not normalised. A
// one-pixel destination from a longer source scales by 1/sourceSize, since the usual
// (dest - 1) / (source - 1) would be zero.
std::vector<ContributorList> BuildContributors(int destinationSize, int sourceSize, FilterFunction filter,
                                               float support);

// A channel sum as a byte: clamped to 0..255, otherwise rounded half to even.
std::uint8_t ChannelFromSum(float sum);

// min(maxWidth / width, maxHeight / height), each quotient in single precision; above 1 the
// picture is enlarged. A picture without pixels (width or height 0 or less) gives 1, so that
// nothing is scaled.
float FitRatio(int width, int height, int maxWidth, int maxHeight);

// Scales `bitmap` in place by FitRatio, each side rounded half to even but kept at least one
// pixel. Fast is an unfiltered nearest-neighbour stretch keeping the pixel format; smooth is
// Stretch with Lanczos3 (formats other than 24 and 32 bits come out as 24 bits). A ratio of
// exactly 1 changes nothing. Always returns true.
bool FitBitmap(Bitmap& bitmap, int maxWidth, int maxHeight, bool smooth);

// Filters `source` into `destination`, which keeps its size: rows first into an intermediate
// of 8-bit channels, then columns. Each channel sum is single precision, accumulated in tap
// order with the product exact and the sum rounded to single after each addition, then
// clamped and rounded by ChannelFromSum. A destination of other than 24 or 32 bits becomes
// 24 bits. Throws std::invalid_argument("Source bitmap too small") for an empty source,
// before anything is changed.
void Stretch(const Bitmap& source, Bitmap& destination, FilterFunction filter, float support);

// Nearest-neighbour scaling of any pixel format into `destination`'s size, which takes the
// source's format and palette. Each destination pixel takes the source pixel under its centre.
void StretchNearest(const Bitmap& source, Bitmap& destination);

}  // namespace velvora
