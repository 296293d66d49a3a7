// Block coding: hand-worked golden blocks, pinned output over every size class, damaged blocks.
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>

#include "compression/LZRW1KH.h"

namespace velvora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const Bytes& input) {
    Bytes output(input.size() + CompressSlack);
    output.resize(CompressBlock(input, output));
    return output;
}

Bytes Decompress(const Bytes& block) {
    Bytes output(MaxBlockInput);
    output.resize(DecompressBlock(block, output));
    return output;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes RandomBytes(std::size_t count, unsigned seed, std::uint8_t mask = 0xFF) {
    std::mt19937 random(seed);
    Bytes bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random()) & mask;
    return bytes;
}

// Text, runs, noise and copies of earlier bytes, so that every kind of item occurs.
Bytes MixedData(std::size_t count) {
    std::mt19937 random(7);
    const std::string text = "the slide show of the summer ";
    Bytes bytes;
    while (bytes.size() < count) {
        const std::size_t kind = random() % 4, length = random() % 40, from = random() % (bytes.size() + 1);
        for (std::size_t i = 0; i < length; ++i) {
            bytes.push_back(kind == 0                 ? text[i % text.size()]
                            : kind == 1               ? static_cast<std::uint8_t>(from)
                            : kind == 2               ? static_cast<std::uint8_t>(random())
                            : from + i < bytes.size() ? bytes[from + i]
                                                      : 0);
        }
    }
    bytes.resize(count);
    return bytes;
}

// How each kind of item is coded; the digest below pins the blocks of the smallest sizes too.
TEST(LZRW1KHTest, CompressBlock_GivesHandWorkedBlocks) {
    // Seventeen runs: the seventeenth item opens a second control word.
    Bytes runs, runBlock = {0x40, 0xFF, 0xFF};
    for (std::uint8_t value = 0; value < 17; ++value) {
        runs = Concat(runs, Bytes(16, value));
        if (value == 16) runBlock = Concat(runBlock, {0x80, 0x00});
        runBlock = Concat(runBlock, {0x00, 0x00, 0x00, value});
    }
    // Positions from 32768 on read back negative from the table and are never match sources,
    // so the repeating tail of a full block stays literals.
    const Bytes tail = Concat(Bytes(32768, 0), Text("abcabcabcabcabc"));
    Bytes tailBlock = {0x40, 0xFF, 0x40};
    for (int i = 0; i < 8; ++i) tailBlock = Concat(tailBlock, {0x00, 0x0F, 0xEF, 0x00});
    tailBlock = Concat(tailBlock, {0x00, 0x00, 0x14, 'a', 'b', 'c', 'a', 'b', 'c', 0x00, 0x00});
    tailBlock = Concat(tailBlock, Text("abcabcabc"));
    const Bytes noise = RandomBytes(MaxBlockInput, 1);
    const struct {
        const char* name;
        Bytes input;
        Bytes block;
    } cases[] = {
        // A run of 15 is no run item: a literal, then offset 1 length 14.
        {"run of 15", Concat(Bytes(15, 'a'), Text("b")), {0x40, 0x40, 0x00, 'a', 0x00, 0x1B, 'b'}},
        {"overlapping match", Text("abcabcabc"), {0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33}},
        {"run of 20 then literals",
         Concat(Bytes(20, 0), Text("xyz")),
         {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 0x00, 'x', 'y', 'z'}},
        // An 18-byte match, then one cut short by the block end.
        {"longest match",
         Text("abcdefghabcdefghabcdefghabcdefgh"),
         {0x40, 0x00, 0xC0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00, 0x8F, 0x01, 0x83}},
        {"4095 equal bytes", Bytes(4095, 'q'), {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'q'}},
        {"4096 equal bytes", Bytes(4096, 'q'), {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'q', 'q'}},
        {"second control word", runs, runBlock},
        {"last fifteen positions", tail, tailBlock},
        {"noise stored as 32784 bytes", noise, Concat({FlagStored}, noise)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compress(c.input), c.block) << c.name;
        EXPECT_EQ(Decompress(c.block), c.input) << c.name;
    }
}

// FNV-1a over the blocks of every size class of two kinds of data, taken when the word-sized
// encoder was checked byte for byte against a plain one: any changed output byte fails here.
TEST(LZRW1KHTest, RoundTrip_EverySizeClassWithPinnedOutput) {
    std::uint64_t digest = 0xCBF29CE484222325u;
    for (const Bytes& data : {MixedData(MaxBlockInput), RandomBytes(MaxBlockInput, 5, 0x03)}) {
        for (std::size_t n = 0; n <= MaxBlockInput; n += n < 300 || n > MaxBlockInput - 40 ? 1 : 97) {
            const Bytes input(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
            const Bytes block = Compress(input);
            ASSERT_LE(block.size(), n + 1) << n;
            ASSERT_EQ(Decompress(block), input) << n;
            for (const std::uint8_t byte : block) digest = (digest ^ byte) * 0x100000001B3u;
        }
    }
    EXPECT_EQ(digest, 0x590FFD1ECE5C4F8Cu);
}

TEST(LZRW1KHTest, OversizedInputSmallOutputAndDamagedBlocksAreRejected) {
    Bytes large(MaxBlockLength + CompressSlack), small(104);
    EXPECT_THROW(CompressBlock(Bytes(MaxBlockInput + 1), large), std::invalid_argument);
    EXPECT_THROW(CompressBlock(Bytes(100), small), std::invalid_argument);
    // Not damage: any flag but the stored one means compressed, and a block too short for an
    // item is empty.
    EXPECT_EQ(Decompress({0x00, 0x00, 0x00, 'x'}), Text("x"));
    for (const Bytes& block : {Bytes{0x40}, Bytes{0x40, 0x80}, Bytes{0x40, 0x80, 0x00}})
        EXPECT_EQ(Decompress(block), Bytes());

    const Bytes sixteenLiterals = Concat({0x40, 0x00, 0x00}, Bytes(16, 'z'));
    Bytes tenRuns = {0x40, 0xFF, 0xC0};
    for (int i = 0; i < 10; ++i) tenRuns = Concat(tenRuns, {0x00, 0x0F, 0xEF, 0x01});
    const std::tuple<const char*, Bytes, std::size_t> cases[] = {
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
    for (const auto& [name, block, capacity] : cases) {
        Bytes output(capacity);
        EXPECT_THROW(DecompressBlock(block, output), ELzrw1KHCompressor) << name;
        EXPECT_NE(DecodeBlock(block, output).Damage, nullptr) << name;
    }
    // What was decoded before the damage stays, and the exception-free decoder says how much.
    const Bytes damaged = {0x40, 0x20, 0x00, 'h', 'i', 0x01, 0x00};
    Bytes output(MaxBlockInput, 0xEE);
    EXPECT_THAT(
        [&] { DecompressBlock(damaged, output); },
        ::testing::ThrowsMessage<ELzrw1KHCompressor>("LZRW1KH : damaged block (offset before the output start)"));
    EXPECT_EQ(Bytes(output.begin(), output.begin() + 2), Text("hi"));
    const BlockDecoding decoded = DecodeBlock(damaged, output);
    EXPECT_EQ(decoded.Size, 2u);
    EXPECT_STREQ(decoded.Damage, "offset before the output start");
}

}  // namespace
}  // namespace velvora
