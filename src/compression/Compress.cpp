// Writing and reading compressed records.
#include "compression/Compress.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "compression/LZRW1KH.h"

namespace velvora {

namespace {

[[noreturn]] void ThrowDamagedRecord(const char* reason) {
    throw ECompressedRecord(std::string("Damaged compressed record (") + reason + ")");
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

TCompressStream::TCompressStream() : signature_(RecordSignature) {}

void TCompressStream::CompressStream(TStream& source, TStream& destination, std::uint64_t count) {
    std::vector<std::uint8_t> input(MaxBlockInput);
    std::vector<std::uint8_t> output(MaxBlockInput + CompressSlack);
    destination.Write(AsBytes(signature_));
    const std::uint64_t totalAt = destination.Position();
    destination.WriteUInt32(0);
    std::uint64_t total = 0;
    while (count > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, MaxBlockInput));
        source.ReadBuffer(std::span(input).first(n));
        const std::size_t m = CompressBlock(std::span(input).first(n), output);
        total += BlockLengthSize + m;
        if (total > 0xFFFFFFFFu) throw ECompressedRecord("Compressed record too large");
        destination.WriteUInt32(static_cast<std::uint32_t>(m));
        destination.Write(std::span(output).first(m));
        count -= n;
    }
    const std::uint64_t endAt = destination.Position();
    destination.Seek(totalAt);
    destination.WriteUInt32(static_cast<std::uint32_t>(total));
    destination.Seek(endAt);
}

bool StreamRecordInput::Read(std::span<std::uint8_t> bytes) { return stream_.Read(bytes) == bytes.size(); }

bool StreamRecordOutput::Write(std::span<const std::uint8_t> bytes) {
    stream_.Write(bytes);
    return true;
}

void TCompressStream::DecompressStream(TStream& source, TStream& destination) {
    StreamRecordInput input(source);
    StreamRecordOutput output(destination);
    const auto scratch = std::make_unique<RecordScratch>();
    const RecordDecoding decoded = DecodeRecord(input, output, *scratch);
    switch (decoded.Status) {
        case RecordStatus::Decoded:
            return;
        case RecordStatus::WrongType:
            throw ECompressedRecord("Wrong file type");
        case RecordStatus::CutShort:
            ThrowStreamReadError();
        case RecordStatus::TotalDisagrees:
            ThrowDamagedRecord("total disagrees with the blocks");
        case RecordStatus::BlockTooLong:
            ThrowDamagedRecord("block too long");
        case RecordStatus::DamagedBlock:
            ThrowDamagedBlock(decoded.BlockDamage);
        case RecordStatus::WriteRefused:
            ThrowStreamWriteError();
    }
}

}  // namespace velvora
