// The camera's orientation tag of a JPEG, read with libexif, and the quarter turn that shows
// the picture upright.
#pragma once

#include <string>
#include <string_view>

namespace velvora {

// The EXIF Orientation (1 to 8) of the JPEG at `path`, from the first IFD of its APP1
// segment. 1, the picture as stored, when the file has no such tag, cannot be read, holds a
// damaged EXIF segment or a value outside 1 to 8. Reads only the header segments; never throws.
int ReadExifOrientation(const std::string& path);

// The Orientation (1 to 8) held by `block`, an EXIF block as files other than JPEGs carry
// it: a TIFF header and its IFDs, with or without "Exif\0\0" in front. 1 when it has none
// or cannot be read, as above; never throws.
int ExifBlockOrientation(std::string_view block);

// The payload of a JPEG APP1 segment ("Exif\0\0" and the block) carrying `block` with its
// Orientation set to 1, for a picture whose pixels have been stood upright, so that the date
// taken and the camera's details stay with it. Empty when `block` is empty, cannot be read
// or does not fit one segment.
std::string UprightExifSegment(std::string_view block);

// The photo rotation (0 none, 1 a quarter turn clockwise, 2 a half turn, 3 a quarter turn
// counter-clockwise) that stands a picture stored with `orientation` upright. Mirrored
// orientations get the turn of their unmirrored partner, so the picture comes out upright
// though mirrored left to right. Values outside 1 to 8 give 0.
int ClockwiseTurnsForOrientation(int orientation);

}  // namespace velvora
