// The stream over a file, apart from the other streams: it brings in the standard library's
// file and locale machinery, which the Windows stub leaves out to stay small.
#pragma once

#include <fstream>
#include <string>

#include "compression/Stream.h"

namespace velvora {

// A file opened for reading, or created (emptied) for reading and writing. Paths are UTF-8.
class TFileStream : public TStream {
public:
    enum class Mode { Read, Create };

    // Throws EStreamError ("Cannot open file \"...\".") when the file cannot be opened.
    TFileStream(const std::string& path, Mode mode);
    // Closes without reporting errors; call Close() to learn whether the data reached the file.
    ~TFileStream() override = default;

    std::size_t Read(std::span<std::uint8_t> bytes) override;
    void Write(std::span<const std::uint8_t> bytes) override;
    std::uint64_t Position() override;
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() override;

    // Flushes and closes; throws EStreamError ("Stream write error") when that fails.
    void Close();

private:
    std::filebuf file_;
};

}  // namespace velvora
