// Extracting the embedded viewer programs.
#include "publish/ViewerFiles.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "base/FileIo.h"
#include "base/Global.h"
#include "viewer/EmbeddedPrograms.h"

namespace velvora {

static std::unique_ptr<TFileSource> ExtractEmbeddedProgram(const char* name, std::span<const std::uint8_t> record) {
    if (record.empty()) throw std::runtime_error("This build of the program carries no viewer program.");
    auto source = std::make_unique<TFileSource>(name);
    source->SetCompress(true);
    source->SetExtension(".exe");
    TMemoryStream data(std::vector<std::uint8_t>(record.begin(), record.end()));
    source->ReadData(data);
    return source;
}

std::string StubViewerPath() { return ProgramFilePath("zorbstub.exe"); }

std::string EnsureStubViewer() {
    const std::string path = StubViewerPath();
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) return path;
    try {
        const auto stub = CreateViewerStub();
        WriteFileAtomic(path, ReadWholeFile(stub->FileName()));
    } catch (const std::runtime_error&) {
        throw std::runtime_error("The program that starts a published slide show (\"" + path +
                                 "\") is missing. Please install Velvora again.");
    }
    return path;
}

std::string ExtractCDViewer() {
    const std::string copy = AppPath + "keltview.exe";
    // The temporary file goes away with `viewer`, right after the copy.
    const auto viewer = ExtractEmbeddedProgram("Viewer_CD", ViewerCDRecord());
    WriteFileAtomic(copy, ReadWholeFile(viewer->FileName()));
    return copy;
}

std::unique_ptr<TFileSource> CreateViewerStub() { return ExtractEmbeddedProgram("ViewerStub", ViewerStubRecord()); }

}  // namespace velvora
