// Whole-file reading and atomic replacement of files.
#include "base/FileIo.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define VELVORA_HAVE_FSYNC 1
#endif

namespace velvora {

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open file \"" + path + "\".");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("Cannot read file \"" + path + "\".");
    return bytes;
}

static std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(counter++);
}

// Without the sync a crash right after the rename could leave an empty file.
static bool Sync([[maybe_unused]] std::FILE* file, [[maybe_unused]] FileSync sync) {
#ifdef VELVORA_HAVE_FSYNC
    if (sync == FileSync::BeforeRename) return ::fsync(::fileno(file)) == 0;
#endif
    return true;
}

// Writes the temporary file with `fill`, then renames it over `path`; any failure removes
// the temporary file and throws what `failure` says.
template <typename Fill>
static void ReplaceAtomically(const std::string& path, FileSync sync, Fill fill, const std::string& failure) {
    const std::string temporary = TemporaryNameBeside(path);
    std::error_code error;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool ok = file != nullptr;
    if (ok) {
        ok = fill(file) && std::fflush(file) == 0;
        ok = Sync(file, sync) && ok;
        ok = std::fclose(file) == 0 && ok;
    }
    if (ok) fs::rename(temporary, path, error);
    if (!ok || error) {
        fs::remove(temporary, error);
        throw std::runtime_error(failure);
    }
}

void WriteFileAtomic(const std::string& path, std::string_view bytes, FileSync sync) {
    ReplaceAtomically(
        path, sync, [&](std::FILE* file) { return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(); },
        "Cannot create file \"" + path + "\".");
}

// Large pieces keep the number of calls low; photos are megabytes.
static constexpr std::size_t CopyPiece = 1 << 20;

void CopyFileAtomic(const std::string& source, const std::string& destination, FileSync sync) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(source.c_str(), "rb"), std::fclose);
    std::FILE* in = file.get();
    if (!in) throw std::runtime_error("Cannot open file \"" + source + "\".");
    std::string piece(CopyPiece, '\0');
    bool readFailed = false;
    const auto copy = [&](std::FILE* out) {
        std::setvbuf(out, nullptr, _IONBF, 0);
        for (;;) {
            const std::size_t n = std::fread(piece.data(), 1, piece.size(), in);
            if (n > 0 && std::fwrite(piece.data(), 1, n, out) != n) return false;
            if (n < piece.size()) {
                readFailed = std::ferror(in) != 0;
                return !readFailed;
            }
        }
    };
    try {
        ReplaceAtomically(destination, sync, copy, "Cannot create file \"" + destination + "\".");
    } catch (const std::runtime_error&) {
        if (readFailed) throw std::runtime_error("Cannot read file \"" + source + "\".");
        throw;
    }
}

void SyncFolderFiles([[maybe_unused]] const std::string& folder) {
#ifdef VELVORA_HAVE_FSYNC
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return;
    ::syncfs(descriptor);
    ::close(descriptor);
#endif
}

}  // namespace velvora
