// The velvora-cli commands.
#include "cli/CliCommands.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <system_error>
#include <utility>

#include "base/FileIo.h"
#include "base/Global.h"
#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "editor/CategoryFile.h"
#include "editor/FolderAdding.h"
#include "editor/PhotoAdding.h"
#include "editor/ShowDocument.h"
#include "library/NewShow.h"
#include "library/ShowIndex.h"
#include "package/PackageFormat.h"
#include "platform/MessagePump.h"
#include "publish/PublishRun.h"
#include "video/VideoExport.h"
#include "video/VideoSettings.h"
#include "viewer/core/FileByteSource.h"
#ifdef VELVORA_VIDEO_CAPTIONS
#include "video/VideoCaptions.h"
#endif

namespace velvora {

std::atomic<bool> CliInterruptRequested{false};

namespace {

namespace fs = std::filesystem;

constexpr const char* ProgramUsage =
    "usage: velvora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  list                      the shows of the library: FOLDER, TITLE and AUTHOR, tab-separated\n"
    "  new TITLE                 creates a show and prints its folder\n"
    "  add SHOW CATEGORY FILE... adds photos (files or folders of them) to a category\n"
    "  publish SHOW OUTPUT.exe   writes the published viewer file of a show\n"
    "  inspect FILE.exe          shows what a published file holds\n"
    "  video SHOW OUTPUT.mp4     writes the show as an H.264 MP4 video\n"
    "\n"
    "'velvora-cli COMMAND --help' describes one command. The library is in the program's\n"
    "folder, or in $VELVORA_HOME when it is set.\n"
    "Exit status: 0 done, 1 failed (nothing changed), 2 usage error, 3 done but files were\n"
    "skipped (add), 130 stopped by Ctrl+C (what was finished stays).\n";

struct Arguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options;  // "--author" -> text; flags hold ""
};

struct Command {
    const char* Usage;
    std::vector<std::string> ValueOptions;  // options that take the next argument
    std::vector<std::string> FlagOptions;
    std::size_t MinPositional;
    std::size_t MaxPositional;
    std::function<int(const Arguments&, std::ostream&, std::ostream&)> Run;
};

class UsageError : public std::exception {};

// A failure of a command: `message` goes to stderr, the status is CliFailed.
class CliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

Arguments ParseArguments(const Command& command, const std::vector<std::string>& args) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !arg.starts_with("--")) {
            parsed.Positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (Contains(command.FlagOptions, arg)) {
            parsed.Options[arg];
        } else if (Contains(command.ValueOptions, arg) && i + 1 < args.size()) {
            parsed.Options[arg] = args[++i];
        } else {
            throw UsageError();
        }
    }
    if (parsed.Positional.size() < command.MinPositional || parsed.Positional.size() > command.MaxPositional)
        throw UsageError();
    return parsed;
}

// The value of an option, empty when it was not given.
std::string OptionValue(const Arguments& args, const std::string& name) {
    const auto found = args.Options.find(name);
    return found == args.Options.end() ? std::string() : found->second;
}

// Stored messages break lines with CR LF, for message boxes; a terminal wants LF.
std::string TerminalText(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
}

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

bool IsFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code ignored;
    return WithTrailingSeparator(fs::absolute(folder, ignored).lexically_normal().string());
}

// Makes `folder` the open show as opening it in the window does: ShowPath and its settings.
void OpenShowFolder(const std::string& folder) {
    const std::string showFolder = AbsoluteFolder(folder);
    if (!IsFile(showFolder + ShowSettingsFileName))
        throw CliError(folder + ": not a show folder (it has no " + ShowSettingsFileName + ")");
    KeyValueList settings;
    settings.LoadFromFile(showFolder + ShowSettingsFileName);
    ShowPath = showFolder;
    ShowSettings = std::move(settings);
}

// Lets the core's pauses between photos notice Ctrl+C, as the window's Cancel button.
class InterruptAsCancel {
public:
    InterruptAsCancel()
        : previous_(SetMessagePump([] {
              if (CliInterruptRequested) ProgressCancel();
          })) {}
    ~InterruptAsCancel() { SetMessagePump(std::move(previous_)); }
    InterruptAsCancel(const InterruptAsCancel&) = delete;
    InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

private:
    std::function<void()> previous_;
};

void OpenLibrary() {
    InitShowsPath();
    LoadShowList();
}

int ListCommand(const Arguments&, std::ostream& out, std::ostream&) {
    OpenLibrary();
    std::vector<ShowRecord> records = ListShows();
    SortShowsByTitle(records);
    for (const ShowRecord& show : records) out << show.Folder << '\t' << show.Title << '\t' << show.Author << '\n';
    return CliDone;
}

int NewCommand(const Arguments& args, std::ostream& out, std::ostream&) {
    const std::string& title = args.Positional[0];
    if (IsBlankTitle(title)) throw CliError("the title of a new show must not be blank");
    OpenLibrary();
    out << CreateShow(title, OptionValue(args, "--description"), OptionValue(args, "--author")) << '\n';
    return CliDone;
}

// The category named by a stored path ("\" for the root, "\Holidays\Beach"), or null.
CategoryNode* FindCategory(const CategoryTree& tree, const std::string& path) {
    if (!path.starts_with('\\')) return nullptr;
    CategoryNode* node = tree.Root();
    std::size_t start = 1;
    while (node && start < path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        node = FindChildNode(node, std::string_view(path).substr(start, end - start));
        start = end + 1;
    }
    return node;
}

// Reads the category tree as loading the show will, without writing anything, so that a
// category that does not exist fails the command before the show is touched.
bool ShowHasCategory(const std::string& path) {
    CategoryTree tree;
    tree.SetRoot(ShowSettings.Value("Title"));
    const std::string categories = ShowPath + CategoriesFileName;
    if (IsFile(categories)) ReadCategoryTree(tree, SplitLines(ReadWholeFile(categories)));
    return FindCategory(tree, path) != nullptr;
}

void ReportSkipped(std::ostream& err, const std::string& file, const std::string& reason) {
    err << "velvora-cli: skipped " << file << ": " << reason << '\n';
}

std::string SkipReason(const std::string& file) {
    std::error_code error;
    const bool readable = IsFile(file) && fs::file_size(file, error) > 0 && !error;
    return readable ? "not a JPEG, bitmap, PNG, GIF, TIFF, WebP or HEIF picture that can be read" : "the file cannot be read";
}

// The photos of the command's file and folder arguments, for one batch; an argument that
// names nothing is reported and counted in `missing`.
StringList PhotoFilesOf(const Arguments& args, std::ostream& err, int& missing) {
    StringList files;
    for (std::size_t i = 2; i < args.Positional.size(); ++i) {
        const fs::path input = fs::absolute(args.Positional[i]);
        if (IsFolder(input)) {
            const StringList found =
                AllPhotoFiles(ScanPhotoFolder(input.string(), args.Options.contains("--recursive")));
            files.insert(files.end(), found.begin(), found.end());
        } else if (IsFile(input)) {
            files.push_back(input.string());
        } else {
            ReportSkipped(err, args.Positional[i], "no such file or folder");
            ++missing;
        }
    }
    return files;
}

// Subfolders become categories below one folder only, so anything else is a usage error,
// found before the show is touched.
std::string CategoryTreeFolderOf(const Arguments& args) {
    if (args.Positional.size() != 3) throw UsageError();
    const fs::path folder = fs::absolute(args.Positional[2]);
    if (IsFile(folder)) throw UsageError();
    if (!IsFolder(folder)) throw CliError(args.Positional[2] + ": no such folder");
    return folder.string();
}

std::string CountText(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

int AddCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
    const bool asCategories = args.Options.contains("--subfolders-as-categories");
    const std::string treeFolder = asCategories ? CategoryTreeFolderOf(args) : std::string();
    const std::string& category = args.Positional[1];
    OpenShowFolder(args.Positional[0]);
    if (!ShowHasCategory(category)) throw CliError(args.Positional[0] + ": the show has no category " + category);

    int skipped = 0;
    const PhotoFolder photos =
        asCategories ? ScanPhotoFolder(treeFolder, true) : PhotoFolder{{}, PhotoFilesOf(args, err, skipped), {}};

    ShowDocument document;
    document.LoadShow();
    CategoryNode* const selected = document.Tree().Selected();
    document.SelectCategory(FindCategory(document.Tree(), category));
    const FolderBatchResult result = AddFolderBatch(
        document, photos, asCategories ? FolderAddMode::SubfoldersAsCategories : FolderAddMode::IntoCategory);
    // The window would open on the category it was left at, so the command leaves it there.
    document.SelectCategory(selected);
    document.CloseShow();

    for (const std::string& file : result.SkippedFiles) ReportSkipped(err, file, SkipReason(file));
    skipped += static_cast<int>(result.SkippedFiles.size());
    out << "Added " << CountText(result.PhotosAdded, "photo", "photos") << " to " << category;
    if (asCategories)
        out << " and " << CountText(result.CategoriesAdded, "new category", "new categories") << " below it";
    out << ".\n";
    if (!result.Error.empty()) throw CliError(result.Error);
    if (CliInterruptRequested) return CliInterrupted;
    return skipped > 0 ? CliSkipped : CliDone;
}

PublishTarget OutputTarget(const std::string& output) {
    const fs::path path = fs::absolute(output).lexically_normal();
    const std::string fileName = path.filename().string();
    if (const std::string problem = FileNameProblem(fileName); !problem.empty())
        throw CliError(output + ": " + problem);
    return {WithTrailingSeparator(path.parent_path().string()), fileName};
}

int PublishCommand(const Arguments& args, std::ostream&, std::ostream& err) {
    const PublishTarget target = OutputTarget(args.Positional[1]);
    OpenShowFolder(args.Positional[0]);
    ShowDocument document;
    document.LoadShow();
    document.SaveShow();
    const PublishResult result = RunPublish(document.Tree(), target, "Publishing slide show...");
    switch (result.Outcome) {
        case PublishOutcome::Published:
            return CliDone;
        case PublishOutcome::Cancelled:
            err << "velvora-cli: " << args.Positional[1] << ": publishing stopped; nothing was written\n";
            return CliInterrupted;
        case PublishOutcome::Failed:
            break;
    }
    throw CliError(args.Positional[1] + ": " + TerminalText(result.Message));
}

// A whole decimal number of the option, or `fallback` when it was not given.
int NumberOption(const Arguments& args, const std::string& name, int fallback) {
    if (!args.Options.contains(name)) return fallback;
    const std::string text = OptionValue(args, name);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) throw UsageError();
    return value;
}

VideoSize SizeOption(const Arguments& args) {
    VideoSize size{1920, 1080};
    if (!args.Options.contains("--size")) return size;
    const std::string text = OptionValue(args, "--size");
    const char* const last = text.data() + text.size();
    const auto width = std::from_chars(text.data(), last, size.Width);
    if (width.ec != std::errc() || width.ptr == last || (*width.ptr != 'x' && *width.ptr != 'X')) throw UsageError();
    const auto height = std::from_chars(width.ptr + 1, last, size.Height);
    if (height.ec != std::errc() || height.ptr != last) throw UsageError();
    return size;
}

VideoStreamFormat VideoFormatOf(const Arguments& args) {
    const VideoSize size = SizeOption(args);
    const int quality = NumberOption(args, "--quality", VideoSettings().Quality);
    if (quality < 1 || quality > 100) throw CliError("the quality must be from 1 to 100");
    return {size.Width, size.Height, NumberOption(args, "--fps", VideoSettings().Fps), CrfOfQuality(quality)};
}

// Captions need Qt's text drawing; a build without Qt writes videos without them.
CaptionPainter CliCaptionPainter() {
#ifdef VELVORA_VIDEO_CAPTIONS
    return QtCaptionPainter();
#else
    return {};
#endif
}

int VideoCommand(const Arguments& args, std::ostream&, std::ostream& err) {
    VideoExportRequest request;
    request.Format = VideoFormatOf(args);
    if (const std::string problem = VideoFormatProblem(request.Format); !problem.empty()) throw CliError(problem);
    request.OutputPath = fs::absolute(args.Positional[1]).lexically_normal().string();
    request.CategoryPath = OptionValue(args, "--category");
    OpenShowFolder(args.Positional[0]);
    ShowDocument document;
    document.LoadShow();
    document.SaveShow();
    request.Captions = CliCaptionPainter();
    const PublishResult result = RunVideoExport(document.Tree(), request, "Making the video...");
    switch (result.Outcome) {
        case PublishOutcome::Published:
            return CliDone;
        case PublishOutcome::Cancelled:
            err << "velvora-cli: " << args.Positional[1] << ": the video was stopped; nothing was written\n";
            return CliInterrupted;
        case PublishOutcome::Failed:
            break;
    }
    throw CliError(args.Positional[1] + ": " + TerminalText(result.Message));
}

int InspectCommand(const Arguments& args, std::ostream& out, std::ostream&) {
    const std::string& file = args.Positional[0];
    if (IsFolder(file)) throw CliError(file + ": a folder, not a published show");
    try {
        const FileByteSource source(file);
        const ViewerPrefix prefix = ReadViewerPrefix(source);
        const PackageContents contents = ReadPackage(source, prefix.PackageOffset);
        std::size_t photos = 0;
        out << "title " << prefix.Title << '\n' << "viewer " << prefix.ViewerSize << '\n';
        for (const PackageCategory& category : contents.Categories) {
            out << "category " << category.Path << '\t' << category.Photos.size() << '\n';
            photos += category.Photos.size();
        }
        out << "photos " << photos << '\n';
    } catch (const EPackageError& error) {
        throw CliError(file + ": " + error.what());
    }
    return CliDone;
}

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands{
        {"list",
         {"usage: velvora-cli list\n"
          "Lists the shows of the library, sorted by title, one per line: FOLDER, TITLE and AUTHOR\n"
          "separated by tabs.\n",
          {},
          {},
          0,
          0,
          ListCommand}},
        {"new",
         {"usage: velvora-cli new TITLE [--author TEXT] [--description TEXT]\n"
          "Creates a show in the library, named after its title (a numbered folder when the name\n"
          "is taken), and prints its folder.\n",
          {"--author", "--description"},
          {},
          1,
          1,
          NewCommand}},
        {"add",
         {"usage: velvora-cli add [--recursive] SHOW_FOLDER CATEGORY FILE_OR_FOLDER...\n"
          "       velvora-cli add --subfolders-as-categories SHOW_FOLDER CATEGORY FOLDER\n"
          "Adds photos to the category whose path is CATEGORY (\\ for the show itself,\n"
          "\\Holidays\\Beach for a category), sorted by path as Add Photos sorts them. A folder adds\n"
          "the JPEG, bitmap, PNG, GIF, TIFF, WebP and HEIF files directly inside it; with\n"
          "--recursive, those of its subfolders too. With --subfolders-as-categories, the photos\n"
          "directly in FOLDER go into CATEGORY and each subfolder with photos becomes a new\n"
          "category below it, nested as on disk and named after the folder. Hidden files and\n"
          "folders and links to folders are left out. PNG, GIF, TIFF, WebP and HEIF pictures are\n"
          "stored as JPEGs, turned upright. Files that cannot be added are named on stderr and\n"
          "skipped (exit status 3).\n",
          {},
          {"--recursive", "--subfolders-as-categories"},
          3,
          SIZE_MAX,
          AddCommand}},
        {"publish",
         {"usage: velvora-cli publish SHOW_FOLDER OUTPUT.exe\n"
          "Saves the show as the editor does and writes its published viewer file. The output\n"
          "appears complete or not at all; Ctrl+C stops the run and leaves nothing behind. Its\n"
          "name must be one Windows takes: none of : * ? \" < > | \\ or control characters, and no\n"
          "dot or blank at the end (refused with exit status 1).\n",
          {},
          {},
          2,
          2,
          PublishCommand}},
        {"inspect",
         {"usage: velvora-cli inspect FILE.exe\n"
          "Checks a published file and prints its title, the size of its viewer, each category\n"
          "with its number of photos, and the number of photos.\n",
          {},
          {},
          1,
          1,
          InspectCommand}},
        {"video",
         {"usage: velvora-cli video SHOW_FOLDER OUTPUT.mp4 [--size WxH] [--fps N] [--quality N]\n"
          "                         [--category PATH]\n"
          "Saves the show as the editor does and plays it into an H.264 MP4 video, as the viewer\n"
          "shows it: once, without the about category, photos that wait for a key staying their\n"
          "own seconds or 5. --size is from 16x16 to 8192x8192 and even (default 1920x1080),\n"
          "--fps from 1 to 120 (default 30), --quality from 1 (smallest) to 100 (best; default\n"
          "75). --category plays the category with that path (\\Holidays) and those below it.\n"
          "The output appears complete or not at all; Ctrl+C stops the run and leaves nothing.\n",
          {"--size", "--fps", "--quality", "--category"},
          {},
          2,
          2,
          VideoCommand}},
    };
    return commands;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << ProgramUsage;
        return CliUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << ProgramUsage;
        return CliDone;
    }
    const auto found = Commands().find(args[0]);
    if (found == Commands().end()) {
        err << "velvora-cli: unknown command '" << args[0] << "'\n" << ProgramUsage;
        return CliUsage;
    }
    const Command& command = found->second;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest)) {
        out << command.Usage;
        return CliDone;
    }
    try {
        const Arguments parsed = ParseArguments(command, rest);
        InterruptAsCancel interrupt;
        return command.Run(parsed, out, err);
    } catch (const UsageError&) {
        err << command.Usage;
        return CliUsage;
    } catch (const std::exception& error) {
        err << "velvora-cli: " << TerminalText(error.what()) << '\n';
        return CliFailed;
    }
}

}  // namespace velvora
