// The stub's reading of a published file as the package writer makes it: the viewer behind
// the marker, a marker copy inside the stub, and damaged viewers.
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "publish/PublishUtil.h"
#include "support/TempFolder.h"
#include "viewer/common/PublishedViewer.h"

namespace velvora {
namespace {

using testing::WriteFile;

class PublishedViewerTest : public testing::ProgramFolderTest {
protected:
    // Stub, marker, title, viewer, then some package bytes. The stub holds the marker as
    // its own program would, with no viewer after it.
    TMemoryStream PublishedFile(const std::string& viewer) {
        const std::string marker(PackageMarker.begin(), PackageMarker.end());
        WriteFile(Home() + "zorbstub.exe", "MZ stub " + marker + "code");
        WriteFile(Home() + "viewer.exe", viewer);
        TMemoryStream file;
        WriteViewerPrefix(file, "Île de Ré", Home() + "viewer.exe");
        const std::uint8_t package[] = {'Z', 'O', 'R', 'B'};
        file.Write(package);
        return file;
    }
};

TEST_F(PublishedViewerTest, FindsTheViewerBehindTheMarkerDecodesItAndReportsItDamaged) {
    std::string viewer = "MZ";
    for (int i = 0; i < 70000; ++i) viewer += static_cast<char>(i * 7 % 13);
    TMemoryStream file = PublishedFile(viewer);
    const ViewerPrefix prefix = ReadViewerPrefix(StreamByteSource(file));
    EXPECT_EQ(prefix.Title, "Île de Ré");
    EXPECT_EQ(prefix.ViewerSize, viewer.size());
    TMemoryStream extracted;
    ExtractViewer(file, prefix, extracted);
    EXPECT_EQ(std::string(extracted.Bytes().begin(), extracted.Bytes().end()), viewer);

    // Damaged viewers are reported and nothing is written.
    ViewerPrefix wrongSize = prefix;
    wrongSize.ViewerSize += 1;
    ViewerPrefix cutShort = prefix;
    cutShort.ViewerRecord.Offset = file.Size() - 3;
    // A size no record of this length could give is refused before any memory is taken for it.
    ViewerPrefix implausible = prefix;
    implausible.ViewerSize = 0xFFFFFFFFu;
    for (const ViewerPrefix& damaged : {wrongSize, cutShort, implausible}) {
        TMemoryStream nothing;
        EXPECT_THAT([&] { ExtractViewer(file, damaged, nothing); },
                    ::testing::ThrowsMessage<EPackageError>("The viewer program inside this file is damaged."));
        EXPECT_EQ(nothing.Size(), 0u);
    }
    TMemoryStream noMarker(std::vector<std::uint8_t>(200, 0x20));
    EXPECT_THROW(ReadViewerPrefix(StreamByteSource(noMarker)), EPackageError);
}

}  // namespace
}  // namespace velvora
