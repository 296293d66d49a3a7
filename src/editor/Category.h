// The settings object of one category and the rules for the stored names that pick its
// folder inside the show folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velvora {

// Settings of one category. Index fields point into the name lists of Global, where 0
// means "Default": take the enclosing category's value. A new object reads all "Default".
struct TCategory {
    std::string Alias;  // folder name inside the show folder; "0000" for the root
    std::int32_t Transition = 0;
    bool LeavePrevious = false;
    std::int32_t Horizontal = 0;
    std::int32_t Vertical = 0;
    std::int32_t Duration = 0;  // 8 = "Custom...": DurationCount applies
    std::int32_t DurationCount = 0;
    std::int32_t Size = 0;
    bool KeyAdvance = false;
    bool Intro = false;
    std::int32_t IntroWidth = 0;  // per cent of the viewer's screen
    std::int32_t IntroHeight = 0;
    bool About = false;
    std::int32_t AboutWidth = 0;
    std::int32_t AboutHeight = 0;
    std::int32_t Loop = 0;
    bool AutoRun = false;
    bool AutoRunExit = false;
    std::int32_t Background = 0;    // 1 = "Specific color.": BackgroundOption1 applies
    std::string BackgroundOption1;  // colour as decimal text, red in the low byte

    bool operator==(const TCategory&) const = default;
};

inline constexpr const char* RootAlias = "0000";
inline constexpr std::int32_t CustomDurationIndex = 8;
inline constexpr std::int32_t SpecificColorIndex = 1;

// Decimal integer of the whole text, 0 when it is empty, not a number or out of range.
std::int32_t DecimalOrZero(std::string_view text);

// True when `alias` names a folder directly inside the show folder: not empty, not "."
// or "..", and free of separators (either slash), drive colons and NUL characters.
bool IsSafeAlias(std::string_view alias);

// The alias a counter value stands for: at least four decimal digits ("0001").
std::string AliasForCount(std::int32_t count);

}  // namespace velvora
