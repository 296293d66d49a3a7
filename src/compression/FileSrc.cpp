// Extracting embedded files to temporary files, and storing files for embedding.
#include "compression/FileSrc.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/FileIo.h"
#include "compression/Compress.h"
#include "compression/FileStream.h"

namespace velvora {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowCannotCreate(const std::string& path) {
    throw std::runtime_error("Cannot create file \"" + path + "\".");
}

int SecondsOfCurrentMinute() {
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return static_cast<int>(now.time_since_epoch().count() % 60);
}

std::string TemporaryFolder() {
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    if (error) ThrowCannotCreate("~fs");
    std::string text = folder.string();
    if (text.empty() || text.back() != fs::path::preferred_separator) text += fs::path::preferred_separator;
    return text;
}

// "x" makes the creation fail when the file exists, so the check and the taking of a
// name are one step and two processes cannot end up with the same file.
bool CreateExclusively(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wx");
    if (!file) return false;
    std::fclose(file);
    return true;
}

std::string StoredBytes(TStream& data, bool compressed) {
    TMemoryStream content;
    if (compressed) {
        TCompressStream().DecompressStream(data, content);
    } else {
        const std::uint32_t size = data.ReadUInt32();
        // A damaged size must not make us reserve gigabytes for bytes that are not there.
        if (size > data.Size() - data.Position()) throw EStreamError("Stream read error");
        std::vector<std::uint8_t> bytes(size);
        data.ReadBuffer(bytes);
        return {bytes.begin(), bytes.end()};
    }
    return {content.Bytes().begin(), content.Bytes().end()};
}

}  // namespace

std::string CreateTemporaryFileName(const std::string& folder, int seconds, const std::string& extension) {
    const std::string prefix = folder + "~fs" + std::to_string(seconds);
    for (unsigned counter = 0;; ++counter) {
        const std::string candidate = prefix + std::to_string(counter) + extension;
        std::error_code error;
        if (fs::exists(candidate, error)) continue;
        if (CreateExclusively(candidate)) return candidate;
        // Taken between the check and the creation: try the next counter. Anything
        // else means the folder refuses new files.
        if (!fs::exists(candidate, error)) ThrowCannotCreate(candidate);
    }
}

TFileSource::TFileSource(std::string name) : name_(std::move(name)) {}

TFileSource::~TFileSource() { DeleteTemporaryFile(); }

void TFileSource::SetCompress(bool compress) {
    compress_ = compress;
    if (compress) store_ = true;
}

std::string TFileSource::FileName() const {
    std::error_code error;
    return !fileName_.empty() && fs::exists(fileName_, error) ? fileName_ : std::string();
}

void TFileSource::SetFileName(const std::string& fileName) {
    DeleteTemporaryFile();
    fileName_ = fileName;
    extension_ = fs::path(fileName).extension().string();
}

void TFileSource::ReadData(TStream& data) {
    // A component extracts one file at a time; an earlier copy would otherwise be left behind.
    DeleteTemporaryFile();
    fileName_ = CreateTemporaryFileName(TemporaryFolder(), SecondsOfCurrentMinute(), extension_);
    ownsTemporaryFile_ = true;
    const std::string bytes = StoredBytes(data, compress_);
    WriteFileAtomic(fileName_, bytes);
}

void TFileSource::WriteData(TStream& data) const {
    if (FileName().empty()) throw std::runtime_error(name_ + " cannot store file: " + fileName_ + " (file is missing)");
    TFileStream file(fileName_, TFileStream::Mode::Read);
    const std::uint64_t size = file.Size();
    if (compress_) {
        TCompressStream().CompressStream(file, data, size);
        return;
    }
    if (size > UINT32_MAX)
        throw std::runtime_error(name_ + " cannot store file: " + fileName_ + " (file is too large)");
    data.WriteUInt32(static_cast<std::uint32_t>(size));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.ReadBuffer(bytes);
    data.Write(bytes);
}

void TFileSource::DeleteTemporaryFile() {
    if (!ownsTemporaryFile_) return;
    ownsTemporaryFile_ = false;
    std::error_code ignored;
    fs::remove(fileName_, ignored);
}

}  // namespace velvora
