// Whole-file reading and atomic replacement of files.
#include "app/FileIo.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#if __has_include(<unistd.h>)
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

static bool WriteAndSync(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#ifdef VELVORA_HAVE_FSYNC
    // Without the sync a crash right after the rename could leave an empty file.
    ok = ::fsync(::fileno(file)) == 0 && ok;
#endif
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
    const std::string temporary = TemporaryNameBeside(path);
    std::error_code error;
    if (!WriteAndSync(temporary, bytes)) {
        fs::remove(temporary, error);
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    }
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    }
}

}  // namespace velvora
