// Compressed records over memory and file streams: layout, limits, and damaged records.
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
    TMemoryStream source(input);
    TMemoryStream destination;
    TCompressStream().CompressStream(source, destination, input.size());
    return destination.Bytes();
}

Bytes Unpack(const Bytes& record) {
    TMemoryStream source(record);
    TMemoryStream destination;
    TCompressStream().DecompressStream(source, destination);
    return destination.Bytes();
}

std::uint32_t UInt32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Block lengths of a record, checking that the total field matches them.
std::vector<std::uint32_t> BlockLengths(const Bytes& record) {
    std::vector<std::uint32_t> lengths;
    std::size_t at = 10;
    while (at < record.size()) {
        lengths.push_back(UInt32At(record, at));
        at += 4 + lengths.back();
    }
    EXPECT_EQ(at, record.size());
    EXPECT_EQ(UInt32At(record, 6), record.size() - 10);
    return lengths;
}

void PutUInt32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes Patterned(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * i / 7 + i / 1000);
    return bytes;
}

TEST(CompressTest, EmptyInputGivesTenByteRecord) {
    const Bytes record = Record({});
    EXPECT_EQ(record, (Bytes{'T', 'Q', 'X', 'B', '1', '0', 0, 0, 0, 0}));
    EXPECT_TRUE(Unpack(record).empty());
}

TEST(CompressTest, BlocksHoldFullPiecesOfTheSource) {
    const Bytes one = Patterned(MaxBlockInput);
    EXPECT_EQ(BlockLengths(Record(one)).size(), 1u);
    EXPECT_EQ(Unpack(Record(one)), one);

    const Bytes two = Patterned(MaxBlockInput + 1);
    const auto lengths = BlockLengths(Record(two));
    ASSERT_EQ(lengths.size(), 2u);
    EXPECT_EQ(lengths[1], 2u);
    EXPECT_EQ(Unpack(Record(two)), two);
}

TEST(CompressTest, ZerosCompressToRunItems) {
    const Bytes zeros(65566, 0);
    const Bytes record = Record(zeros);
    // Each block: flag, one control word, eight runs of 4095 and one of 23.
    EXPECT_EQ(BlockLengths(record), (std::vector<std::uint32_t>{39, 39}));
    EXPECT_EQ(Unpack(record), zeros);
}

TEST(CompressTest, RecordsBackToBackReadInTurn) {
    const Bytes first = Patterned(40000);
    const Bytes second(5, 'x');
    TMemoryStream stream;
    TCompressStream compressor;
    TMemoryStream firstSource(first), secondSource(second);
    compressor.CompressStream(firstSource, stream, first.size());
    const std::uint64_t firstEnd = stream.Position();
    compressor.CompressStream(secondSource, stream, second.size());
    stream.Write(Bytes{'t', 'a', 'i', 'l'});

    stream.Seek(0);
    TMemoryStream firstOut, secondOut;
    compressor.DecompressStream(stream, firstOut);
    EXPECT_EQ(stream.Position(), firstEnd);
    compressor.DecompressStream(stream, secondOut);
    EXPECT_EQ(firstOut.Bytes(), first);
    EXPECT_EQ(secondOut.Bytes(), second);
    EXPECT_EQ(stream.Position(), stream.Size() - 4);
}

TEST(CompressTest, WrongSignatureWritesNothing) {
    for (const Bytes& input : {Bytes{'T', 'Q', 'X', 'B', '1', '1', 0, 0, 0, 0}, Bytes{'T', 'Q'}, Bytes{}}) {
        TMemoryStream source(input);
        TMemoryStream destination;
        try {
            TCompressStream().DecompressStream(source, destination);
            ADD_FAILURE() << "no error";
        } catch (const ECompressedRecord& error) {
            EXPECT_STREQ(error.what(), "Wrong file type");
        }
        EXPECT_EQ(destination.Size(), 0u);
    }
}

TEST(CompressTest, DamagedRecordsAreRejected) {
    const Bytes good = Record(Patterned(70000));
    Bytes totalTooSmall = good;
    PutUInt32At(totalTooSmall, 6, 2);
    Bytes totalTooLarge = good;
    PutUInt32At(totalTooLarge, 6, UInt32At(good, 6) + 100000);
    Bytes totalOneOver = good;
    PutUInt32At(totalOneOver, 6, UInt32At(good, 6) + 1);
    Bytes blockTooLong = good;
    PutUInt32At(blockTooLong, 10, MaxBlockLength + 1);
    Bytes cut = good;
    cut.resize(good.size() - 100);

    EXPECT_THROW(Unpack(totalTooSmall), ECompressedRecord);
    EXPECT_THROW(Unpack(totalTooLarge), EStreamError);
    EXPECT_THROW(Unpack(totalOneOver), ECompressedRecord);
    EXPECT_THROW(Unpack(blockTooLong), ECompressedRecord);
    EXPECT_THROW(Unpack(cut), EStreamError);
}

TEST(CompressTest, ShortReadKeepsWhatWasDecoded) {
    const Bytes input = Patterned(70000);
    Bytes record = Record(input);
    record.resize(record.size() - 1);
    TMemoryStream source(record);
    TMemoryStream destination;
    EXPECT_THROW(TCompressStream().DecompressStream(source, destination), EStreamError);
    ASSERT_EQ(destination.Size(), 2 * MaxBlockInput);
    EXPECT_TRUE(std::equal(destination.Bytes().begin(), destination.Bytes().end(), input.begin()));
}

TEST(CompressTest, SourceShorterThanCountIsAnError) {
    TMemoryStream source(Bytes(100, 'a'));
    TMemoryStream destination;
    EXPECT_THROW(TCompressStream().CompressStream(source, destination, 101), EStreamError);
}

TEST(CompressTest, FileStreamsCarryRecordAfterOtherData) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "record.bin";
    const Bytes input = Patterned(100000);
    {
        TFileStream file(path, TFileStream::Mode::Create);
        file.Write(Bytes{'M', 'Z'});
        TMemoryStream source(input);
        TCompressStream().CompressStream(source, file, input.size());
        EXPECT_EQ(file.Position(), file.Size());
        file.Close();
    }
    TFileStream file(path, TFileStream::Mode::Read);
    file.Seek(2);
    TMemoryStream decoded;
    TCompressStream().DecompressStream(file, decoded);
    EXPECT_EQ(decoded.Bytes(), input);
    EXPECT_EQ(file.Position(), file.Size());
}

TEST(CompressTest, MissingFileCannotBeOpened) {
    testing::TempFolder folder;
    EXPECT_THROW(TFileStream(folder.Path() + "missing", TFileStream::Mode::Read), EStreamError);
}

TEST(CompressTest, MemoryStreamFillsGapWithZeros) {
    TMemoryStream stream;
    stream.Seek(3);
    stream.Write(Bytes{'a'});
    EXPECT_EQ(stream.Bytes(), (Bytes{0, 0, 0, 'a'}));
    Bytes buffer(2);
    EXPECT_EQ(stream.Read(buffer), 0u);
}

}  // namespace
}  // namespace velvora
