// Writing and reading compressed records.
#include "compression/Compress.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "compression/LZRW1KH.h"

namespace velvora {

namespace {

constexpr char Signature[] = "TQXB10";
constexpr std::size_t SignatureSize = sizeof Signature - 1;
constexpr std::size_t BlockLengthSize = 4;
// Room for the decoder's 8-byte copies near the end of a full block.
constexpr std::size_t DecodeSlack = 24;

[[noreturn]] void ThrowDamagedRecord(const char* reason) {
    throw ECompressedRecord(std::string("Damaged compressed record (") + reason + ")");
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool ReadSignature(TStream& source, const std::string& signature) {
    std::uint8_t bytes[SignatureSize];
    return source.Read(bytes) == SignatureSize && std::memcmp(bytes, signature.data(), SignatureSize) == 0;
}

}  // namespace

TCompressStream::TCompressStream() : signature_(Signature) {}

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

void TCompressStream::DecompressStream(TStream& source, TStream& destination) {
    if (!ReadSignature(source, signature_)) throw ECompressedRecord("Wrong file type");
    std::uint32_t total = source.ReadUInt32();
    std::vector<std::uint8_t> block(MaxBlockLength);
    std::vector<std::uint8_t> output(MaxBlockInput + DecodeSlack);
    while (total > 0) {
        if (total < BlockLengthSize) ThrowDamagedRecord("total disagrees with the blocks");
        const std::uint32_t m = source.ReadUInt32();
        total -= BlockLengthSize;
        if (m > MaxBlockLength) ThrowDamagedRecord("block too long");
        if (m > total) ThrowDamagedRecord("total disagrees with the blocks");
        source.ReadBuffer(std::span(block).first(m));
        const std::size_t n = DecompressBlock(std::span(block).first(m), output);
        destination.Write(std::span(output).first(n));
        total -= m;
    }
}

}  // namespace velvora
