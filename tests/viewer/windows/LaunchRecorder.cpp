// Stands in for the viewer in the stub's Windows test: writes where it runs from and the
// command line it was given into "launch.txt" beside the file named by its argument, and
// ends with exit code 42 so that the test sees the code pass through the stub.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "viewer/win32/Win32Text.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    std::wstring folder = argv[1];
    folder.resize(folder.find_last_of(L'\\') + 1);
    std::ofstream out(std::filesystem::path(folder + L"launch.txt"), std::ios::binary);
    out << velvora::Utf8FromWide(velvora::OwnProgramPath()) << '\n' << velvora::Utf8FromWide(argv[1]) << '\n';
    return out.good() ? 42 : 3;
}
