// The compressed record: the signature "TQXB10", a 32-bit total, then length-prefixed
// LZRW1-KH blocks. Published files carry their viewer in this form.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "compression/RecordDecoder.h"
#include "compression/Stream.h"

namespace velvora {

// A record that is not one ("Wrong file type") or whose blocks do not add up. Damage
// inside a block is reported by DecompressBlock as ELzrw1KHCompressor.
class ECompressedRecord : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The record decoder's input and output on streams; their failures throw EStreamError.
class StreamRecordInput final : public RecordInput {
public:
    explicit StreamRecordInput(TStream& stream) : stream_(stream) {}
    bool Read(std::span<std::uint8_t> bytes) override;

private:
    TStream& stream_;
};

class StreamRecordOutput final : public RecordOutput {
public:
    explicit StreamRecordOutput(TStream& stream) : stream_(stream) {}
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    TStream& stream_;
};

class TCompressStream {
public:
    TCompressStream();

    // Writes one record of the next `count` bytes of source at the destination's position,
    // leaving the destination just after it; the destination must support seeking back.
    // A source that ends early raises EStreamError ("Stream read error"), as does a record
    // whose total would not fit in 32 bits (ECompressedRecord). Not re-entrant: it uses the
    // compressor's shared hash table.
    void CompressStream(TStream& source, TStream& destination, std::uint64_t count);

    // Reads the record at the source's position and writes the decoded bytes to the
    // destination, leaving the source just after the record. Throws ECompressedRecord
    // ("Wrong file type") when the signature differs, before writing anything; a short
    // read throws EStreamError, a damaged block ELzrw1KHCompressor, lengths that disagree
    // ECompressedRecord. What was decoded before a failure stays in the destination.
    void DecompressStream(TStream& source, TStream& destination);

private:
    std::string signature_;
};

}  // namespace velvora
