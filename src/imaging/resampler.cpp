// Fitting pictures into boxes and the two-pass filtered resampler.
#include "imaging/resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <thread>

namespace velvora {

// Kernels evaluate in double and return single precision; the intermediate values t and u are
// kept to single precision first, as the kernel definitions demand.
float BoxFilter(float v) { return v > -0.5f && v <= 0.5f ? 1.0f : 0.0f; }

float TriangleFilter(float v) {
    const double x = std::fabs(v);
    return x < 1.0 ? static_cast<float>(1.0 - x) : 0.0f;
}

float HermiteFilter(float v) {
    const double x = std::fabs(v);
    return x < 1.0 ? static_cast<float>((2.0 * x - 3.0) * x * x + 1.0) : 0.0f;
}

float BellFilter(float v) {
    const double x = std::fabs(v);
    if (x < 0.5) return static_cast<float>(0.75 - x * x);
    if (x < 1.5) {
        const double t = static_cast<float>(x - 1.5);
        return static_cast<float>(0.5 * t * t);
    }
    return 0.0f;
}

float BSplineFilter(float v) {
    const double x = std::fabs(v);
    if (x < 1.0) {
        const double t = static_cast<float>(x * x);
        return static_cast<float>(0.5 * t * x - t + 2.0 / 3.0);
    }
    if (x < 2.0) {
        const double u = static_cast<float>(2.0 - x);
        return static_cast<float>(u * u * u / 6.0);
    }
    return 0.0f;
}

static float Sinc(float v) {
    if (v == 0.0f) return 1.0f;
    const double s = static_cast<float>(std::numbers::pi * v);
    return static_cast<float>(std::sin(s) / s);
}

float Lanczos3Filter(float v) {
    const float x = std::fabs(v);
    if (x >= 3.0f) return 0.0f;
    return static_cast<float>(static_cast<double>(Sinc(x)) * Sinc(static_cast<float>(x / 3.0)));
}

float MitchellFilter(float v) {
    const double x = std::fabs(v);
    const double t = static_cast<float>(x * x);
    if (x < 1.0) return static_cast<float>((7.0 * x * t - 12.0 * t + 16.0 / 3.0) / 6.0);
    if (x < 2.0) return static_cast<float>((-7.0 / 3.0 * x * t + 12.0 * t - 20.0 * x + 32.0 / 3.0) / 6.0);
    return 0.0f;
}

// Edges mirror: left about pixel 0, right repeating the last pixel. Repeated until the index
// lands inside, for kernels wider than a small source.
static std::int32_t MirrorIndex(std::int64_t j, std::int64_t size) {
    while (j < 0 || j >= size) j = j < 0 ? -j : 2 * size - j - 1;
    return static_cast<std::int32_t>(j);
}

static float AxisScale(int destinationSize, int sourceSize) {
    if (sourceSize == 1 || destinationSize == 1) {
        return static_cast<float>(destinationSize) / static_cast<float>(sourceSize);
    }
    return static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
}

static void AppendTap(ContributorList& list, std::int64_t j, int sourceSize, float weight) {
    if (weight != 0.0f) list.taps.push_back({MirrorIndex(j, sourceSize), weight});
}

std::vector<ContributorList> BuildContributors(int destinationSize, int sourceSize, FilterFunction filter,
                                               float support) {
    const float scale = AxisScale(destinationSize, sourceSize);
    std::vector<ContributorList> lists(static_cast<std::size_t>(std::max(destinationSize, 0)));
    // Shrinking widens the kernel by 1/scale and lowers it by the same factor.
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? support / scale : support;
    const float stretch = 1.0f / scale;
    for (int i = 0; i < destinationSize; ++i) {
        ContributorList& list = lists[static_cast<std::size_t>(i)];
        const float center = static_cast<float>(i) / scale;
        const auto left = static_cast<std::int64_t>(std::floor(static_cast<double>(center) - width));
        const auto right = static_cast<std::int64_t>(std::ceil(static_cast<double>(center) + width));
        list.taps.reserve(static_cast<std::size_t>(right - left + 1));
        for (std::int64_t j = left; j <= right; ++j) {
            const double distance = static_cast<double>(center) - static_cast<double>(j);
            const float weight =
                shrinking
                    ? static_cast<float>(filter(static_cast<float>(distance / stretch)) / static_cast<double>(stretch))
                    : filter(static_cast<float>(distance));
            AppendTap(list, j, sourceSize, weight);
        }
    }
    return lists;
}

std::uint8_t ChannelFromSum(float sum) {
    const float clamped = std::min(std::max(sum, 0.0f), 255.0f);
    // Adding 1.5 * 2^23 leaves no fraction bits, so the addition itself rounds half to even.
    constexpr float kRoundingBias = 12582912.0f;
    return static_cast<std::uint8_t>((clamped + kRoundingBias) - kRoundingBias);
}

namespace {

// The taps of one axis packed for the passes: taps of destination i are
// pixels/weights[begin[i] .. begin[i + 1]).
struct PackedTaps {
    std::vector<std::size_t> begin;
    std::vector<std::int32_t> pixels;
    std::vector<float> weights;
};

PackedTaps PackTaps(const std::vector<ContributorList>& lists) {
    PackedTaps packed;
    packed.begin.push_back(0);
    for (const ContributorList& list : lists) {
        for (const Contributor& tap : list.taps) {
            packed.pixels.push_back(tap.pixel);
            packed.weights.push_back(tap.weight);
        }
        packed.begin.push_back(packed.pixels.size());
    }
    return packed;
}

// Processors with fused multiply-add run the same per-channel steps eight channels at a time;
// the fused operation is correctly rounded on every path, so every result is the same.
#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define VELVORA_VECTOR_CLONES __attribute__((target_clones("fma", "default")))
#else
#define VELVORA_VECTOR_CLONES
#endif

// Each step adds the exact product of channel and weight to the sum with one rounding to
// single precision: a fused multiply-add.
template <typename Channel>
inline void AccumulateChannels(float* sums, const Channel* channels, float weight, std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) sums[n] = std::fma(static_cast<float>(channels[n]), weight, sums[n]);
}

VELVORA_VECTOR_CLONES void Accumulate(float* sums, const std::uint8_t* channels, float weight, std::size_t count) {
    AccumulateChannels(sums, channels, weight, count);
}

inline void StoreChannels(const float* sums, std::uint8_t* out, std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) out[n] = ChannelFromSum(sums[n]);
}

// Rows are filtered a band at a time: the band is turned so that one source column of all its
// rows lies contiguous, and each tap then updates the whole band's sums, which are few enough
// to stay in registers.
constexpr int kBandRows = 16;
constexpr std::size_t kBandLane = kBandRows * 3;

VELVORA_VECTOR_CLONES void FilterBandColumn(const float* columns, const PackedTaps& taps, std::size_t destination,
                                            std::uint8_t* channels) {
    float sums[kBandLane] = {};
    for (std::size_t t = taps.begin[destination]; t < taps.begin[destination + 1]; ++t) {
        AccumulateChannels(sums, columns + static_cast<std::size_t>(taps.pixels[t]) * kBandLane, taps.weights[t],
                           kBandLane);
    }
    StoreChannels(sums, channels, kBandLane);
}

// Rows past the end of a short last band keep stale values; their results are not written.
void FilterRowBand(const Bitmap& source, int firstRow, int rows, const PackedTaps& taps, Bitmap& intermediate,
                   std::vector<float>& columns) {
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* row = source.Row(firstRow + r);
        for (int x = 0; x < source.Width(); ++x) {
            float* column = &columns[static_cast<std::size_t>(x) * kBandLane + static_cast<std::size_t>(r) * 3];
            column[0] = row[3 * x];
            column[1] = row[3 * x + 1];
            column[2] = row[3 * x + 2];
        }
    }
    std::uint8_t channels[kBandLane];
    for (int i = 0; i < intermediate.Width(); ++i) {
        FilterBandColumn(columns.data(), taps, static_cast<std::size_t>(i), channels);
        for (int r = 0; r < rows; ++r) std::memcpy(intermediate.Row(firstRow + r) + 3 * i, &channels[3 * r], 3);
    }
}

// Runs body(first, end) over [0, count) in one contiguous part per processor. The parts
// write disjoint rows and each pixel's arithmetic is unchanged, so the result is the same
// for any split. Tool chains without threads run the whole range on the calling thread.
template <typename Body>
void ForEachPart(int count, const Body& body) {
#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
    const int parts = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, std::max(count, 1));
    std::vector<std::jthread> workers;
    for (int part = 1; part < parts; ++part) {
        workers.emplace_back([&body, count, parts, part] {
            body(static_cast<int>(std::int64_t{count} * part / parts),
                 static_cast<int>(std::int64_t{count} * (part + 1) / parts));
        });
    }
    body(0, count / parts);
#else
    body(0, count);
#endif
}

void FilterRows(const Bitmap& source, const PackedTaps& taps, Bitmap& intermediate) {
    const int bands = (source.Height() + kBandRows - 1) / kBandRows;
    ForEachPart(bands, [&](int firstBand, int endBand) {
        std::vector<float> columns(static_cast<std::size_t>(source.Width()) * kBandLane);
        for (int band = firstBand; band < endBand; ++band) {
            const int first = band * kBandRows;
            FilterRowBand(source, first, std::min(kBandRows, source.Height() - first), taps, intermediate, columns);
        }
    });
}

void WriteRow(const std::uint8_t* bgr, int width, Bitmap& destination, int y) {
    std::uint8_t* row = destination.Row(y);
    if (destination.Format() == PixelFormat::Bits24) {
        std::memcpy(row, bgr, static_cast<std::size_t>(width) * 3);
        return;
    }
    for (int x = 0; x < width; ++x) {
        std::memcpy(row + 4 * x, bgr + 3 * x, 3);
        row[4 * x + 3] = 0;
    }
}

void FilterColumns(const Bitmap& intermediate, const PackedTaps& taps, Bitmap& destination) {
    const std::size_t lane = static_cast<std::size_t>(intermediate.Width()) * 3;
    ForEachPart(destination.Height(), [&](int firstRow, int endRow) {
        std::vector<float> sums(lane);
        std::vector<std::uint8_t> channels(lane);
        for (int i = firstRow; i < endRow; ++i) {
            std::fill(sums.begin(), sums.end(), 0.0f);
            for (std::size_t t = taps.begin[static_cast<std::size_t>(i)];
                 t < taps.begin[static_cast<std::size_t>(i) + 1]; ++t) {
                Accumulate(sums.data(), intermediate.Row(taps.pixels[t]), taps.weights[t], lane);
            }
            StoreChannels(sums.data(), channels.data(), lane);
            WriteRow(channels.data(), destination.Width(), destination, i);
        }
    });
}

}  // namespace

void Stretch(const Bitmap& source, Bitmap& destination, FilterFunction filter, float support) {
    if (source.Width() < 1 || source.Height() < 1) throw std::invalid_argument("Source bitmap too small");
    if (destination.Format() != PixelFormat::Bits24 && destination.Format() != PixelFormat::Bits32) {
        destination.SetFormat(PixelFormat::Bits24);
    }
    if (destination.IsEmpty()) return;
    const bool needsConversion = source.Format() != PixelFormat::Bits24;
    const Bitmap converted = needsConversion ? ConvertToBgr24(source) : Bitmap();
    Bitmap intermediate(destination.Width(), source.Height(), PixelFormat::Bits24);
    FilterRows(needsConversion ? converted : source,
               PackTaps(BuildContributors(destination.Width(), source.Width(), filter, support)), intermediate);
    FilterColumns(intermediate, PackTaps(BuildContributors(destination.Height(), source.Height(), filter, support)),
                  destination);
}

// Source pixel under the centre of destination pixel i of `destinationSize`.
static std::vector<int> NearestSourceIndexes(int destinationSize, int sourceSize) {
    std::vector<int> indexes(static_cast<std::size_t>(destinationSize));
    for (int i = 0; i < destinationSize; ++i) {
        indexes[static_cast<std::size_t>(i)] =
            static_cast<int>((2 * std::int64_t{i} + 1) * sourceSize / (2 * std::int64_t{destinationSize}));
    }
    return indexes;
}

static void CopyNearestRow(const std::uint8_t* source, std::uint8_t* target, const std::vector<int>& columns,
                           int bits) {
    if (bits < 8) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            SetPackedIndex(target, static_cast<int>(x), bits, PackedIndex(source, columns[x], bits));
        }
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(bits) / 8;
    for (std::size_t x = 0; x < columns.size(); ++x) {
        std::memcpy(target + x * bytes, source + static_cast<std::size_t>(columns[x]) * bytes, bytes);
    }
}

void StretchNearest(const Bitmap& source, Bitmap& destination) {
    destination.SetFormat(source.Format());
    destination.SetPalette(source.GetPalette());
    if (source.IsEmpty()) return;
    const std::vector<int> columns = NearestSourceIndexes(destination.Width(), source.Width());
    const std::vector<int> rows = NearestSourceIndexes(destination.Height(), source.Height());
    const int bits = BitsPerPixel(source.Format());
    for (int y = 0; y < destination.Height(); ++y) {
        CopyNearestRow(source.Row(rows[static_cast<std::size_t>(y)]), destination.Row(y), columns, bits);
    }
}

float FitRatio(int width, int height, int maxWidth, int maxHeight) {
    if (width <= 0 || height <= 0) return 1.0f;
    const float a = static_cast<float>(maxWidth) / static_cast<float>(width);
    const float b = static_cast<float>(maxHeight) / static_cast<float>(height);
    return a < b ? a : b;
}

// round(size × ratio) half to even; the product is exact in double.
static int ScaledSide(int size, float ratio) {
    const double scaled = std::nearbyint(static_cast<double>(size) * static_cast<double>(ratio));
    return static_cast<int>(std::clamp(scaled, 1.0, static_cast<double>(kMaxBitmapSide)));
}

bool FitBitmap(Bitmap& bitmap, int maxWidth, int maxHeight, bool smooth) {
    const float ratio = FitRatio(bitmap.Width(), bitmap.Height(), maxWidth, maxHeight);
    if (ratio == 1.0f || bitmap.IsEmpty()) return true;
    Bitmap fitted(ScaledSide(bitmap.Width(), ratio), ScaledSide(bitmap.Height(), ratio), bitmap.Format());
    if (smooth) {
        Stretch(bitmap, fitted, Lanczos3Filter, 3.0f);
    } else {
        StretchNearest(bitmap, fitted);
    }
    bitmap = std::move(fitted);
    return true;
}

}  // namespace velvora
