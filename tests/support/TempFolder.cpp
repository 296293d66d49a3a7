#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/Global.h"

namespace velvora::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device seed;
    fs::path folder = fs::temp_directory_path() / ("velvora-test-" + std::to_string(seed()) + std::to_string(seed()));
    fs::create_directories(folder);
    path_ = folder.string() + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ProgramFolderTest::SetUp() {
    ::setenv("VELVORA_HOME", home_.Path().c_str(), 1);
    InitGlobal();
}

void ProgramFolderTest::TearDown() { ::unsetenv("VELVORA_HOME"); }

}  // namespace velvora::testing
