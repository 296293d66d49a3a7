// The exception-free record decoder shared by the tool, the viewer and the stub.
#include "compression/RecordDecoder.h"

#include <algorithm>
#include <cstring>

#include "compression/LZRW1KHFormat.h"

namespace velvora {

namespace {

// The item that gives the most per byte is a run: four bytes for up to 0xFFF + MinRun.
constexpr std::uint64_t MostBytesPerItemByte = (0xFFF + lzrw1kh::MinRun + 3) / 4;

bool ReadUInt32(RecordInput& input, std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (!input.Read(bytes)) return false;
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

}  // namespace

bool SpanRecordOutput::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > area_.size() - written_) return false;
    if (!bytes.empty()) std::memcpy(area_.data() + written_, bytes.data(), bytes.size());
    written_ += bytes.size();
    return true;
}

RecordDecoding DecodeRecord(RecordInput& input, RecordOutput& output, RecordScratch& scratch) {
    std::uint8_t signature[RecordSignatureSize];
    if (!input.Read(signature) || std::memcmp(signature, RecordSignature, RecordSignatureSize) != 0)
        return {RecordStatus::WrongType};
    std::uint32_t total = 0;
    if (!ReadUInt32(input, total)) return {RecordStatus::CutShort};
    while (total > 0) {
        if (total < BlockLengthSize) return {RecordStatus::TotalDisagrees};
        std::uint32_t m = 0;
        if (!ReadUInt32(input, m)) return {RecordStatus::CutShort};
        total -= BlockLengthSize;
        if (m > MaxBlockLength) return {RecordStatus::BlockTooLong};
        if (m > total) return {RecordStatus::TotalDisagrees};
        const std::span<std::uint8_t> block(scratch.Block, m);
        if (!input.Read(block)) return {RecordStatus::CutShort};
        const BlockDecoding decoded = DecodeBlock(block, scratch.Decoded);
        if (decoded.Damage) return {RecordStatus::DamagedBlock, decoded.Damage};
        if (!output.Write(std::span(scratch.Decoded).first(decoded.Size))) return {RecordStatus::WriteRefused};
        total -= m;
    }
    return {};
}

std::uint64_t MaxDecodedSize(std::uint64_t recordSize) {
    if (recordSize <= RecordHeadSize) return 0;
    const std::uint64_t bytes = recordSize - RecordHeadSize;
    return std::min(bytes / (BlockLengthSize + 1) * MaxBlockInput, bytes * MostBytesPerItemByte);
}

}  // namespace velvora
