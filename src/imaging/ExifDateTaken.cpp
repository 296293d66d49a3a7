// EXIF date taken through libexif.
#include "imaging/ExifDateTaken.h"

#include <ctime>
#include <string_view>

#include "imaging/ExifData.h"

namespace velvora {

namespace {

// "YYYY:MM:DD HH:MM:SS": the digits at these places, a colon or a space between them.
constexpr std::string_view DatePattern = "dddd:dd:dd dd:dd:dd";

// The number written at `text[first, first + count)`; the pattern has checked the digits.
int Number(std::string_view text, std::size_t first, std::size_t count) {
    int value = 0;
    for (std::size_t i = first; i < first + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

std::optional<std::tm> ParseExifDate(std::string_view text) {
    if (text.size() < DatePattern.size()) return std::nullopt;
    for (std::size_t i = 0; i < DatePattern.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (DatePattern[i] == 'd' ? !digit : text[i] != DatePattern[i]) return std::nullopt;
    }
    std::tm date{};
    date.tm_year = Number(text, 0, 4) - 1900;
    date.tm_mon = Number(text, 5, 2) - 1;
    date.tm_mday = Number(text, 8, 2);
    date.tm_hour = Number(text, 11, 2);
    date.tm_min = Number(text, 14, 2);
    date.tm_sec = Number(text, 17, 2);
    date.tm_isdst = -1;
    const bool inRange = date.tm_year >= 0 && date.tm_mon >= 0 && date.tm_mon < 12 && date.tm_mday >= 1 &&
                         date.tm_mday <= 31 && date.tm_hour < 24 && date.tm_min < 60 && date.tm_sec <= 60;
    return inRange ? std::optional<std::tm>(date) : std::nullopt;
}

}  // namespace

std::optional<std::chrono::system_clock::time_point> ReadExifDateTaken(const std::string& path) {
    const ExifDataPointer data = ReadExifFile(path);
    if (!data) return std::nullopt;
    const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL);
    if (entry == nullptr || entry->format != EXIF_FORMAT_ASCII || entry->data == nullptr) return std::nullopt;
    const auto date = ParseExifDate({reinterpret_cast<const char*>(entry->data), entry->size});
    if (!date) return std::nullopt;
    std::tm local = *date;
    const std::time_t time = std::mktime(&local);
    if (time == static_cast<std::time_t>(-1)) return std::nullopt;
    return std::chrono::system_clock::from_time_t(time);
}

}  // namespace velvora
