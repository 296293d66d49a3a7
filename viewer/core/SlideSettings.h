// How one photo is presented: its settings resolved through the show's "Default" chain
// (photo, its category, the categories above, the show, the built-in default), and the
// per-display choice that settles every "Random".
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velvora {

using SettingLines = std::vector<std::string>;

// Indexes of the stored name lists that the viewer acts on; the stored numbers are these.
namespace TransitionIndex {
inline constexpr int Default = 0, None = 1, Random = 2, SlideFromLeft = 3, SlideFromBottomRight = 10, WipeFromLeft = 11,
                     SlideOffToRight = 18, WipeFromRight = 22, ExpandFromCenter = 25, HorizontalBarsLarge = 33,
                     Count = 34;
}
namespace AlignIndex {  // horizontal: Left, Center, Right; vertical: Top, Middle, Bottom
inline constexpr int Default = 0, Random = 1, Start = 2, Center = 3, End = 4, Count = 5;
}
namespace DurationIndex {
inline constexpr int Default = 0, Indefinite = 1, Random = 2, OneSecond = 3, ThirtySeconds = 7, Custom = 8, Count = 9;
}
namespace SizeIndex {
inline constexpr int Default = 0, ActualSize = 1, BestFit = 2, FitWidth = 3, FitHeight = 4, CustomWidth = 5,
                     CustomHeight = 6, Count = 7;
}
namespace LoopIndex {
inline constexpr int Default = 0, Once = 1, Continuous = 2, Count = 3;
}

// The value of `key` in key=value lines (key compared without regard to case, first match
// wins); empty when missing.
std::string LookupSetting(std::span<const std::string> lines, std::string_view key);
// The value as a decimal integer; `fallback` when missing or not a number.
int LookupNumber(std::span<const std::string> lines, std::string_view key, int fallback);

// A photo's settings after the "Default" chain; Transition, Horizontal, Vertical and
// Duration may still be "Random", which DisplayChoice settles for each display.
struct SlideSettings {
    int Transition = TransitionIndex::Random;
    int Horizontal = AlignIndex::Random;
    int Vertical = AlignIndex::Random;
    int Duration = DurationIndex::Random;
    int DurationSeconds = 1;  // with Duration = Custom
    int Size = SizeIndex::BestFit;
    int SizeCount = 0;                  // pixels with a custom size; 0 when none was stored (shown best fit)
    int Rotate = 0;                     // quarter turns clockwise, 0..3
    std::uint32_t BackgroundColor = 0;  // settings colour value, red in the low byte
    bool KeyAdvance = false;            // wait for a key whatever the duration says
    bool LeavePrevious = false;         // draw over the picture before instead of on a clear background

    bool operator==(const SlideSettings&) const = default;
};

// The levels a photo's settings are looked up in, nearest first: the photo's information
// lines, then its category's settings and each ancestor's up to the root, then the show's.
struct SettingChain {
    const SettingLines* Photo = nullptr;
    std::vector<const SettingLines*> Categories;  // the photo's category first, the root last
    const SettingLines* Show = nullptr;
};

// Resolves every setting through the chain. A stored index that is 0, negative or beyond its
// name list counts as "Default" and passes to the next level; the built-in defaults are
// those of a new show (Transition, alignment and Duration Random, Size best fit, black).
SlideSettings ResolveSlideSettings(const SettingChain& chain);

// The show's loop mode for a category chain (category first, root last, then the show).
int ResolveLoop(const std::vector<const SettingLines*>& categories, const SettingLines& show);

// One display of a photo with nothing left to chance.
struct DisplayChoice {
    int Transition = TransitionIndex::None;  // 1 or 3..33
    int Horizontal = AlignIndex::Center;     // 2..4
    int Vertical = AlignIndex::Center;       // 2..4
    int Size = SizeIndex::BestFit;
    int SizeCount = 0;
    bool WaitsForKey = false;     // Indefinite, or KeyAdvance
    std::int64_t DurationMs = 0;  // how long the photo stays after its transition
    std::uint32_t BackgroundColor = 0;
    bool LeavePrevious = false;

    bool operator==(const DisplayChoice&) const = default;
};

// Settles the "Random" values of `settings` with `random`, so that the same seed gives the
// same show. Random transitions pick among all effects (never None), random alignment among
// the three positions, random durations among 1, 5, 10, 15 and 30 seconds.
DisplayChoice ChooseDisplay(const SlideSettings& settings, std::mt19937& random);

}  // namespace velvora
