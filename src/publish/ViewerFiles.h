// The viewer programs the tool carries: the stub installed beside it, which publishing puts
// at the front of every published show, and the CD viewer it extracts from itself.
#pragma once

#include <memory>
#include <string>

#include "compression/FileSrc.h"

namespace velvora {

// ProgramFilePath("zorbstub.exe"): the program folder's copy, else the installed one. Only
// builds the name; the file is installed with the tool.
std::string StubViewerPath();

// StubViewerPath, after installing the stub from the tool's own copy when it is missing,
// so that no published file goes out without the program that starts it. Throws
// std::runtime_error when there is no stub and it cannot be installed.
std::string EnsureStubViewer();

// Extracts the embedded CD viewer and copies it to AppPath + "keltview.exe", replacing
// an earlier copy, and returns that path. Throws std::runtime_error ("Cannot create file
// ...") when the program folder is not writable, so that publishing never goes on with
// an old or missing viewer.
std::string ExtractCDViewer();

// The main window's ViewerStub: the embedded stub extracted to a temporary "*.exe" file
// that is deleted with the returned object. Throws like TFileSource::ReadData.
std::unique_ptr<TFileSource> CreateViewerStub();

}  // namespace velvora
