// LZRW1-KH block decoding. Free of exceptions and allocation, so that the stub, which is
// built without the C++ runtime's exception support, decodes with the same code as the tool.
#include <algorithm>
#include <bit>
#include <cstring>

#include "compression/LZRW1KHFormat.h"

namespace velvora {

namespace {

using namespace lzrw1kh;

// Copies a back-reference as if one byte after the other in increasing order, so that an
// offset shorter than the length repeats the pattern. Each 8-byte piece reads only bytes
// already written, which gives the same result.
void CopyMatch(std::uint8_t* output, std::size_t y, std::size_t offset, std::size_t length, std::size_t capacity) {
    std::uint8_t* to = output + y;
    const std::uint8_t* from = to - offset;
    if (y + 24 <= capacity) {
        // Offsets below 8 (indentation, runs shorter than 16): lay down the first word
        // byte by byte, then copy words from a whole number of periods back.
        const std::size_t back = offset >= 8 ? offset : offset * ((8 + offset - 1) / offset);
        if (offset < 8)
            for (std::size_t i = 0; i < 8; ++i) to[i] = from[i];
        else
            std::memcpy(to, from, 8);
        std::memcpy(to + 8, to + 8 - back, 8);
        if (length > 16) std::memcpy(to + 16, to + 16 - back, 8);
        return;
    }
    for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
}

// The next eight bytes of a pattern of period `offset` (1 to 7) after the eight in `word`.
// Byte i of the next word is byte (8 + i) mod offset of the pattern: the word shifted by
// r = 8 mod offset bytes, topped up from its own start since 8 - r is a whole number of
// periods (r is at most 3, so the bytes taken are all valid).
std::uint64_t NextPatternWord(std::uint64_t word, std::size_t offset) {
    const std::size_t r = 8 % offset;
    if (r == 0) return word;
    const std::uint64_t shifted = word >> (8 * r);
    return shifted | shifted << (64 - 8 * r);
}

// A back-reference of offset 1 to 7 as 24 bytes of its repeating pattern, built in
// registers: reading back bytes just stored would stall on every word.
void CopyShortOffset(std::uint8_t* to, std::size_t offset) {
    std::uint64_t word = Load64(to - offset);  // the first `offset` bytes count
    for (std::size_t valid = offset; valid < 8; valid *= 2)
        word = (word & ((std::uint64_t{1} << (8 * valid)) - 1)) | word << (8 * valid);
    Store64(to, word);
    word = NextPatternWord(word, offset);
    Store64(to + 8, word);
    Store64(to + 16, NextPatternWord(word, offset));
}

// A group may be decoded without per-item checks when the block holds this much more
// (16 runs of 4 bytes plus the 16-byte literal copy) ...
constexpr std::size_t FastGroupInput = ItemsPerGroup * 4 + 16;
// ... and the output area this much more: 16 items of at most MaxMatch bytes, plus the
// 24 bytes the last copy may write.
constexpr std::size_t FastGroupOutput = ItemsPerGroup * MaxMatch + 24;

// Decodes one group of 16 items. `bits` holds the control word in its top 16 bits and a
// stop bit below them, so counting its leading zeros gives the literals before the next
// copy item; they are copied 16 bytes at a time. On entry the block holds
// FastGroupInput and the output area FastGroupOutput more bytes; since every item uses at
// most 4 of the first and MaxMatch of the second, that stays true for the items left and
// no item needs a bounds check of its own. A run is the exception: one that would leave
// too little output area returns with `bits` and `left` still at that run, for the
// checked path to decode it. Returns why the block is damaged, or nullptr.
const char* DecodeFastGroup(const std::uint8_t* src, std::size_t& x, std::uint8_t* out, std::size_t& y,
                            std::size_t limit, std::uint32_t& bits, unsigned& left) {
    for (;;) {
        const auto literals = static_cast<unsigned>(std::countl_zero(bits));  // at most left
        std::memcpy(out + y, src + x, 16);
        x += literals;
        y += literals;
        left -= literals;
        if (left == 0) return nullptr;
        const std::size_t offset = static_cast<std::size_t>(src[x]) << 4 | src[x + 1] >> 4;
        std::uint8_t* to = out + y;
        if (offset >= 8) {
            if (offset > y) return "offset before the output start";
            const std::size_t length = (src[x + 1] & 0x0Fu) + MinMatch;
            const std::uint8_t* from = to - offset;
            // In increasing order, each word reading only bytes already final.
            Store64(to, Load64(from));
            Store64(to + 8, Load64(from + 8));
            if (length > 16) Store64(to + 16, Load64(from + 16));
            y += length;
            x += 2;
        } else if (offset != 0) {
            if (offset > y) return "offset before the output start";
            CopyShortOffset(to, offset);
            y += (src[x + 1] & 0x0Fu) + MinMatch;
            x += 2;
        } else {
            const std::size_t count = (static_cast<std::size_t>(src[x + 1]) << 8 | src[x + 2]) + MinRun;
            if (count > limit - y || limit - y - count < FastGroupOutput) {
                bits <<= literals;
                return nullptr;
            }
            std::memset(to, src[x + 3], count);
            y += count;
            x += 4;
        }
        bits <<= literals + 1;
        --left;
    }
}

// One item with every length and offset checked against the block and the output area;
// returns why the block is damaged, or nullptr.
const char* DecodeCheckedItem(std::span<const std::uint8_t> block, std::size_t& x, std::span<std::uint8_t> output,
                              std::size_t limit, std::size_t& y, bool isCopy) {
    const std::uint8_t* src = block.data();
    std::uint8_t* out = output.data();
    const std::size_t m = block.size();
    if (!isCopy) {
        if (y >= limit) return "output past the output area";
        out[y++] = src[x++];
        return nullptr;
    }
    if (m - x < 2) return "item cut off at the block end";
    const std::size_t offset = static_cast<std::size_t>(src[x]) << 4 | src[x + 1] >> 4;
    if (offset == 0) {
        if (m - x < 4) return "item cut off at the block end";
        const std::size_t count = (static_cast<std::size_t>(src[x + 1]) << 8 | src[x + 2]) + MinRun;
        if (count > limit - y) return "output past the output area";
        std::memset(out + y, src[x + 3], count);
        y += count;
        x += 4;
        return nullptr;
    }
    const std::size_t length = (src[x + 1] & 0x0Fu) + MinMatch;
    if (offset > y) return "offset before the output start";
    if (length > limit - y) return "output past the output area";
    CopyMatch(out, y, offset, length, output.size());
    y += length;
    x += 2;
    return nullptr;
}

}  // namespace

BlockDecoding DecodeBlock(std::span<const std::uint8_t> block, std::span<std::uint8_t> output) noexcept {
    const std::size_t m = block.size();
    if (m == 0) return {0, "empty"};
    if (m > MaxBlockLength) return {0, "too long"};
    const std::uint8_t* src = block.data();
    std::uint8_t* out = output.data();
    const std::size_t capacity = output.size();
    const std::size_t limit = std::min(capacity, MaxBlockInput);
    if (src[0] == FlagStored) {
        if (m - 1 > limit) return {0, "output past the output area"};
        if (m > 1) std::memcpy(out, src + 1, m - 1);
        return {m - 1, nullptr};
    }
    // Too short to hold an item: decodes to nothing.
    if (m <= 1 + ControlWordSize) return {0, nullptr};

    // The control word sits in the top 16 bits, above a stop bit (see DecodeFastGroup).
    const auto controlBits = [src](std::size_t at) {
        return static_cast<std::uint32_t>(src[at] << 8 | src[at + 1]) << 16 | 0x8000u;
    };
    std::uint32_t bits = controlBits(1);
    unsigned left = ItemsPerGroup;
    std::size_t x = 1 + ControlWordSize;
    std::size_t y = 0;
    while (x < m) {
        if (left == 0) {
            // A control word is written only when an item follows it.
            if (m - x < ControlWordSize + 1) return {y, "item cut off at the block end"};
            bits = controlBits(x);
            x += ControlWordSize;
            left = ItemsPerGroup;
        }
        if (left == ItemsPerGroup && m - x >= FastGroupInput && limit - y >= FastGroupOutput) {
            if (const char* damage = DecodeFastGroup(src, x, out, y, limit, bits, left)) return {y, damage};
            // Otherwise it stopped at a run for the checked path.
            if (left == 0) continue;
        }
        const bool isCopy = (bits >> 31) != 0;
        bits <<= 1;
        --left;
        if (const char* damage = DecodeCheckedItem(block, x, output, limit, y, isCopy)) return {y, damage};
    }
    return {y, nullptr};
}

}  // namespace velvora
