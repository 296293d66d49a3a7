// Category settings helpers: decimal values and folder names.
#include "editor/Category.h"

#include <charconv>

namespace velvora {

std::int32_t DecimalOrZero(std::string_view text) {
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (error == std::errc() && end == text.data() + text.size()) ? value : 0;
}

bool IsSafeAlias(std::string_view alias) {
    return !alias.empty() && alias != "." && alias != ".." &&
           alias.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

std::string AliasForCount(std::int32_t count) {
    std::string digits = std::to_string(count);
    return std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

}  // namespace velvora
