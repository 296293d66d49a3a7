// The published file's output: a buffered stream over a file descriptor, and the file it
// fills, which appears at its target path complete or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compression/Stream.h"

namespace velvora {

// Owns an open file descriptor and closes it when destroyed.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Release();
    // Closes the descriptor; returns false when close reported an error.
    bool Reset();

private:
    int fd_;
};

// A stream over a file descriptor that gathers small writes in a large buffer, so that a
// package of many short records costs few system calls. Writes back into the buffered range
// patch it in memory; writes elsewhere go to the file by offset.
class TPublishStream : public TStream {
public:
    static constexpr std::size_t BufferSize = std::size_t(1) << 20;

    // Takes over `fd`, an empty file open for reading and writing.
    explicit TPublishStream(FileDescriptor fd);
    // Drops bytes still buffered: an output that is not closed is being thrown away.
    ~TPublishStream() override = default;

    std::size_t Read(std::span<std::uint8_t> bytes) override;
    void Write(std::span<const std::uint8_t> bytes) override;
    std::uint64_t Position() override { return position_; }
    void Seek(std::uint64_t position) override { position_ = position; }
    std::uint64_t Size() override;

    // Writes the rest of the file open as `source` at the position, copied inside the kernel
    // where it can, and returns how many bytes that was.
    std::uint64_t AppendFrom(int source);
    // Writes out the buffer.
    void Flush();
    int Descriptor() const { return fd_.Get(); }
    // Flushes and closes; throws EStreamError ("Stream write error") when that fails.
    void Close();

private:
    bool FitsBuffer(std::size_t count) const;
    void WriteAt(std::span<const std::uint8_t> bytes, std::uint64_t offset);
    void CopyInKernel(int source);
    void CopyThroughBuffer(int source);

    FileDescriptor fd_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::size_t buffered_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t writtenEnd_ = 0;  // end of the bytes already in the file
};

// Writes the rest of the file open as `source` at the stream's position and returns how many
// bytes that was; through the kernel's copy when `stream` is a TPublishStream.
std::uint64_t AppendFileContents(TStream& stream, int source);

// How the file being written is kept out of sight until it is complete.
enum class OutputNaming {
    UnnamedWherePossible,  // an unnamed file in the target's folder, else a ".part" file
    PartFile,              // always the target's path + ".part"
};

// The published file being written for `target`. Until Commit() it is either unnamed, so
// that nothing is left behind however the process ends, or, where the file system cannot
// make unnamed files, the target's path + ".part". Destroying it uncommitted discards it.
class PublishOutputFile {
public:
    // Removes a ".part" file left by an earlier run, then opens the file; throws EStreamError
    // ("Cannot open file \"...\".") when the target's folder refuses it.
    explicit PublishOutputFile(std::string target, OutputNaming naming = OutputNaming::UnnamedWherePossible);
    ~PublishOutputFile();
    PublishOutputFile(const PublishOutputFile&) = delete;
    PublishOutputFile& operator=(const PublishOutputFile&) = delete;

    TPublishStream& Stream() { return stream_; }
    bool IsUnnamed() const { return partPath_.empty(); }
    // Closes the file and puts it at the target path in one step, replacing any file there.
    // Throws EStreamError ("Stream write error") when the data could not be written; returns
    // false when the finished file could not be put at the target path.
    bool Commit();

private:
    std::string LinkedName();

    std::string target_;
    std::string partPath_;  // empty for an unnamed file
    TPublishStream stream_;
    bool committed_ = false;
};

}  // namespace velvora
