// Byte streams with a position: the small interface through which records are read and
// written, and the stream over memory. The stream over a file is in FileStream.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace velvora {

// A stream operation failed; the message is meant for the user ("Stream read error").
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user-facing failures of every stream: "Stream read error" and "Stream write error".
[[noreturn]] void ThrowStreamReadError();
[[noreturn]] void ThrowStreamWriteError();

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to bytes.size() bytes at the position and returns how many were read;
    // fewer only at the end of the stream.
    virtual std::size_t Read(std::span<std::uint8_t> bytes) = 0;
    // Writes all bytes at the position or throws EStreamError ("Stream write error").
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
    virtual std::uint64_t Position() = 0;
    // Moves to an absolute position; beyond the end is allowed and reads nothing there.
    virtual void Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Size() = 0;

    // Reads exactly bytes.size() bytes or throws EStreamError ("Stream read error").
    void ReadBuffer(std::span<std::uint8_t> bytes);
    std::uint32_t ReadUInt32();             // little-endian
    void WriteUInt32(std::uint32_t value);  // little-endian
};

// Bytes in memory; writing past the end grows the stream, filling any gap with zeros.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(std::span<std::uint8_t> bytes) override;
    void Write(std::span<const std::uint8_t> bytes) override;
    std::uint64_t Position() override { return position_; }
    void Seek(std::uint64_t position) override { position_ = position; }
    std::uint64_t Size() override { return bytes_.size(); }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

}  // namespace velvora
