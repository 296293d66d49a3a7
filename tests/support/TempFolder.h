// A temporary folder for one test, removed with everything in it when the test ends,
// and a program folder fixture that points VELVORA_HOME at it.
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velvora::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Absolute path ending in a separator.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Writes `bytes` to `path`, creating missing parent folders.
void WriteFile(const std::string& path, std::string_view bytes);
// The bytes of `path`; fails the test when it cannot be read.
std::string ReadFile(const std::string& path);

// Each test gets a fresh program folder as VELVORA_HOME, with the global state reset.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& Home() const { return home_.Path(); }

private:
    TempFolder home_;
};

}  // namespace velvora::testing
