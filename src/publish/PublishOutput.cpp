// The published file's buffered stream and its unnamed or ".part" file.
#include "publish/PublishOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

namespace velvora {

namespace {

// As large as the kernel copies in one call anyway; the loop takes files beyond it.
constexpr std::size_t KernelCopyChunk = std::size_t(1) << 30;
constexpr mode_t OutputMode = 0644;
constexpr int NameAttempts = 100;

std::size_t ReadSome(int fd, std::span<std::uint8_t> bytes) {
    for (;;) {
        const ssize_t count = ::read(fd, bytes.data(), bytes.size());
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) ThrowStreamReadError();
    }
}

// The errors with which copy_file_range says that it cannot copy between these two files,
// not that the copy went wrong.
bool KernelCopyRefused(int error) {
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

std::string ProcPathOf(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// An unnamed file in `folder`, or none where the file system cannot make one. The file is
// only usable when /proc can name it later.
FileDescriptor OpenUnnamed(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, OutputMode));
    if (!fd.IsOpen() || ::access(ProcPathOf(fd.Get()).c_str(), F_OK) != 0) return FileDescriptor();
    return fd;
}

// Opens the output for `target`; sets `partPath` when it is a named ".part" file.
FileDescriptor OpenOutput(const std::string& target, OutputNaming naming, std::string& partPath) {
    const std::string part = target + ".part";
    ::unlink(part.c_str());
    if (naming == OutputNaming::UnnamedWherePossible)
        if (FileDescriptor fd = OpenUnnamed(FolderOf(target)); fd.IsOpen()) return fd;
    FileDescriptor fd(::open(part.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, OutputMode));
    if (!fd.IsOpen()) throw EStreamError("Cannot open file \"" + part + "\".");
    partPath = part;
    return fd;
}

std::string RandomSuffix() {
    static std::random_device device;
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(device()));
    return text;
}

}  // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Reset();
        fd_ = other.Release();
    }
    return *this;
}

int FileDescriptor::Release() { return std::exchange(fd_, -1); }

bool FileDescriptor::Reset() {
    if (fd_ < 0) return true;
    return ::close(Release()) == 0;
}

TPublishStream::TPublishStream(FileDescriptor fd) : fd_(std::move(fd)), buffer_(BufferSize) {}

std::size_t TPublishStream::Read(std::span<std::uint8_t> bytes) {
    Flush();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::pread(fd_.Get(), bytes.data() + done, bytes.size() - done, off_t(position_ + done));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) ThrowStreamReadError();
        if (count == 0) break;
        done += static_cast<std::size_t>(count);
    }
    position_ += done;
    return done;
}

// Within or right after the buffered bytes, and not past the buffer's end.
bool TPublishStream::FitsBuffer(std::size_t count) const {
    return position_ >= bufferStart_ && position_ <= bufferStart_ + buffered_ &&
           position_ - bufferStart_ + count <= buffer_.size();
}

void TPublishStream::Write(std::span<const std::uint8_t> bytes) {
    if (!FitsBuffer(bytes.size())) {
        // A patch of bytes already in the file leaves the buffer as it is.
        if (position_ + bytes.size() <= bufferStart_) {
            WriteAt(bytes, position_);
            position_ += bytes.size();
            return;
        }
        Flush();
        bufferStart_ = position_;
        if (bytes.size() > buffer_.size()) {
            WriteAt(bytes, position_);
            position_ += bytes.size();
            bufferStart_ = position_;
            return;
        }
    }
    const std::size_t at = static_cast<std::size_t>(position_ - bufferStart_);
    std::memcpy(buffer_.data() + at, bytes.data(), bytes.size());
    buffered_ = std::max(buffered_, at + bytes.size());
    position_ += bytes.size();
}

std::uint64_t TPublishStream::Size() { return std::max(writtenEnd_, bufferStart_ + buffered_); }

void TPublishStream::Flush() {
    if (buffered_ == 0) return;
    WriteAt(std::span(buffer_).first(buffered_), bufferStart_);
    bufferStart_ += buffered_;
    buffered_ = 0;
}

void TPublishStream::WriteAt(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    while (!bytes.empty()) {
        const ssize_t count = ::pwrite(fd_.Get(), bytes.data(), bytes.size(), off_t(offset));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) ThrowStreamWriteError();
        bytes = bytes.subspan(static_cast<std::size_t>(count));
        offset += static_cast<std::uint64_t>(count);
    }
    writtenEnd_ = std::max(writtenEnd_, offset);
}

std::uint64_t TPublishStream::AppendFrom(int source) {
    Flush();
    const std::uint64_t start = position_;
    // What the kernel leaves, all of it where it cannot copy, comes through the buffer.
    CopyInKernel(source);
    CopyThroughBuffer(source);
    bufferStart_ = position_;
    return position_ - start;
}

void TPublishStream::CopyInKernel(int source) {
    for (;;) {
        loff_t out = static_cast<loff_t>(position_);
        const ssize_t count = ::copy_file_range(source, nullptr, fd_.Get(), &out, KernelCopyChunk, 0);
        if (count > 0) {
            position_ += static_cast<std::uint64_t>(count);
            writtenEnd_ = std::max(writtenEnd_, position_);
            continue;
        }
        if (count == 0 || KernelCopyRefused(errno)) return;
        if (errno != EINTR) ThrowStreamWriteError();
    }
}

// The buffer is empty here, so it serves as the copy's block.
void TPublishStream::CopyThroughBuffer(int source) {
    while (const std::size_t count = ReadSome(source, buffer_)) {
        WriteAt(std::span(buffer_).first(count), position_);
        position_ += count;
    }
}

void TPublishStream::Close() {
    if (!fd_.IsOpen()) return;
    Flush();
    if (!fd_.Reset()) ThrowStreamWriteError();
}

std::uint64_t AppendFileContents(TStream& stream, int source) {
    if (auto* output = dynamic_cast<TPublishStream*>(&stream)) return output->AppendFrom(source);
    std::vector<std::uint8_t> block(TPublishStream::BufferSize);
    std::uint64_t appended = 0;
    while (const std::size_t count = ReadSome(source, block)) {
        stream.Write(std::span(block).first(count));
        appended += count;
    }
    return appended;
}

PublishOutputFile::PublishOutputFile(std::string target, OutputNaming naming)
    : target_(std::move(target)), stream_(OpenOutput(target_, naming, partPath_)) {}

PublishOutputFile::~PublishOutputFile() {
    if (!committed_ && !IsUnnamed()) ::unlink(partPath_.c_str());
}

bool PublishOutputFile::Commit() {
    std::string finished = partPath_;
    if (IsUnnamed()) {
        stream_.Flush();
        finished = LinkedName();
        if (finished.empty()) return false;
    }
    try {
        stream_.Close();
    } catch (const EStreamError&) {
        ::unlink(finished.c_str());
        throw;
    }
    committed_ = ::rename(finished.c_str(), target_.c_str()) == 0;
    if (!committed_) ::unlink(finished.c_str());
    return committed_;
}

// A link cannot replace a file, so the unnamed file gets a fresh name beside the target,
// which the caller renames over it.
std::string PublishOutputFile::LinkedName() {
    const std::string fdPath = ProcPathOf(stream_.Descriptor());
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        std::string name = target_ + "." + RandomSuffix() + ".tmp";
        if (::linkat(AT_FDCWD, fdPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace velvora
