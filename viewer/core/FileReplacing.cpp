// The replacing write over the front end's file calls.
#include "viewer/core/FileReplacing.h"

#include <stdexcept>

namespace velvora {

void WriteFileReplacing(FileSystem& files, const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string partial = path + ".partial";
    if (!files.WriteNew(partial, bytes) || !files.Replace(partial, path)) {
        files.Remove(partial);
        throw std::runtime_error("The file \"" + path + "\" could not be written.");
    }
}

}  // namespace velvora
