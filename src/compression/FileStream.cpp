// The stream over a file through the standard library's file buffer.
#include "compression/FileStream.h"

#include <filesystem>

namespace velvora {

namespace {

// char8_t makes the conversion UTF-8 on every platform, not the ANSI code page.
std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::ios::openmode OpenModeOf(TFileStream::Mode mode) {
    if (mode == TFileStream::Mode::Read) return std::ios::in | std::ios::binary;
    return std::ios::in | std::ios::out | std::ios::trunc | std::ios::binary;
}

}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) {
    if (!file_.open(PathFromUtf8(path), OpenModeOf(mode))) throw EStreamError("Cannot open file \"" + path + "\".");
}

std::size_t TFileStream::Read(std::span<std::uint8_t> bytes) {
    const auto count = file_.sgetn(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void TFileStream::Write(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (file_.sputn(reinterpret_cast<const char*>(bytes.data()), size) != size) ThrowStreamWriteError();
}

std::uint64_t TFileStream::Position() {
    const auto position = file_.pubseekoff(0, std::ios::cur);
    if (position == std::streampos(-1)) ThrowStreamReadError();
    return static_cast<std::uint64_t>(std::streamoff(position));
}

void TFileStream::Seek(std::uint64_t position) {
    if (file_.pubseekpos(static_cast<std::streamoff>(position)) == std::streampos(-1)) ThrowStreamReadError();
}

std::uint64_t TFileStream::Size() {
    const std::uint64_t position = Position();
    const auto end = file_.pubseekoff(0, std::ios::end);
    if (end == std::streampos(-1)) ThrowStreamReadError();
    Seek(position);
    return static_cast<std::uint64_t>(std::streamoff(end));
}

void TFileStream::Close() {
    if (!file_.is_open()) return;
    const bool flushed = file_.pubsync() == 0;
    const bool closed = file_.close() != nullptr;
    if (!flushed || !closed) ThrowStreamWriteError();
}

}  // namespace velvora
