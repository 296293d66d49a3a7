// Memory and file streams.
#include "compression/Stream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

namespace velvora {

namespace {

[[noreturn]] void ThrowReadError() { throw EStreamError("Stream read error"); }
[[noreturn]] void ThrowWriteError() { throw EStreamError("Stream write error"); }

// char8_t makes the conversion UTF-8 on every platform, not the ANSI code page.
std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::ios::openmode OpenModeOf(TFileStream::Mode mode) {
    if (mode == TFileStream::Mode::Read) return std::ios::in | std::ios::binary;
    return std::ios::in | std::ios::out | std::ios::trunc | std::ios::binary;
}

}  // namespace

void TStream::ReadBuffer(std::span<std::uint8_t> bytes) {
    if (Read(bytes) != bytes.size()) ThrowReadError();
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
    if (position_ > std::numeric_limits<std::size_t>::max() - bytes.size()) ThrowWriteError();
    const std::size_t at = static_cast<std::size_t>(position_);
    const std::size_t end = at + bytes.size();
    if (end > bytes_.size()) bytes_.resize(end);
    if (!bytes.empty()) std::memcpy(bytes_.data() + at, bytes.data(), bytes.size());
    position_ = end;
}

TFileStream::TFileStream(const std::string& path, Mode mode) {
    if (!file_.open(PathFromUtf8(path), OpenModeOf(mode))) throw EStreamError("Cannot open file \"" + path + "\".");
}

std::size_t TFileStream::Read(std::span<std::uint8_t> bytes) {
    const auto count = file_.sgetn(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void TFileStream::Write(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (file_.sputn(reinterpret_cast<const char*>(bytes.data()), size) != size) ThrowWriteError();
}

std::uint64_t TFileStream::Position() {
    const auto position = file_.pubseekoff(0, std::ios::cur);
    if (position == std::streampos(-1)) ThrowReadError();
    return static_cast<std::uint64_t>(std::streamoff(position));
}

void TFileStream::Seek(std::uint64_t position) {
    if (file_.pubseekpos(static_cast<std::streamoff>(position)) == std::streampos(-1)) ThrowReadError();
}

std::uint64_t TFileStream::Size() {
    const std::uint64_t position = Position();
    const auto end = file_.pubseekoff(0, std::ios::end);
    if (end == std::streampos(-1)) ThrowReadError();
    Seek(position);
    return static_cast<std::uint64_t>(std::streamoff(end));
}

void TFileStream::Close() {
    if (!file_.is_open()) return;
    const bool flushed = file_.pubsync() == 0;
    const bool closed = file_.close() != nullptr;
    if (!flushed || !closed) ThrowWriteError();
}

}  // namespace velvora
