// Block coding speed against LZ4 and memcpy on the same inputs, in one process: the
// project's sources as text, a Windows DLL, and JPEG photo data. Ends with the goal lines.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <lz4.h>

#include "compression/LZRW1KH.h"
#include "support/JpegEncoder.h"

namespace {

namespace fs = std::filesystem;
using velvora::MaxBlockInput;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ProjectSources() {
    std::vector<fs::path> files;
    for (const char* folder : {"src", "tests", "tools", "bench", "viewer"}) {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELVORA_SOURCE_DIR) / folder, error)) {
            const auto extension = entry.path().extension();
            if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h")) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    Bytes text;
    for (const auto& file : files) {
        const Bytes bytes = ReadFileBytes(file);
        text.insert(text.end(), bytes.begin(), bytes.end());
    }
    return text;
}

// The largest DLL of at most 4 MB that the mingw-w64 packages install: about the size of
// the programs the tool carries, and quick to run.
constexpr std::uintmax_t MaxProgramSize = 4 << 20;

Bytes WindowsProgram(std::string& name) {
    fs::path largest;
    for (const char* root : {"/usr/x86_64-w64-mingw32", "/usr/lib/gcc/x86_64-w64-mingw32"}) {
        std::error_code error;
        if (!fs::is_directory(root, error)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
            if (entry.is_regular_file() && entry.path().extension() == ".dll" && entry.file_size() <= MaxProgramSize &&
                (largest.empty() || entry.file_size() > fs::file_size(largest)))
                largest = entry.path();
        }
    }
    if (largest.empty()) throw std::runtime_error("no mingw-w64 DLL found");
    name = largest.filename().string();
    return ReadFileBytes(largest);
}

// A 1600 x 1200 picture with smooth shapes and sensor-like noise, saved at quality 92.
Bytes JpegPhoto() {
    std::mt19937 random(3);
    const std::string jpeg =
        velvora::testing::EncodeJpeg(1600, 1200, 3, [&random](int x, int y, std::uint8_t* out) {
            for (int c = 0; c < 3; ++c) {
                const int shade = (x * (c + 1) / 7 + y / (c + 2) + (x * y / 900) % 60) % 256;
                out[c] = static_cast<std::uint8_t>(std::clamp(shade + static_cast<int>(random() % 25) - 12, 0, 255));
            }
        }, {.quality = 92});
    return Bytes(jpeg.begin(), jpeg.end());
}

// One codec over whole records: the input cut into blocks of MaxBlockInput bytes.
struct Codec {
    std::string name;
    std::function<std::size_t(const std::uint8_t*, std::size_t, std::uint8_t*, std::size_t)> compress;
    std::function<std::size_t(const std::uint8_t*, std::size_t, std::uint8_t*, std::size_t)> decompress;
};

const std::vector<Codec>& Codecs() {
    static const std::vector<Codec> codecs = {
        {"LZRW1KH",
         [](const std::uint8_t* in, std::size_t n, std::uint8_t* out, std::size_t capacity) {
             return velvora::CompressBlock({in, n}, {out, capacity});
         },
         [](const std::uint8_t* in, std::size_t m, std::uint8_t* out, std::size_t capacity) {
             return velvora::DecompressBlock({in, m}, {out, capacity});
         }},
        {"LZ4",
         [](const std::uint8_t* in, std::size_t n, std::uint8_t* out, std::size_t capacity) {
             return static_cast<std::size_t>(LZ4_compress_default(reinterpret_cast<const char*>(in),
                                                                  reinterpret_cast<char*>(out), static_cast<int>(n),
                                                                  static_cast<int>(capacity)));
         },
         [](const std::uint8_t* in, std::size_t m, std::uint8_t* out, std::size_t capacity) {
             return static_cast<std::size_t>(LZ4_decompress_safe(reinterpret_cast<const char*>(in),
                                                                 reinterpret_cast<char*>(out), static_cast<int>(m),
                                                                 static_cast<int>(capacity)));
         }},
        {"memcpy",
         [](const std::uint8_t* in, std::size_t n, std::uint8_t* out, std::size_t) {
             std::memcpy(out, in, n);
             return n;
         },
         [](const std::uint8_t* in, std::size_t m, std::uint8_t* out, std::size_t) {
             std::memcpy(out, in, m);
             return m;
         }},
    };
    return codecs;
}

constexpr std::size_t AreaSize = 40000;  // holds any block of any codec here

std::vector<Bytes> CompressAll(const Codec& codec, const Bytes& input) {
    std::vector<Bytes> blocks;
    Bytes area(AreaSize);
    for (std::size_t at = 0; at < input.size(); at += MaxBlockInput) {
        const std::size_t n = std::min(MaxBlockInput, input.size() - at);
        const std::size_t m = codec.compress(input.data() + at, n, area.data(), area.size());
        blocks.emplace_back(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(m));
    }
    return blocks;
}

// Guards the figures: a codec that does not give its input back has no speed.
void CheckRoundTrip(const Codec& codec, const std::vector<Bytes>& blocks, const Bytes& input) {
    Bytes decoded, area(AreaSize);
    for (const Bytes& block : blocks) {
        const std::size_t n = codec.decompress(block.data(), block.size(), area.data(), area.size());
        decoded.insert(decoded.end(), area.begin(), area.begin() + static_cast<std::ptrdiff_t>(n));
    }
    if (decoded != input) throw std::runtime_error(codec.name + " does not round-trip");
}

struct Input {
    std::string name;
    Bytes bytes;
};

std::string BenchName(const std::string& direction, const Input& input, const Codec& codec) {
    return direction + "/" + input.name + "/" + codec.name;
}

void RegisterBenchmarks(const std::vector<Input>& inputs, std::map<std::string, double>& compressedShare) {
    for (const Input& input : inputs) {
        for (const Codec& codec : Codecs()) {
            const auto blocks = std::make_shared<std::vector<Bytes>>(CompressAll(codec, input.bytes));
            CheckRoundTrip(codec, *blocks, input.bytes);
            std::size_t compressed = 0;
            for (const Bytes& block : *blocks) compressed += block.size();
            compressedShare[input.name + "/" + codec.name] = double(compressed) / double(input.bytes.size());

            const Bytes* bytes = &input.bytes;
            benchmark::RegisterBenchmark(BenchName("compress", input, codec).c_str(), [&codec, bytes](auto& state) {
                Bytes area(AreaSize);
                for (auto _ : state) {
                    for (std::size_t at = 0; at < bytes->size(); at += MaxBlockInput) {
                        const std::size_t n = std::min(MaxBlockInput, bytes->size() - at);
                        benchmark::DoNotOptimize(codec.compress(bytes->data() + at, n, area.data(), area.size()));
                    }
                    benchmark::ClobberMemory();
                }
                state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
            });
            benchmark::RegisterBenchmark(BenchName("decompress", input, codec).c_str(),
                                         [&codec, blocks, bytes](auto& state) {
                                             Bytes area(AreaSize);
                                             for (auto _ : state) {
                                                 for (const Bytes& block : *blocks)
                                                     benchmark::DoNotOptimize(codec.decompress(
                                                         block.data(), block.size(), area.data(), area.size()));
                                                 benchmark::ClobberMemory();
                                             }
                                             state.SetBytesProcessed(
                                                 static_cast<std::int64_t>(state.iterations() * bytes->size()));
                                         });
        }
    }
}

// Keeps the median speed of every benchmark (or its single run) while the console
// reporter prints as usual.
class SpeedCollector : public benchmark::ConsoleReporter {
public:
    // Plain text, so that runs can be compared line by line.
    SpeedCollector() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (run.error_occurred || rate == run.counters.end()) continue;
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                speeds[name] = rate->second;
            else if (run.run_type == Run::RT_Iteration && !speeds.count(name))
                speeds[name] = rate->second;
        }
    }
    std::map<std::string, double> speeds;
};

void PrintGoal(const char* name, double measured, double target) {
    std::printf("goal %s: measured %.2f, target %.2f, %s\n", name, measured, target,
                measured >= target ? "met" : "missed");
}

void PrintSummary(const std::vector<Input>& inputs, const std::map<std::string, double>& speeds,
                  const std::map<std::string, double>& compressedShare) {
    if (speeds.size() != inputs.size() * Codecs().size() * 2) {
        std::printf("\nno summary: it needs every benchmark (run without a filter)\n");
        return;
    }
    const auto speed = [&](const std::string& key) { return speeds.at(key) / 1e6; };
    std::printf("\n%-8s %-8s %10s %12s %14s %11s\n", "input", "codec", "size", "compressed", "compress MB/s",
                "decode MB/s");
    for (const Input& input : inputs)
        for (const Codec& codec : Codecs())
            std::printf("%-8s %-8s %10zu %11.1f%% %14.0f %11.0f\n", input.name.c_str(), codec.name.c_str(),
                        input.bytes.size(), 100 * compressedShare.at(input.name + "/" + codec.name),
                        speed("compress/" + input.name + "/" + codec.name),
                        speed("decompress/" + input.name + "/" + codec.name));
    std::printf("\n");
    for (const Input& input : inputs)
        for (const char* direction : {"compress", "decompress"})
            std::printf("ratio %s %s LZRW1KH/LZ4: %.2f\n", direction, input.name.c_str(),
                        speed(std::string(direction) + "/" + input.name + "/LZRW1KH") /
                            speed(std::string(direction) + "/" + input.name + "/LZ4"));
    std::printf("\n");
    const double compressRatio = speed("compress/text/LZRW1KH") / speed("compress/text/LZ4");
    const double decompressRatio = speed("decompress/text/LZRW1KH") / speed("decompress/text/LZ4");
    PrintGoal("compress_text_vs_lz4", compressRatio, 0.5);
    PrintGoal("decompress_text_vs_lz4", decompressRatio, 0.35);
}

}  // namespace

int main(int argc, char** argv) {
    velvora::InitLzrw1KH();
    std::string dllName;
    std::vector<Input> inputs = {{"text", ProjectSources()}, {"exe", {}}, {"jpeg", JpegPhoto()}};
    inputs[1].bytes = WindowsProgram(dllName);
    std::printf("inputs: text %zu bytes of project sources, exe %s (%zu bytes), jpeg %zu bytes\n",
                inputs[0].bytes.size(), dllName.c_str(), inputs[1].bytes.size(), inputs[2].bytes.size());

    std::map<std::string, double> compressedShare;
    RegisterBenchmarks(inputs, compressedShare);
    benchmark::Initialize(&argc, argv);
    SpeedCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintSummary(inputs, collector.speeds, compressedShare);
    benchmark::Shutdown();
    return 0;
}
