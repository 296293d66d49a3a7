// Compressed records over memory and file streams: layout, limits, and damaged records.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "compression/Compress.h"
#include "compression/FileStream.h"
#include "compression/LZRW1KH.h"
#include "compression/RecordDecoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Record(const Bytes& input) {
    TMemoryStream source(input), destination;
    TCompressStream().CompressStream(source, destination, input.size());
    return destination.Bytes();
}

Bytes Unpack(const Bytes& record) {
    TMemoryStream source(record), destination;
    TCompressStream().DecompressStream(source, destination);
    return destination.Bytes();
}

std::uint32_t UInt32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

Bytes Patterned(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * i / 7 + i / 1000);
    return bytes;
}

TEST(CompressTest, RecordsSplitIntoFullBlocks) {
    // The patterned bytes do not compress and are stored. A full block of zeros: flag, one
    // control word, eight runs of 4095 and one of 23.
    const std::pair<Bytes, std::vector<std::uint32_t>> cases[] = {{{}, {}},
                                                                  {Patterned(MaxBlockInput), {MaxBlockLength}},
                                                                  {Patterned(MaxBlockInput + 1), {MaxBlockLength, 2}},
                                                                  {Bytes(65566, 0), {39, 39}}};
    for (const auto& [input, blockLengths] : cases) {
        const Bytes record = Record(input);
        ASSERT_GE(record.size(), 10u);
        EXPECT_EQ(std::string(record.begin(), record.begin() + 6), "TQXB10");
        EXPECT_EQ(UInt32At(record, 6), record.size() - 10);
        std::vector<std::uint32_t> lengths;
        for (std::size_t at = 10; at < record.size(); at += 4 + lengths.back()) lengths.push_back(UInt32At(record, at));
        EXPECT_EQ(lengths, blockLengths) << input.size();
        EXPECT_EQ(Unpack(record), input) << input.size();
    }
}

TEST(CompressTest, FileCarriesRecordsBackToBackAfterOtherData) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "record.bin";
    const Bytes first = Patterned(100000), second(5, 'x');
    {
        TFileStream file(path, TFileStream::Mode::Create);
        file.Write(Bytes{'M', 'Z'});
        TMemoryStream firstSource(first), secondSource(second);
        TCompressStream().CompressStream(firstSource, file, first.size());
        TCompressStream().CompressStream(secondSource, file, second.size());
        file.Write(Bytes{'t', 'a', 'i', 'l'});
    }
    TFileStream file(path, TFileStream::Mode::Read);
    file.Seek(2);
    TMemoryStream firstOut, secondOut;
    // A first record read past its end would leave the second one unreadable.
    TCompressStream().DecompressStream(file, firstOut);
    TCompressStream().DecompressStream(file, secondOut);
    EXPECT_EQ(file.Position(), file.Size() - 4);
    EXPECT_EQ(firstOut.Bytes(), first);
    EXPECT_EQ(secondOut.Bytes(), second);
}

TEST(CompressTest, DamagedRecordsAndShortSourcesAreRejectedKeepingTheWholeBlocksBefore) {
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
        for (int i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
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

    TMemoryStream shortSource(Bytes(100, 'a'));
    EXPECT_THROW(TCompressStream().CompressStream(shortSource, destination, 101), EStreamError);
    Bytes buffer(2);
    EXPECT_EQ(shortSource.Read(buffer), 0u);  // used up by the failed compression

    // The exception-free decoder behind DecompressStream, as the stub runs it: into a fixed
    // area that takes whole blocks only, and within the size bound the stub allocates by.
    EXPECT_GE(MaxDecodedSize(good.size()), input.size());
    EXPECT_LT(MaxDecodedSize(RecordHeadSize + 9), MaxBlockInput);  // one block of two runs at most
    EXPECT_EQ(MaxDecodedSize(RecordHeadSize), 0u);
    const auto scratch = std::make_unique<RecordScratch>();
    const auto decode = [&](std::size_t areaSize, Bytes& area) {
        TMemoryStream recordSource(good);
        StreamRecordInput in(recordSource);
        area.assign(areaSize, 0);
        SpanRecordOutput out(area);
        const RecordDecoding result = DecodeRecord(in, out, *scratch);
        return std::pair(result.Status, out.Written());
    };
    Bytes area;
    EXPECT_EQ(decode(input.size(), area), std::pair(RecordStatus::Decoded, input.size()));
    EXPECT_EQ(area, input);
    EXPECT_EQ(decode(input.size() - 1, area), std::pair(RecordStatus::WriteRefused, 2 * MaxBlockInput));
    EXPECT_TRUE(std::equal(area.begin(), area.begin() + 2 * MaxBlockInput, input.begin()));
}

}  // namespace
}  // namespace velvora
