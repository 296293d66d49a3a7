// Block coding: hand-worked golden blocks, the size limits, round trips, damaged blocks.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compression/LZRW1KH.h"

namespace velvora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const Bytes& input) {
    Bytes output(input.size() + CompressSlack);
    output.resize(CompressBlock(input, output));
    return output;
}

Bytes Decompress(const Bytes& block, std::size_t capacity = MaxBlockInput) {
    Bytes output(capacity);
    output.resize(DecompressBlock(block, output));
    return output;
}

Bytes Repeat(std::size_t count, std::uint8_t value) { return Bytes(count, value); }

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// Text with repeats, short and long runs, and noise, so that every kind of item occurs.
Bytes MixedData(std::size_t count) {
    std::mt19937 random(7);
    Bytes bytes;
    while (bytes.size() < count) {
        switch (random() % 4) {
            case 0: bytes = Concat(bytes, Text("the slide show of the summer ")); break;
            case 1: bytes = Concat(bytes, Repeat(random() % 40, static_cast<std::uint8_t>(random()))); break;
            case 2: bytes = Concat(bytes, RandomBytes(random() % 30, static_cast<unsigned>(random()))); break;
            default: {
                const std::size_t back = bytes.empty() ? 0 : random() % bytes.size();
                const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(back);
                bytes = Concat(bytes, Bytes(from, from + static_cast<std::ptrdiff_t>((bytes.size() - back) % 20)));
            }
        }
    }
    bytes.resize(count);
    return bytes;
}

// The encoder as plainly written: one byte at a time, every step in the reference order.
// The product encoder compares words and avoids branches; both must give the same bytes.
Bytes ReferenceCompress(const Bytes& in) {
    const std::size_t n = in.size();
    std::vector<std::int16_t> table(4096, -1);
    Bytes out(n + CompressSlack);
    out[0] = 0x40;
    std::size_t x = 0, y = 3, z = 1;
    unsigned bit = 0;
    std::uint16_t command = 0;
    while (x < n && y <= n) {
        if (bit > 15) {
            out[z] = command >> 8, out[z + 1] = command & 0xFF;
            z = y, y += 2, bit = 0;
        }
        std::size_t size = 1;
        while (size < 4095 && x + size < n && in[x] == in[x + size]) ++size;
        if (size >= 16) {
            out[y] = 0, out[y + 1] = (size - 16) >> 8, out[y + 2] = (size - 16) & 0xFF, out[y + 3] = in[x];
            y += 4, x += size, command = static_cast<std::uint16_t>(command * 2 + 1);
        } else {
            const std::uint32_t b1 = x + 1 < n ? in[x + 1] : 0, b2 = x + 2 < n ? in[x + 2] : 0;
            const std::uint32_t h = ((((in[x] * 16u) ^ b1) * 16u ^ b2) * 40543u >> 4) & 0x0FFF;
            const int p = table[h];
            std::size_t length = 0;
            if (p != -1 && static_cast<int>(x) - p < 4096)
                while (length < 18 && x + length < n && in[x + length] == in[p + length]) ++length;
            table[h] = static_cast<std::int16_t>(x);
            if (length >= 3) {
                const std::size_t key = (x - p) * 16 + (length - 3);
                out[y] = static_cast<std::uint8_t>(key >> 8), out[y + 1] = key & 0xFF;
                y += 2, x += length, command = static_cast<std::uint16_t>(command * 2 + 1);
            } else {
                out[y++] = in[x++], command = static_cast<std::uint16_t>(command * 2);
            }
        }
        ++bit;
    }
    command = static_cast<std::uint16_t>(command << (16 - bit));
    out[z] = command >> 8, out[z + 1] = command & 0xFF;
    if (y > n) return Concat({0x80}, in);
    out.resize(y);
    return out;
}

struct Golden {
    const char* name;
    Bytes input;
    Bytes block;
};

TEST(LZRW1KHTest, CompressBlock_GivesHandWorkedBlocks) {
    const std::vector<Golden> cases = {
        {"empty", {}, {0x80}},
        {"one byte", {0x61}, {0x80, 0x61}},
        {"two bytes", {0x61, 0x62}, {0x80, 0x61, 0x62}},
        // A run of 15 is no run item: a literal, then offset 1 length 14.
        {"run of 15", Concat(Repeat(15, 'a'), Text("b")), {0x40, 0x40, 0x00, 'a', 0x00, 0x1B, 'b'}},
        {"overlapping match", Text("abcabcabc"), {0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33}},
        {"run of 20 then literals", Concat(Repeat(20, 0), Text("xyz")),
         {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 0x00, 'x', 'y', 'z'}},
        // An 18-byte match, then one cut short by the block end.
        {"longest match", Text("abcdefghabcdefghabcdefghabcdefgh"),
         {0x40, 0x00, 0xC0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00, 0x8F, 0x01, 0x83}},
        {"4095 equal bytes", Repeat(4095, 'q'), {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'q'}},
        {"4096 equal bytes", Repeat(4096, 'q'), {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'q', 'q'}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compress(c.input), c.block) << c.name;
        EXPECT_EQ(Decompress(c.block), c.input) << c.name;
    }
}

TEST(LZRW1KHTest, CompressBlock_StartsSecondControlWordAfterSixteenItems) {
    Bytes input;
    Bytes expected = {0x40, 0xFF, 0xFF};
    for (std::uint8_t value = 0; value < 17; ++value) {
        input = Concat(input, Repeat(16, value));
        if (value == 16) expected = Concat(expected, {0x80, 0x00});
        expected = Concat(expected, {0x00, 0x00, 0x00, value});
    }
    EXPECT_EQ(Compress(input), expected);
}

// Positions from 32768 on read back negative from the table and are never match sources,
// so the repeating tail of a full block stays literals.
TEST(LZRW1KHTest, CompressBlock_NeverMatchesAgainstLastFifteenPositions) {
    const Bytes input = Concat(Repeat(32768, 0), Text("abcabcabcabcabc"));
    ASSERT_EQ(input.size(), MaxBlockInput);
    Bytes expected = {0x40, 0xFF, 0x40};
    for (int i = 0; i < 8; ++i) expected = Concat(expected, {0x00, 0x0F, 0xEF, 0x00});
    expected = Concat(expected, {0x00, 0x00, 0x14});
    expected = Concat(expected, Text("abcabc"));
    expected = Concat(expected, {0x00, 0x00});
    expected = Concat(expected, Text("abcabcabc"));
    EXPECT_EQ(Compress(input), expected);
}

TEST(LZRW1KHTest, CompressBlock_MatchesPlainReferenceEncoder) {
    const Bytes mixed = MixedData(MaxBlockInput);
    Bytes lowEntropy = RandomBytes(MaxBlockInput, 5);
    for (auto& byte : lowEntropy) byte &= 0x03;
    for (const Bytes* data : {&mixed, static_cast<const Bytes*>(&lowEntropy)}) {
        for (std::size_t n = 0; n <= MaxBlockInput; n += n < 64 ? 1 : 1009) {
            const Bytes input(data->begin(), data->begin() + static_cast<std::ptrdiff_t>(n));
            ASSERT_EQ(Compress(input), ReferenceCompress(input)) << n;
        }
        ASSERT_EQ(Compress(*data), ReferenceCompress(*data));
    }
}

TEST(LZRW1KHTest, CompressBlock_StoresIncompressibleFullBlock) {
    const Bytes input = RandomBytes(MaxBlockInput, 1);
    const Bytes block = Compress(input);
    ASSERT_EQ(block.size(), MaxBlockLength);
    EXPECT_EQ(block[0], FlagStored);
    EXPECT_EQ(Decompress(block), input);
}

TEST(LZRW1KHTest, CompressBlock_RejectsOversizedInputAndSmallOutput) {
    Bytes output(MaxBlockLength + CompressSlack);
    EXPECT_THROW(CompressBlock(Bytes(MaxBlockInput + 1), output), std::invalid_argument);
    Bytes small(104);
    EXPECT_THROW(CompressBlock(Bytes(100), small), std::invalid_argument);
}

TEST(LZRW1KHTest, RoundTrip_EverySizeClass) {
    const Bytes data = MixedData(MaxBlockInput);
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 300; ++n) sizes.push_back(n);
    for (std::size_t n = 301; n < MaxBlockInput; n += 97) sizes.push_back(n);
    for (std::size_t n = MaxBlockInput - 40; n <= MaxBlockInput; ++n) sizes.push_back(n);
    for (const std::size_t n : sizes) {
        const Bytes input(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
        const Bytes block = Compress(input);
        ASSERT_LE(block.size(), n + 1) << n;
        ASSERT_EQ(Decompress(block), input) << n;
    }
}

TEST(LZRW1KHTest, DecompressBlock_TreatsOtherFlagsAsCompressedAndShortBlocksAsEmpty) {
    EXPECT_EQ(Decompress({0x00, 0x00, 0x00, 'x'}), Text("x"));
    EXPECT_EQ(Decompress({0x40}), Bytes());
    EXPECT_EQ(Decompress({0x40, 0x80}), Bytes());
    EXPECT_EQ(Decompress({0x40, 0x80, 0x00}), Bytes());
}

TEST(LZRW1KHTest, DecompressBlock_RejectsDamagedBlocks) {
    const Bytes sixteenLiterals = Concat({0x40, 0x00, 0x00}, Repeat(16, 'z'));
    Bytes tenRuns = {0x40, 0xFF, 0xC0};
    for (int i = 0; i < 10; ++i) tenRuns = Concat(tenRuns, {0x00, 0x0F, 0xEF, 0x01});
    const struct {
        const char* name;
        Bytes block;
        std::size_t capacity;
    } cases[] = {
        {"empty", {}, MaxBlockInput},
        {"longer than a stored full block", Concat({FlagStored}, Bytes(MaxBlockInput + 1)), 40000},
        {"stored block larger than the output", {FlagStored, 1, 2, 3, 4, 5}, 4},
        {"offset before the output start", {0x40, 0x40, 0x00, 'a', 0x00, 0x2F}, MaxBlockInput},
        {"back-reference cut off", {0x40, 0x80, 0x00, 0x00}, MaxBlockInput},
        {"run cut off", {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF}, MaxBlockInput},
        {"control word cut off", Concat(sixteenLiterals, {0x00}), MaxBlockInput},
        {"control word without item", Concat(sixteenLiterals, {0x00, 0x00}), MaxBlockInput},
        {"run past the output", {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'q'}, 100},
        {"literal past the output", {0x40, 0x00, 0x00, 'a', 'b', 'c'}, 2},
        {"copy past the output", {0x40, 0x40, 0x00, 'a', 0x00, 0x1F}, 10},
        {"runs past the largest block", tenRuns, 50000},
    };
    for (const auto& c : cases) {
        Bytes output(c.capacity);
        EXPECT_THROW(DecompressBlock(c.block, output), ELzrw1KHCompressor) << c.name;
    }
}

TEST(LZRW1KHTest, DecompressBlock_KeepsBytesDecodedBeforeDamage) {
    Bytes output(MaxBlockInput, 0xEE);
    EXPECT_THROW(DecompressBlock(Bytes{0x40, 0x20, 0x00, 'h', 'i', 0x01, 0x00}, output), ELzrw1KHCompressor);
    EXPECT_EQ(output[0], 'h');
    EXPECT_EQ(output[1], 'i');
}

}  // namespace
}  // namespace velvora
