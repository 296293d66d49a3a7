#include "package/PackageFormat.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velvora {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(ScramblerTest, KeyCyclesThroughNinePhasesAndSurvivesBetweenCalls) {
    Scrambler scrambler;
    std::string scrambled = scrambler.ScrambleText("ABCDEFG");
    scrambled += scrambler.ScrambleText("HIJK");
    EXPECT_EQ(scrambler.Phase(), 2);
    const std::string text = "ABCDEFGHIJK";
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(std::uint8_t(scrambled[i]), std::uint8_t(text[i] ^ ScrambleKey[i % 9])) << i;
    EXPECT_EQ(Scrambler().ScrambleText(scrambled), text);
}

TEST(PackageFormatTest, Hex8IsEightUppercaseDigits) {
    EXPECT_EQ(Hex8(0) + " " + Hex8(0xABCDEF) + " " + Hex8(0xFFFFFFFF), "00000000 00ABCDEF FFFFFFFF");
}

// A marker counts only where a record follows it, as a copy inside the stub does not. The
// stub's search without exceptions tells a missing marker from a record cut off; the tool's
// throws for both.
TEST(PackageFormatTest, MarkerSearchSkipsACopyWithoutRecordAndReadsThePrefixOrSaysWhyNot) {
    const std::string marker(PackageMarker.begin(), PackageMarker.end());
    const std::string record = std::string("TQXB10") + std::string("\3\0\0\0abc", 7);
    // The real marker lies across the boundary of two search chunks.
    const std::string stub = marker + "stub" + std::string(64 * 1024 - 40 - 96, 'x');
    const auto file = Bytes(stub + marker + "\x02Hi" + std::string("\x10\0\0\0", 4) + record + "ZORB");
    const ViewerPrefix prefix = ReadViewerPrefix(MemoryByteSource(file));
    EXPECT_EQ(prefix.MarkerOffset, stub.size());
    EXPECT_EQ(prefix.Title, "Hi");
    EXPECT_EQ(prefix.ViewerSize, 16u);
    EXPECT_EQ(prefix.ViewerRecord, (ByteExtent{stub.size() + 92 + 7, record.size()}));
    EXPECT_EQ(prefix.PackageOffset, file.size() - 4);
    ViewerPrefixExtents extents;
    EXPECT_EQ(LocateViewerPrefix(MemoryByteSource(file), 0, extents), PrefixSearch::Found);
    EXPECT_EQ(extents.Title, (ByteExtent{stub.size() + 93, 2}));
    EXPECT_EQ(extents.ViewerRecord, prefix.ViewerRecord);

    // The record's total claims one byte more than the file holds.
    auto damaged = file;
    damaged[prefix.ViewerRecord.Offset + 6] = 8;
    EXPECT_EQ(LocateViewerPrefix(MemoryByteSource(damaged), 0, extents), PrefixSearch::RecordPastEnd);
    EXPECT_THROW(ReadViewerPrefix(MemoryByteSource(damaged)), EPackageError);
    EXPECT_EQ(LocateViewerPrefix(MemoryByteSource(file), stub.size() + 1, extents), PrefixSearch::NoMarker);
    EXPECT_EQ(LocateViewerPrefix(MemoryByteSource(Bytes(stub)), 0, extents), PrefixSearch::NoMarker);
    EXPECT_THROW(ReadViewerPrefix(MemoryByteSource(Bytes(stub))), EPackageError);
    EXPECT_THROW(ReadPackage(MemoryByteSource(file), prefix.PackageOffset), EPackageError);
}

}  // namespace
}  // namespace velvora
