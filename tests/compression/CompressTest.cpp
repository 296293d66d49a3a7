// Compressed records over memory and file streams: layout, limits, and damaged records.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compression/Compress.h"
#include "compression/LZRW1KH.h"
#include "compression/Stream.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Record(const Bytes& input) {
    TMemoryStream source(input), destination;
    TCompressStream().CompressStream(source, destination, input.size());
    return destination.Bytes();
}

Bytes Unpack(const Bytes& record, TMemoryStream&& destination = TMemoryStream()) {
    TMemoryStream source(record);
    TCompressStream().DecompressStream(source, destination);
    return destination.Bytes();
}

std::uint32_t UInt32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void PutUInt32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes Patterned(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * i / 7 + i / 1000);
    return bytes;
}

TEST(CompressTest, RecordsSplitIntoFullBlocks) {
    const struct {
        Bytes input;
        std::vector<std::uint32_t> blockLengths;
    } cases[] = {
        {{}, {}},
        {Patterned(MaxBlockInput), {0}},  // 0: not checked, only the count
        {Patterned(MaxBlockInput + 1), {0, 2}},
        // Each block: flag, one control word, eight runs of 4095 and one of 23.
        {Bytes(65566, 0), {39, 39}},
    };
    for (const auto& c : cases) {
        const Bytes record = Record(c.input);
        ASSERT_GE(record.size(), 10u);
        EXPECT_EQ(std::string(record.begin(), record.begin() + 6), "TQXB10");
        EXPECT_EQ(UInt32At(record, 6), record.size() - 10);
        std::vector<std::uint32_t> lengths;
        for (std::size_t at = 10; at < record.size(); at += 4 + UInt32At(record, at)) {
            lengths.push_back(c.blockLengths.size() > lengths.size() && c.blockLengths[lengths.size()] == 0
                                  ? 0
                                  : UInt32At(record, at));
        }
        EXPECT_EQ(lengths, c.blockLengths) << c.input.size();
        EXPECT_EQ(Unpack(record), c.input) << c.input.size();
    }
}

TEST(CompressTest, FileCarriesRecordsBackToBackAfterOtherData) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "record.bin";
    const Bytes first = Patterned(100000), second(5, 'x');
    std::uint64_t firstEnd = 0;
    {
        TFileStream file(path, TFileStream::Mode::Create);
        file.Write(Bytes{'M', 'Z'});
        TMemoryStream firstSource(first), secondSource(second);
        TCompressStream().CompressStream(firstSource, file, first.size());
        firstEnd = file.Position();
        TCompressStream().CompressStream(secondSource, file, second.size());
        file.Write(Bytes{'t', 'a', 'i', 'l'});
    }
    TFileStream file(path, TFileStream::Mode::Read);
    file.Seek(2);
    TMemoryStream firstOut, secondOut;
    TCompressStream().DecompressStream(file, firstOut);
    EXPECT_EQ(file.Position(), firstEnd);
    TCompressStream().DecompressStream(file, secondOut);
    EXPECT_EQ(file.Position(), file.Size() - 4);
    EXPECT_EQ(firstOut.Bytes(), first);
    EXPECT_EQ(secondOut.Bytes(), second);
    EXPECT_THROW(TFileStream(folder.Path() + "missing", TFileStream::Mode::Read), EStreamError);
}

TEST(CompressTest, DamagedRecordsAreRejected) {
    for (const Bytes& input : {Bytes{'T', 'Q', 'X', 'B', '1', '1', 0, 0, 0, 0}, Bytes{'T', 'Q'}, Bytes{}}) {
        TMemoryStream source(input), destination;
        try {
            TCompressStream().DecompressStream(source, destination);
            ADD_FAILURE() << "no error";
        } catch (const ECompressedRecord& error) {
            EXPECT_STREQ(error.what(), "Wrong file type");
        }
        EXPECT_EQ(destination.Size(), 0u);
    }
    const Bytes input = Patterned(70000), good = Record(input);
    const auto damaged = [&](std::size_t at, std::uint32_t value) {
        Bytes record = good;
        PutUInt32At(record, at, value);
        return record;
    };
    EXPECT_THROW(Unpack(damaged(6, 2)), ECompressedRecord);  // total below the blocks
    EXPECT_THROW(Unpack(damaged(6, UInt32At(good, 6) + 1)), ECompressedRecord);
    EXPECT_THROW(Unpack(damaged(6, UInt32At(good, 6) + 100000)), EStreamError);
    EXPECT_THROW(Unpack(damaged(10, MaxBlockLength + 1)), ECompressedRecord);
    EXPECT_THROW(Unpack(Bytes(good.begin(), good.end() - 100)), EStreamError);

    // A short read keeps the blocks decoded before it.
    TMemoryStream source(Bytes(good.begin(), good.end() - 1)), destination;
    EXPECT_THROW(TCompressStream().DecompressStream(source, destination), EStreamError);
    ASSERT_EQ(destination.Size(), 2 * MaxBlockInput);
    EXPECT_TRUE(std::equal(destination.Bytes().begin(), destination.Bytes().end(), input.begin()));
}

TEST(CompressTest, StreamsRefuseShortSourcesAndFillGapsWithZeros) {
    TMemoryStream source(Bytes(100, 'a')), destination;
    EXPECT_THROW(TCompressStream().CompressStream(source, destination, 101), EStreamError);
    TMemoryStream stream;
    stream.Seek(3);
    stream.Write(Bytes{'a'});
    EXPECT_EQ(stream.Bytes(), (Bytes{0, 0, 0, 'a'}));
    Bytes buffer(2);
    EXPECT_EQ(stream.Read(buffer), 0u);
}

}  // namespace
}  // namespace velvora
