// Any bytes as one of the files the tool reads from a show folder or the library: the first
// byte picks "folder.dat", a photo's ".dat", "quillond.dat" or "shows.dat", the rest is its
// content. The show is opened, its category shown and closed again as the editor does, or
// the library listed; a damaged file is refused with an error, never a fault.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Global.h"
#include "base/KeyValueList.h"
#include "editor/ShowDocument.h"
#include "library/ShowIndex.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process for the show and the library, removed at exit.
struct TempHome {
    const std::string path =
        (fs::temp_directory_path() / ("velvora-show-fuzz-" + std::to_string(getpid()))).string() + "/";
    TempHome() { fs::create_directories(path); }
    ~TempHome() { fs::remove_all(path); }
};

const std::string& Home() {
    static const TempHome home;
    return home.path;
}

void Write(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// A show of one category holding one photo, with `name` replaced by `content`.
void WriteShow(const std::string& show, const std::string& name, std::string_view content) {
    fs::remove_all(show);
    Write(show + "quillond.dat", "Title=Fuzz\r\n");
    Write(show + "categories.dat", "\\\r\nSelected=1\r\nAlias=0000\r\n\r\n");
    Write(show + "0000/folder.dat", "00000000=photo.jpg\r\n");
    Write(show + "0000/00000000.dat", "Name=Photo\r\nCaption=Seen\r\nWidth=4\r\nHeight=3\r\n");
    Write(show + "0000/00000000.pho", "not really a picture");
    Write(show + name, content);
}

void OpenAndCloseShow(const std::string& show) {
    velvora::KeyValueList settings;
    settings.LoadFromFile(show + "quillond.dat");
    velvora::ShowPath = show;
    velvora::ShowSettings = std::move(settings);
    velvora::ShowDocument document;
    document.LoadShow();
    document.SelectCategory(document.Tree().Root());
    document.CloseShow();
}

void ListLibrary(std::string_view index) {
    velvora::AppPath = Home();
    velvora::InitShowsPath();
    Write(velvora::ShowsPath + velvora::ShowIndexFileName, index);
    velvora::LoadShowList();
    velvora::ListShows();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr const char* ShowFiles[] = {"0000/folder.dat", "0000/00000000.dat", "quillond.dat"};
    if (size == 0) return 0;
    const std::string_view content(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t kind = data[0] % 4;
    try {
        if (kind == 3) {
            ListLibrary(content);
        } else {
            const std::string show = Home() + "show/";
            WriteShow(show, ShowFiles[kind], content);
            OpenAndCloseShow(show);
        }
    } catch (const std::runtime_error&) {
    }
    return 0;
}
