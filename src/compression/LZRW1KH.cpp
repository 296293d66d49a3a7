// LZRW1-KH block coding. The encoder must reproduce existing blocks byte for byte, so its
// decisions follow the reference order exactly; the speed comes from word-sized compares
// that find the same lengths, never from choosing differently.
#include "compression/LZRW1KH.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace velvora {

namespace {

constexpr std::size_t HashEntries = 4096;
constexpr std::int16_t EmptyEntry = -1;
constexpr int WindowSize = 4096;
constexpr std::size_t MinMatch = 3;
constexpr std::size_t MaxMatch = 18;
constexpr std::size_t MinRun = 16;
constexpr std::size_t MaxRun = 4095;
constexpr unsigned ItemsPerGroup = 16;
constexpr std::size_t ControlWordSize = 2;

static_assert(MaxBlockInput <= 0xFFFF, "positions are kept in 16 bits");
static_assert(MaxRun - MinRun <= 0x0FFF, "a run count has 12 bits");
static_assert(MaxMatch - MinMatch <= 0x0F, "a match length has 4 bits");

// Entries are signed 16-bit positions: a position of 32768 or more reads back negative and
// fails the window test, which existing blocks depend on.
std::unique_ptr<std::int16_t[]> sharedHashTable;

std::int16_t* HashTable() {
    if (!sharedHashTable) InitLzrw1KH();
    return sharedHashTable.get();
}

[[noreturn]] void ThrowDamaged(const char* reason) {
    throw ELzrw1KHCompressor(std::string("LZRW1KH : damaged block (") + reason + ")");
}

std::uint64_t Load64(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// Number of leading bytes (in memory order) in which two words agree.
std::size_t EqualPrefixBytes(std::uint64_t a, std::uint64_t b) {
    return static_cast<std::size_t>(std::countr_zero(a ^ b)) / 8;
}

// Length of the run of input[x] starting at x, capped at MaxRun and at the block end.
std::size_t RunLength(const std::uint8_t* input, std::size_t x, std::size_t n) {
    const std::size_t limit = std::min(MaxRun, n - x);
    std::size_t size = 1;
    if (size >= limit || input[x + 1] != input[x]) return size;
    if constexpr (kLittleEndian) {
        const std::uint64_t pattern = input[x] * 0x0101010101010101ull;
        while (size + 8 <= limit) {
            const std::uint64_t word = Load64(input + x + size);
            if (word != pattern) return size + EqualPrefixBytes(word, pattern);
            size += 8;
        }
    }
    while (size < limit && input[x + size] == input[x]) ++size;
    return size;
}

std::uint32_t Hash3(std::uint32_t b0, std::uint32_t b1, std::uint32_t b2) {
    return ((((b0 << 4) ^ b1) << 4 ^ b2) * 40543u >> 4) & 0x0FFF;
}

// Length of the common prefix of input[x..] and input[p..] from `length` on, capped at
// MaxMatch and at the block end (p < x, so only x's end matters).
std::size_t MatchLength(const std::uint8_t* input, std::size_t x, std::size_t p, std::size_t n, std::size_t length) {
    const std::size_t limit = std::min(MaxMatch, n - x);
    if constexpr (kLittleEndian) {
        while (length + 8 <= limit) {
            const std::uint64_t a = Load64(input + x + length);
            const std::uint64_t b = Load64(input + p + length);
            if (a != b) return length + EqualPrefixBytes(a, b);
            length += 8;
        }
    }
    while (length < limit && input[x + length] == input[p + length]) ++length;
    return length;
}

struct Match {
    std::size_t length;  // below MinMatch: no match
    std::size_t position;
};

// Candidates are valid when the table holds a non-negative position less than a window
// back; an empty entry (-1) and positions of 32768 and more (read back negative) never are.
bool InWindow(std::size_t x, int p) { return (p >= 0) & (static_cast<int>(x) - p < WindowSize); }

// The reference search at a position near the block end: bytes past the block count as 0
// in the hash; they cannot change the result, since no match may reach past the end.
Match FindMatchNearEnd(const std::uint8_t* input, std::size_t x, std::size_t n, std::int16_t* table) {
    const std::uint32_t h = Hash3(input[x], x + 1 < n ? input[x + 1] : 0, x + 2 < n ? input[x + 2] : 0);
    const int p = table[h];
    table[h] = static_cast<std::int16_t>(x);
    if (!InWindow(x, p)) return {0, 0};
    return {MatchLength(input, x, static_cast<std::size_t>(p), n, 0), static_cast<std::size_t>(p)};
}

// The same search where x + MaxMatch <= n, given the eight bytes at x: the first eight
// bytes of both sides are compared as words, and an invalid candidate is compared as a
// certain mismatch. Returns the match length (below MinMatch: none) and its position.
std::size_t WordMatch(const std::uint8_t* input, std::size_t x, std::size_t n, std::uint64_t word,
                      std::int16_t* table, std::size_t& position) {
    const std::uint32_t h = Hash3(word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF);
    const int p = table[h];
    table[h] = static_cast<std::int16_t>(x);
    const bool valid = InWindow(x, p);
    position = valid ? static_cast<std::size_t>(p) : 0;
    const std::uint64_t difference = (Load64(input + position) ^ word) | static_cast<std::uint64_t>(!valid);
    // No difference in the first eight bytes gives 8.
    const std::size_t length = EqualPrefixBytes(difference, 0);
    if (length < 8) return length;
    return MatchLength(input, x, position, n, 8);
}

void PutRun(std::uint8_t* output, std::size_t& y, std::size_t count, std::uint8_t value) {
    output[y] = 0;
    output[y + 1] = static_cast<std::uint8_t>(count >> 8);
    output[y + 2] = static_cast<std::uint8_t>(count);
    output[y + 3] = value;
    y += 4;
}

// Writes a run item when at least MinRun equal bytes start at x, and steps past them.
bool TakeRun(const std::uint8_t* in, std::size_t& x, std::size_t n, std::uint8_t* out, std::size_t& y,
             std::uint32_t& command) {
    const std::size_t run = RunLength(in, x, n);
    if (run < MinRun) return false;
    PutRun(out, y, run - MinRun, in[x]);
    x += run;
    command = command << 1 | 1;
    return true;
}

void PutControlWord(std::uint8_t* output, std::size_t at, std::uint32_t command) {
    output[at] = static_cast<std::uint8_t>(command >> 8);
    output[at + 1] = static_cast<std::uint8_t>(command);
}

void CheckCompressArguments(std::size_t n, std::size_t outputSize) {
    if (n > MaxBlockInput) throw std::invalid_argument("LZRW1KH : block too large");
    if (outputSize < n + CompressSlack) throw std::invalid_argument("LZRW1KH : output area too small");
}

std::size_t StoreBlock(std::span<const std::uint8_t> input, std::uint8_t* output) {
    output[0] = FlagStored;
    if (!input.empty()) std::memcpy(output + 1, input.data(), input.size());
    return input.size() + 1;
}

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

void Store64(std::uint8_t* bytes, std::uint64_t word) { std::memcpy(bytes, &word, sizeof word); }

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
// checked path to decode it.
void DecodeFastGroup(const std::uint8_t* src, std::size_t& x, std::uint8_t* out, std::size_t& y,
                     std::size_t limit, std::uint32_t& bits, unsigned& left) {
    for (;;) {
        const auto literals = static_cast<unsigned>(std::countl_zero(bits));  // at most left
        std::memcpy(out + y, src + x, 16);
        x += literals;
        y += literals;
        left -= literals;
        if (left == 0) return;
        const std::size_t offset = static_cast<std::size_t>(src[x]) << 4 | src[x + 1] >> 4;
        std::uint8_t* to = out + y;
        if (offset >= 8) {
            if (offset > y) ThrowDamaged("offset before the output start");
            const std::size_t length = (src[x + 1] & 0x0Fu) + MinMatch;
            const std::uint8_t* from = to - offset;
            // In increasing order, each word reading only bytes already final.
            Store64(to, Load64(from));
            Store64(to + 8, Load64(from + 8));
            if (length > 16) Store64(to + 16, Load64(from + 16));
            y += length;
            x += 2;
        } else if (offset != 0) {
            if (offset > y) ThrowDamaged("offset before the output start");
            CopyShortOffset(to, offset);
            y += (src[x + 1] & 0x0Fu) + MinMatch;
            x += 2;
        } else {
            const std::size_t count = (static_cast<std::size_t>(src[x + 1]) << 8 | src[x + 2]) + MinRun;
            if (count > limit - y || limit - y - count < FastGroupOutput) {
                bits <<= literals;
                return;
            }
            std::memset(to, src[x + 3], count);
            y += count;
            x += 4;
        }
        bits <<= literals + 1;
        --left;
    }
}

// One item with every length and offset checked against the block and the output area.
void DecodeCheckedItem(std::span<const std::uint8_t> block, std::size_t& x, std::span<std::uint8_t> output,
                       std::size_t limit, std::size_t& y, bool isCopy) {
    const std::uint8_t* src = block.data();
    std::uint8_t* out = output.data();
    const std::size_t m = block.size();
    if (!isCopy) {
        if (y >= limit) ThrowDamaged("output past the output area");
        out[y++] = src[x++];
        return;
    }
    if (m - x < 2) ThrowDamaged("item cut off at the block end");
    const std::size_t offset = static_cast<std::size_t>(src[x]) << 4 | src[x + 1] >> 4;
    if (offset == 0) {
        if (m - x < 4) ThrowDamaged("item cut off at the block end");
        const std::size_t count = (static_cast<std::size_t>(src[x + 1]) << 8 | src[x + 2]) + MinRun;
        if (count > limit - y) ThrowDamaged("output past the output area");
        std::memset(out + y, src[x + 3], count);
        y += count;
        x += 4;
        return;
    }
    const std::size_t length = (src[x + 1] & 0x0Fu) + MinMatch;
    if (offset > y) ThrowDamaged("offset before the output start");
    if (length > limit - y) ThrowDamaged("output past the output area");
    CopyMatch(out, y, offset, length, output.size());
    y += length;
    x += 2;
}

}  // namespace

void InitLzrw1KH() {
    if (sharedHashTable) return;
    sharedHashTable.reset(new (std::nothrow) std::int16_t[HashEntries]);
    if (!sharedHashTable) throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
}

std::size_t CompressBlock(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    const std::size_t n = input.size();
    CheckCompressArguments(n, output.size());
    std::int16_t* table = HashTable();
    std::fill_n(table, HashEntries, EmptyEntry);

    const std::uint8_t* in = input.data();
    std::uint8_t* out = output.data();
    out[0] = FlagCompressed;
    std::size_t x = 0;
    std::size_t y = 1 + ControlWordSize;
    std::size_t controlAt = 1;
    unsigned items = 0;
    std::uint32_t command = 0;
    // Each pass writes at most one control word and one run item, hence CompressSlack.
    while (x < n && y <= n) {
        if (items == ItemsPerGroup) {
            PutControlWord(out, controlAt, command);
            controlAt = y;
            y += ControlWordSize;
            items = 0;
            command = 0;
        }
        ++items;
        if (kLittleEndian && x + MaxMatch <= n) {
            // Far from the end, one word serves the run check and the match search.
            const std::uint64_t word = Load64(in + x);
            // A run of 16 needs its first eight bytes equal: (word ^ word >> 8) holds the
            // differences of neighbouring bytes in all but its top byte.
            if (((word ^ word >> 8) << 8) == 0) {
                if (TakeRun(in, x, n, out, y, command)) continue;
            }
            std::size_t position;
            const std::size_t length = WordMatch(in, x, n, word, table, position);
            // Literal or back-reference without a branch: which one comes is what a
            // processor cannot predict. Both bytes are written; for a literal the
            // second is scratch that the next item overwrites.
            const bool isMatch = length >= MinMatch;
            const std::size_t key = (x - position) * 16 + length - MinMatch;
            out[y] = isMatch ? static_cast<std::uint8_t>(key >> 8) : static_cast<std::uint8_t>(word);
            out[y + 1] = static_cast<std::uint8_t>(key);
            y += 1 + static_cast<std::size_t>(isMatch);
            x += isMatch ? length : 1;
            command = command << 1 | static_cast<std::uint32_t>(isMatch);
            continue;
        }
        if (TakeRun(in, x, n, out, y, command)) continue;
        const Match match = FindMatchNearEnd(in, x, n, table);
        if (match.length >= MinMatch) {
            const std::size_t key = (x - match.position) * 16 + (match.length - MinMatch);
            out[y] = static_cast<std::uint8_t>(key >> 8);
            out[y + 1] = static_cast<std::uint8_t>(key);
            y += 2;
            x += match.length;
            command = command << 1 | 1;
            continue;
        }
        out[y++] = in[x++];
        command <<= 1;
    }
    PutControlWord(out, controlAt, (command << (ItemsPerGroup - items)) & 0xFFFF);
    if (y > n) return StoreBlock(input, out);
    return y;
}

std::size_t DecompressBlock(std::span<const std::uint8_t> block, std::span<std::uint8_t> output) {
    const std::size_t m = block.size();
    if (m == 0) ThrowDamaged("empty");
    if (m > MaxBlockLength) ThrowDamaged("too long");
    const std::uint8_t* src = block.data();
    std::uint8_t* out = output.data();
    const std::size_t capacity = output.size();
    const std::size_t limit = std::min(capacity, MaxBlockInput);
    if (src[0] == FlagStored) {
        if (m - 1 > limit) ThrowDamaged("output past the output area");
        if (m > 1) std::memcpy(out, src + 1, m - 1);
        return m - 1;
    }
    // Too short to hold an item: decodes to nothing.
    if (m <= 1 + ControlWordSize) return 0;

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
            if (m - x < ControlWordSize + 1) ThrowDamaged("item cut off at the block end");
            bits = controlBits(x);
            x += ControlWordSize;
            left = ItemsPerGroup;
        }
        if (left == ItemsPerGroup && m - x >= FastGroupInput && limit - y >= FastGroupOutput) {
            DecodeFastGroup(src, x, out, y, limit, bits, left);
            // Otherwise it stopped at a run for the checked path.
            if (left == 0) continue;
        }
        const bool isCopy = (bits >> 31) != 0;
        bits <<= 1;
        --left;
        DecodeCheckedItem(block, x, output, limit, y, isCopy);
    }
    return y;
}

}  // namespace velvora
