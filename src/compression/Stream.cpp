// The stream interface's helpers and the memory stream.
#include "compression/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velvora {

void ThrowStreamReadError() { throw EStreamError("Stream read error"); }
void ThrowStreamWriteError() { throw EStreamError("Stream write error"); }

void TStream::ReadBuffer(std::span<std::uint8_t> bytes) {
    if (Read(bytes) != bytes.size()) ThrowStreamReadError();
}

std::uint32_t TStream::ReadUInt32() {
    std::uint8_t bytes[4];
    ReadBuffer(bytes);
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void TStream::WriteUInt32(std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Write(bytes);
}

std::size_t TMemoryStream::Read(std::span<std::uint8_t> bytes) {
    if (position_ >= bytes_.size()) return 0;
    const std::size_t at = static_cast<std::size_t>(position_);
    const std::size_t count = std::min(bytes.size(), bytes_.size() - at);
    if (count > 0) std::memcpy(bytes.data(), bytes_.data() + at, count);
    position_ += count;
    return count;
}

void TMemoryStream::Write(std::span<const std::uint8_t> bytes) {
    if (position_ > std::numeric_limits<std::size_t>::max() - bytes.size()) ThrowStreamWriteError();
    const std::size_t at = static_cast<std::size_t>(position_);
    const std::size_t end = at + bytes.size();
    if (end > bytes_.size()) bytes_.resize(end);
    if (!bytes.empty()) std::memcpy(bytes_.data() + at, bytes.data(), bytes.size());
    position_ = end;
}

}  // namespace velvora
