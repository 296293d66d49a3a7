// A temporary folder for one test, removed with everything in it when the test ends,
// and a program folder fixture that points VELVORA_HOME at it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base/Global.h"

namespace velvora::testing {

class TempFolder {
public:
    // mkdtemp picks a name no other test holds and creates the folder in one step.
    TempFolder() {
        std::string folder = (std::filesystem::temp_directory_path() / "velvora-test-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("Cannot create a temporary folder");
        path_ = folder + "/";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Absolute path ending in a separator.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Writes `bytes` to `path`, creating missing parent folders.
inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// The bytes of `path`; fails the test when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test gets a fresh program folder as VELVORA_HOME, with the global state reset.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("VELVORA_HOME", home_.Path().c_str(), 1);
        InitGlobal();
    }
    void TearDown() override { ::unsetenv("VELVORA_HOME"); }

    const std::string& Home() const { return home_.Path(); }

private:
    TempFolder home_;
};

}  // namespace velvora::testing
