// The Windows programs compiled into the tool, each as one compressed record ("TQXB10").
// The build generates their definitions; in a build without the Windows programs
// (VELVORA_WITH_WINDOWS off) both are empty.
#pragma once

#include <cstdint>
#include <span>

namespace velvora {

// keltview.exe, the viewer copied next to a published show.
std::span<const std::uint8_t> ViewerCDRecord();
// zorbstub.exe, the program at the front of every published show.
std::span<const std::uint8_t> ViewerStubRecord();

}  // namespace velvora
