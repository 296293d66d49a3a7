// Decoding a compressed record ("TQXB10", its 32-bit total, then length-prefixed LZRW1-KH
// blocks) without exceptions or allocation, so that the stub, built without the C++
// runtime's exception support, runs the tool's own decoder. TCompressStream wraps it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "compression/LZRW1KH.h"

namespace velvora {

inline constexpr char RecordSignature[] = "TQXB10";
inline constexpr std::size_t RecordSignatureSize = sizeof RecordSignature - 1;
inline constexpr std::size_t RecordHeadSize = RecordSignatureSize + 4;
inline constexpr std::size_t BlockLengthSize = 4;

// Where the decoder takes the record's bytes from, in order. Read returns false when fewer
// than bytes.size() bytes were left.
class RecordInput {
public:
    virtual bool Read(std::span<std::uint8_t> bytes) = 0;

protected:
    ~RecordInput() = default;
};

// Where the decoded bytes go, one block at a time; Write returns false when it cannot take them.
class RecordOutput {
public:
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;

protected:
    ~RecordOutput() = default;
};

// Decoded bytes laid into a fixed area; a block that does not fit is refused.
class SpanRecordOutput final : public RecordOutput {
public:
    explicit SpanRecordOutput(std::span<std::uint8_t> area) : area_(area) {}
    bool Write(std::span<const std::uint8_t> bytes) override;
    std::size_t Written() const { return written_; }

private:
    std::span<std::uint8_t> area_;
    std::size_t written_ = 0;
};

enum class RecordStatus {
    Decoded,
    WrongType,       // no "TQXB10" at the start, or fewer bytes than it
    CutShort,        // the input ended inside the record
    TotalDisagrees,  // the total does not match the blocks it announces
    BlockTooLong,    // a block length above MaxBlockLength
    DamagedBlock,    // DecodeBlock refused a block; BlockDamage says why
    WriteRefused,    // the output did not take a decoded block
};

struct RecordDecoding {
    RecordStatus Status = RecordStatus::Decoded;
    const char* BlockDamage = nullptr;
};

// The decoder's working memory, one block and its decoded bytes: about 64 KiB, which
// callers place off the stack.
struct RecordScratch {
    std::uint8_t Block[MaxBlockLength];
    std::uint8_t Decoded[MaxBlockInput + DecodeSlack];
};

// Reads one record from `input` and writes its decoded blocks to `output` in order. Every
// block is decoded completely before it is written, so what was written before a failure
// is whole blocks. Exceptions thrown by `input` or `output` pass through.
RecordDecoding DecodeRecord(RecordInput& input, RecordOutput& output, RecordScratch& scratch);

// No record of `recordSize` bytes, head included, decodes to more bytes than this: each
// block takes at least its length and one byte and gives at most MaxBlockInput, and no
// item gives more than a run does for its four bytes.
std::uint64_t MaxDecodedSize(std::uint64_t recordSize);

}  // namespace velvora
