#include "publish/PublishOutput.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "publish/PublishUtil.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Bytes that differ from block to block, so a block written at the wrong offset shows.
std::string Noise(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    return bytes;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// The writes of a package: short records, whole files, and patches both inside the
// buffered bytes and in bytes long since written out.
void WriteMixedSequence(TStream& stream, const std::string& folder) {
    const std::string big = Noise(TPublishStream::BufferSize * 5 / 2);
    WriteFile(folder + "empty", "");
    WriteFile(folder + "one", "1");
    WriteFile(folder + "big", big);
    stream.Write(AsBytes("head:"));
    stream.WriteUInt32(0xFFFFFFFF);
    stream.Write(AsBytes("Lookup=XXXXXXXX\r\n"));
    const std::uint64_t farPatch = stream.Position() - 10;
    EXPECT_EQ(AppendFile(stream, folder + "empty"), 0u);
    EXPECT_EQ(AppendFile(stream, folder + "one"), 1u);
    EXPECT_EQ(AppendFile(stream, folder + "missing"), 0u);
    const std::uint64_t nearPatch = stream.Position();
    stream.Write(AsBytes("Fullsize=YYYYYYYY\r\n"));
    EXPECT_EQ(AppendFile(stream, folder + "big"), big.size());
    for (int i = 0; i < 2000; ++i) stream.Write(AsBytes("record " + std::to_string(i) + "\r\n"));
    const std::uint64_t end = stream.Position();
    stream.Seek(nearPatch + 9);
    stream.Write(AsBytes("0000ABCD"));
    stream.Seek(farPatch);
    stream.Write(AsBytes("12345678"));
    stream.Seek(end);
    stream.Write(AsBytes(Noise(TPublishStream::BufferSize + 3)));
    stream.Seek(end - 4);
    stream.Write(AsBytes("tail"));
    stream.Seek(stream.Size());
    stream.Write(AsBytes("*\r\n"));
}

TEST(PublishStream, WritesTheSameBytesAsTheMemoryStreamThroughPatchesAndAppends) {
    TempFolder folder;
    TMemoryStream expected;
    WriteMixedSequence(expected, folder.Path());
    {
        PublishOutputFile output(folder.Path() + "out.exe");
        WriteMixedSequence(output.Stream(), folder.Path());
        EXPECT_EQ(output.Stream().Size(), expected.Size());
        EXPECT_EQ(output.Stream().Position(), expected.Position());
        ASSERT_TRUE(output.Commit());
    }
    EXPECT_EQ(ReadFile(folder.Path() + "out.exe"), std::string(expected.Bytes().begin(), expected.Bytes().end()));
}

TEST(PublishStream, ReadsBackBufferedBytesAndCopiesFromSourcesTheKernelCannot) {
    TempFolder folder;
    PublishOutputFile output(folder.Path() + "out.exe");
    TPublishStream& stream = output.Stream();
    stream.Write(AsBytes("abc"));
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string piped = Noise(40000);
    ASSERT_EQ(::write(pipeEnds[1], piped.data(), piped.size()), ssize_t(piped.size()));
    ::close(pipeEnds[1]);
    EXPECT_EQ(AppendFileContents(stream, pipeEnds[0]), piped.size());
    ::close(pipeEnds[0]);
    stream.Write(AsBytes("xyz"));
    stream.Seek(1);
    std::string back(piped.size() + 10, '\0');
    const std::size_t count = stream.Read({reinterpret_cast<std::uint8_t*>(back.data()), back.size()});
    EXPECT_EQ(back.substr(0, count), "bc" + piped + "xyz");
}

class PublishOutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousMask_ = ::umask(027);
        WriteFile(target + ".part", "stale");
        WriteFile(target, "earlier");
    }
    void TearDown() override { ::umask(previousMask_); }

    TempFolder folder;
    const std::string target = folder.Path() + "Show.exe";

private:
    mode_t previousMask_ = 0;
};

TEST_F(PublishOutputFileTest, EitherNamingReplacesTheTargetOnlyWhenCommittedAndLeavesNoTemporary) {
    for (const OutputNaming naming : {OutputNaming::UnnamedWherePossible, OutputNaming::PartFile}) {
        {
            PublishOutputFile discarded(target, naming);
            discarded.Stream().Write(AsBytes(Noise(TPublishStream::BufferSize * 2)));
        }
        EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"Show.exe"}) << "the stale part is gone too";
        EXPECT_EQ(ReadFile(target), "earlier");

        PublishOutputFile output(target, naming);
        EXPECT_EQ(output.IsUnnamed(), naming == OutputNaming::UnnamedWherePossible);
        EXPECT_EQ(fs::exists(target + ".part"), naming == OutputNaming::PartFile);
        output.Stream().Write(AsBytes("published"));
        EXPECT_EQ(ReadFile(target), "earlier");
        ASSERT_TRUE(output.Commit());
        EXPECT_EQ(ReadFile(target), "published");
        EXPECT_EQ(ModeOf(target), mode_t(0640));
        EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"Show.exe"});
        WriteFile(target, "earlier");
        WriteFile(target + ".part", "stale");
    }
    EXPECT_THROW(PublishOutputFile(folder.Path() + "missing/Show.exe"), EStreamError);
}

TEST_F(PublishOutputFileTest, AKilledWriterLeavesNothingWhenTheFileIsUnnamed) {
    if (!PublishOutputFile(folder.Path() + "probe.exe").IsUnnamed()) GTEST_SKIP() << "no unnamed files here";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            PublishOutputFile output(target);
            output.Stream().Write(AsBytes(Noise(TPublishStream::BufferSize * 3)));
            ::raise(SIGKILL);
        } catch (...) {
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"Show.exe"});
}

}  // namespace
}  // namespace velvora
