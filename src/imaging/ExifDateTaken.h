// When the camera took a JPEG, as its EXIF DateTimeOriginal tag says, read with libexif.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace velvora {

// The EXIF DateTimeOriginal of the file at `path`, from the EXIF IFD of its APP1 segment.
// The tag holds the camera's wall-clock time without a zone; it is read as local time, the
// zone a file manager shows file times in. Nothing when the file is missing, is no JPEG,
// has no such tag, or holds a damaged segment or a date that is not "YYYY:MM:DD HH:MM:SS"
// with each part in range (cameras write zeros or blanks for an unknown date). Reads only
// the header segments; never throws.
std::optional<std::chrono::system_clock::time_point> ReadExifDateTaken(const std::string& path);

}  // namespace velvora
