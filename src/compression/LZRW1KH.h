// The LZRW1-KH block compressor: each block of up to 32783 bytes is compressed on its own
// into literals, back-references (offset 1..4095, length 3..18) and runs (16..4095 equal
// bytes), or stored when that would not make it smaller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace velvora {

// Raised when the hash table cannot be allocated, when a block is too large to compress,
// and when DecompressBlock meets a damaged block.
class ELzrw1KHCompressor : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Largest input of one block: positions must fit in 16 bits.
inline constexpr std::size_t MaxBlockInput = 32783;
// Largest block: a stored full block, flag byte plus the input.
inline constexpr std::size_t MaxBlockLength = MaxBlockInput + 1;
// The encoder may run this far past N before it decides to store the block.
inline constexpr std::size_t CompressSlack = 6;
// Room past a full block that lets the decoder copy in 8-byte words up to its end.
inline constexpr std::size_t DecodeSlack = 24;

inline constexpr std::uint8_t FlagCompressed = 0x40;
inline constexpr std::uint8_t FlagStored = 0x80;

// Allocates the one hash table shared by every compression. Call it once at start-up so
// that a lack of memory stops the program before any window exists; CompressBlock calls
// it itself when it was not called. Throws ELzrw1KHCompressor
// ("LZRW1KH : no memory for HASH table"). Not thread-safe, like compression itself.
void InitLzrw1KH();

// Compresses input (N = input.size(), at most MaxBlockInput) into output, which must hold
// at least N + CompressSlack bytes; bytes past the returned length are scratch. Returns
// the block length, at most N + 1. The result is byte-for-byte that of the reference
// encoder. Uses the shared hash table, so only one compression may run at a time.
// Throws std::invalid_argument for a too-large input or a too-small output area.
std::size_t CompressBlock(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

// Decodes one block into output and returns the number of bytes decoded, at most
// MaxBlockInput. Never reads outside `block` and never writes outside `output`; bytes of
// output past the returned count may be overwritten. A damaged block (empty, longer than
// MaxBlockLength, an item cut off at the block end, a back-reference before the output
// start, output beyond the area) throws ELzrw1KHCompressor; what was decoded before the
// damage stays in output.
std::size_t DecompressBlock(std::span<const std::uint8_t> block, std::span<std::uint8_t> output);
// Throws the ELzrw1KHCompressor of a damaged block: "LZRW1KH : damaged block (reason)".
[[noreturn]] void ThrowDamagedBlock(const char* reason);

// What DecodeBlock made of a block: the bytes decoded and, for a damaged block, why
// ("offset before the output start"); Damage is null for a sound block.
struct BlockDecoding {
    std::size_t Size = 0;
    const char* Damage = nullptr;
};

// DecompressBlock without exceptions, for programs built without them: the same checks,
// with damage reported in the result instead of thrown.
BlockDecoding DecodeBlock(std::span<const std::uint8_t> block, std::span<std::uint8_t> output) noexcept;

}  // namespace velvora
