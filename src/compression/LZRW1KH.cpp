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

#include "compression/LZRW1KHFormat.h"

namespace velvora {

namespace {

using namespace lzrw1kh;

constexpr std::size_t HashEntries = 4096;
constexpr std::int16_t EmptyEntry = -1;
constexpr int WindowSize = 4096;
constexpr std::size_t MaxRun = 4095;

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
std::size_t WordMatch(const std::uint8_t* input, std::size_t x, std::size_t n, std::uint64_t word, std::int16_t* table,
                      std::size_t& position) {
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

void ThrowDamagedBlock(const char* reason) {
    throw ELzrw1KHCompressor(std::string("LZRW1KH : damaged block (") + reason + ")");
}

std::size_t DecompressBlock(std::span<const std::uint8_t> block, std::span<std::uint8_t> output) {
    const BlockDecoding decoded = DecodeBlock(block, output);
    if (decoded.Damage) ThrowDamagedBlock(decoded.Damage);
    return decoded.Size;
}

}  // namespace velvora
