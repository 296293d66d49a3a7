// The published viewer file writer.
#include "publish/PublishUtil.h"

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "base/FileIo.h"
#include "base/Global.h"
#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "compression/Compress.h"
#include "compression/FileStream.h"
#include "editor/CategoryFile.h"
#include "editor/CategoryProperties.h"
#include "editor/PhotoList.h"
#include "editor/ShowDocument.h"
#include "package/PackageFormat.h"
#include "platform/MessagePump.h"
#include "publish/PublishOutput.h"

namespace velvora {

namespace {

namespace fs = std::filesystem;

constexpr const char* ShowSettingsFileName = "quillond.dat";

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool IsFile(const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

std::uint32_t Fit32(std::uint64_t value) {
    if (value > 0xFFFFFFFFu) throw std::runtime_error("The published file would be larger than 4 GB.");
    return static_cast<std::uint32_t>(value);
}

std::uint32_t TickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The viewer ends a text block at its first blank line, so blank lines inside one are
// left out; they carry no key=value setting.
std::string NonBlankLinesText(const std::string& text) {
    StringList lines = SplitLines(text);
    std::erase(lines, std::string());
    return JoinLinesCrLf(lines);
}

// The lines of a photo list that name a photo; an id of any other form could address a
// file outside the category folder.
StringList PublishedPhotoLines(const std::string& folderListPath) {
    StringList lines = SplitLines(ReadTextFile(folderListPath));
    std::erase_if(lines, [](const std::string& line) { return !IsPhotoId(KeyValueList::NameOf(line)); });
    return lines;
}

// The photo's information, with width and height as it will be shown: a quarter turn
// swaps them.
std::string AdjustedPhotoInformation(const std::string& path) {
    if (!IsFile(path)) return {};
    KeyValueList information;
    information.LoadFromFile(path);
    std::int32_t width = DecimalOrZero(information.Value("width"));
    std::int32_t height = DecimalOrZero(information.Value("height"));
    const std::int32_t rotate = DecimalOrZero(information.Value("rotate"));
    if (rotate == 1 || rotate == 3) std::swap(width, height);
    for (const auto& [key, value] : {std::pair{"width", width}, std::pair{"height", height}}) {
        const std::string line = std::string(key) + "=" + std::to_string(value);
        const int index = information.IndexOfName(key);
        if (index >= 0)
            information.Lines()[std::size_t(index)] = line;
        else
            information.Add(line);
    }
    return NonBlankLinesText(JoinLinesCrLf(information.Lines()));
}

void AddNumberIfSet(std::string& text, const char* key, std::int32_t value) {
    if (value > 0) text += std::string(key) + "=" + std::to_string(value) + "\r\n";
}

void AddFlagIfSet(std::string& text, const char* key, bool flag) {
    if (flag) text += std::string(key) + "=1\r\n";
}

// The category's settings lines that follow its Lookup line.
std::string CategorySettingsLines(const TCategory& category) {
    std::string text;
    AddNumberIfSet(text, "Loop", category.Loop);
    AddFlagIfSet(text, "LeavePrevious", category.LeavePrevious);
    AddFlagIfSet(text, "KeyAdvance", category.KeyAdvance);
    AddNumberIfSet(text, "Background", category.Background);
    if (category.Background == SpecificColorIndex) text += "BackgroundOption1=" + category.BackgroundOption1 + "\r\n";
    AddNumberIfSet(text, "Transition", category.Transition);
    AddNumberIfSet(text, "Horizontal", category.Horizontal);
    AddNumberIfSet(text, "Vertical", category.Vertical);
    AddNumberIfSet(text, "Duration", category.Duration);
    // Without its own seconds the viewer would take the show's. A category file that lacks
    // them (or holds 0) gives the least the properties dialog stores.
    if (category.Duration == CustomDurationIndex)
        text += "DurationCount=" +
                std::to_string(std::clamp(category.DurationCount, MinDurationSeconds, MaxDurationSeconds)) + "\r\n";
    AddNumberIfSet(text, "Size", category.Size);
    AddFlagIfSet(text, "Intro", category.Intro);
    AddNumberIfSet(text, "IntroWidth", category.IntroWidth);
    AddNumberIfSet(text, "IntroHeight", category.IntroHeight);
    AddFlagIfSet(text, "About", category.About);
    AddNumberIfSet(text, "AboutWidth", category.AboutWidth);
    AddNumberIfSet(text, "AboutHeight", category.AboutHeight);
    AddFlagIfSet(text, "AutoRun", category.AutoRun);
    AddFlagIfSet(text, "AutoRunExit", category.AutoRun && category.AutoRunExit);
    return text;
}

// The path line above the category's "Alias=" line in "categories.dat", ampersands doubled;
// nothing when either is missing.
std::string CategoryCaption(const StringList& categoryLines, const std::string& alias) {
    const std::string aliasLine = "Alias=" + alias;
    for (std::size_t i = 0; i < categoryLines.size(); ++i) {
        if (categoryLines[i] != aliasLine) continue;
        for (std::size_t j = i; j-- > 0;)
            if (categoryLines[j].starts_with('\\')) return EscapeAmpersands(categoryLines[j]);
        return {};
    }
    return {};
}

std::string DisplayName(const std::string& informationPath) {
    if (!IsFile(informationPath)) return {};
    KeyValueList information;
    information.LoadFromFile(informationPath);
    return information.Value("name");
}

// A category's "Lookup=" placeholder in the section text, waiting for its block's offset.
struct CategoryPatch {
    const TCategory* category;
    std::uint64_t offset;
    int phase;
};

class PackageWriter {
public:
    PackageWriter(TStream& stream, const CategoryTree& tree, bool includeFullsize, int photoTotal)
        : stream_(stream), tree_(tree), includeFullsize_(includeFullsize), photoTotal_(photoTotal) {}

    void Write() {
        stream_.Seek(stream_.Size());
        settings_ = NonBlankLinesText(ReadTextFile(ShowPath + ShowSettingsFileName));
        categoryLines_ = SplitLines(ReadTextFile(ShowPath + CategoriesFileName));
        WriteHead();
        WriteSections();
        WriteScrambled("*\r\n");
        ProgressSetStatus("Writing photos.");
        startTick_ = TickCount();
        for (const CategoryPatch& patch : categoryPatches_)
            if (!WriteCategoryBlock(patch)) return;
    }

private:
    std::uint64_t End() { return stream_.Position(); }

    void WriteScrambled(std::string_view text) { stream_.Write(AsBytes(scrambler_.ScrambleText(text))); }

    // Overwrites a placeholder with `text`, scrambled from `phase` as the placeholder was;
    // the running phase is not touched.
    void Patch(std::uint64_t offset, int phase, std::string_view text) {
        Scrambler scrambler;
        scrambler.SetPhase(phase);
        const std::uint64_t end = End();
        stream_.Seek(offset);
        stream_.Write(AsBytes(scrambler.ScrambleText(text)));
        stream_.Seek(end);
    }

    void WriteHead() {
        scrambler_.SetPhase(0);
        WriteScrambled("ZORB");
        stream_.Write(AsBytes("\r\n"));
        WriteScrambled("Version=1.0\r\n\r\n*\r\n\r\n" + settings_ + "\r\n*\r\n\r\n");
    }

    void WriteSections() {
        const CategoryNode* root = tree_.Root();
        WriteSection(*root, "\\\r\n" + settings_ + "\r\n", root->Expanded);
        WriteChildSections(*root, "\\", true);
    }

    // `chain` tells that every ancestor above `node`'s parent is expanded.
    void WriteChildSections(const CategoryNode& node, const std::string& prefix, bool chain) {
        for (int i = 0; i < node.ChildCount(); ++i) {
            const CategoryNode& child = *node.Child(i);
            const std::string path = prefix + child.Text;
            WriteSection(child, path + "\r\n", child.Expanded && chain && i == 0);
            WriteChildSections(child, path + "\\", chain && node.Expanded);
        }
    }

    void WriteSection(const CategoryNode& node, const std::string& pathLines, bool expanded) {
        static const TCategory none;
        const TCategory& category = node.Category ? *node.Category : none;
        std::string lines = pathLines;
        if (&node == tree_.Selected()) lines += "Selected=1\r\n";
        if (expanded) lines += "Expanded=1\r\n";
        lines += "Alias=" + category.Alias + "\r\n";
        std::string section = scrambler_.ScrambleText(lines);
        categoryPatches_.push_back({&category, End() + section.size(), scrambler_.Phase()});
        section += scrambler_.ScrambleText(std::string(LookupPlaceholder) + CategorySettingsLines(category) + "\r\n");
        stream_.Write(AsBytes(section));
    }

    // Returns false when the run was cancelled.
    bool WriteCategoryBlock(const CategoryPatch& patch) {
        scrambler_.SetPhase(0);
        Patch(patch.offset, patch.phase, "Lookup=" + Hex8(Fit32(End())) + "\r\n");
        const std::string& alias = patch.category->Alias;
        if (std::string caption = CategoryCaption(categoryLines_, alias); !caption.empty()) {
            caption_ = std::move(caption);
            ProgressSetStatus(caption_);
        }
        const std::string folder = ShowPath + alias + PathSeparator;
        const StringList photos = IsSafeAlias(alias) ? PublishedPhotoLines(folder + FolderListFileName) : StringList{};
        WritePhotoList(photos);
        const std::vector<std::uint64_t> recordStarts = WritePhotoRecords(folder, photos);
        WriteScrambled("*\r\n\r\n");
        for (std::size_t i = 0; i < photos.size(); ++i) {
            if (ProgressCancelled()) return false;
            WritePhotoData(folder, KeyValueList::NameOf(photos[i]), recordStarts[i]);
        }
        WriteScrambled("*\r\n\r\n");
        return true;
    }

    void WritePhotoList(const StringList& photos) {
        std::string text;
        for (const std::string& line : photos) text += line + "\r\n";
        WriteScrambled(text + "\r\n");
    }

    std::vector<std::uint64_t> WritePhotoRecords(const std::string& folder, const StringList& photos) {
        std::vector<std::uint64_t> starts;
        for (const std::string& line : photos) {
            scrambler_.SetPhase(0);
            starts.push_back(End());
            std::string record(LookupPlaceholder);
            if (includeFullsize_) record += std::string(FullsizePlaceholder) + std::string(FullsizeBytesPlaceholder);
            record += AdjustedPhotoInformation(folder + KeyValueList::NameOf(line) + PhotoPropertiesExtension);
            WriteScrambled(record + "\r\n");
        }
        return starts;
    }

    void WritePhotoData(const std::string& folder, const std::string& id, std::uint64_t recordStart) {
        Patch(recordStart, 0, "Lookup=" + Hex8(Fit32(End())) + "\r\n");
        AppendFile(stream_, folder + id + ThumbnailExtension);
        ProgressStep();
        const std::string name = DisplayName(folder + id + PhotoPropertiesExtension);
        ProgressSetStatus(caption_.empty() ? name : caption_ + " - " + name);
        ProgressRefresh();
        ++done_;
        if (includeFullsize_) {
            const std::uint32_t imageOffset = Fit32(End());
            const std::uint32_t imageSize = Fit32(AppendFile(stream_, folder + id + PhotoImageExtension));
            // The Fullsize lines follow the Lookup line inside the record's phase sequence.
            Patch(recordStart + LookupPlaceholder.size(), int(LookupPlaceholder.size() % ScramblePhaseCount),
                  "Fullsize=" + Hex8(imageOffset) + "\r\nFullsizeBytes=" + Hex8(imageSize) + "\r\n");
        }
        ProgressStep();
        ProgressSetStatus(ProgressEstimateText(done_, photoTotal_, TickCount() - startTick_));
        ProgressRefresh();
        PumpMessages();
    }

    TStream& stream_;
    const CategoryTree& tree_;
    const bool includeFullsize_;
    const int photoTotal_;
    Scrambler scrambler_;
    std::string settings_;
    StringList categoryLines_;
    std::vector<CategoryPatch> categoryPatches_;
    std::string caption_;
    std::uint32_t startTick_ = 0;
    int done_ = 0;
};

}  // namespace

std::uint64_t AppendFile(TStream& stream, const std::string& path) {
    if (!IsFile(path)) return 0;
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.IsOpen()) throw EStreamError("Cannot open file \"" + path + "\".");
    return AppendFileContents(stream, file.Get());
}

void AppendFileCompressed(TStream& stream, const std::string& path) {
    if (!IsFile(path)) return;
    TFileStream file(path, TFileStream::Mode::Read);
    TCompressStream().CompressStream(file, stream, file.Size());
}

std::string ReadTextFile(const std::string& path) {
    if (!IsFile(path)) return {};
    return JoinLinesCrLf(SplitLines(ReadWholeFile(path)));
}

void WriteViewerPrefix(TStream& stream, const std::string& title, const std::string& viewerFile) {
    if (title.size() > MaxTitleBytes)
        throw std::runtime_error("The slide show title is longer than 255 bytes. Please shorten it and publish again.");
    if (!IsFile(viewerFile)) throw std::runtime_error("The viewer program \"" + viewerFile + "\" is missing.");
    const std::uint32_t viewerSize = Fit32(fs::file_size(viewerFile));
    stream.Seek(stream.Size());
    AppendFile(stream, ProgramFilePath(StubFileName));
    stream.Write(PackageMarker);
    const std::uint8_t titleLength = static_cast<std::uint8_t>(title.size());
    stream.Write({&titleLength, 1});
    stream.Write(AsBytes(title));
    stream.WriteUInt32(viewerSize);
    AppendFileCompressed(stream, viewerFile);
}

int CountPublishPhotos() {
    std::size_t count = PublishedPhotoLines(ShowPath + RootAlias + PathSeparator + FolderListFileName).size();
    for (const std::string& line : SplitLines(ReadTextFile(ShowPath + CategoriesFileName))) {
        const std::string alias = KeyValueList::ValueOf(line);
        if (SameTextIgnoringCase(KeyValueList::NameOf(line), "alias") && IsSafeAlias(alias))
            count += PublishedPhotoLines(ShowPath + alias + PathSeparator + FolderListFileName).size();
    }
    count += PublishedPhotoLines(ShowPath + FolderListFileName).size();
    ProgressSetPosition(0);
    ProgressSetMax(static_cast<int>(2 * count));
    return static_cast<int>(count);
}

void WritePublishedShow(TStream& stream, const CategoryTree& tree, bool includeFullsize, int photoTotal) {
    PackageWriter(stream, tree, includeFullsize, photoTotal).Write();
}

}  // namespace velvora
