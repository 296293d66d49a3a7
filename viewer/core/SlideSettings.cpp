// The "Default" chain of a photo's settings and the settling of "Random" per display.
#include "viewer/core/SlideSettings.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace velvora {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
    return value;
}

// The lines of each level, nearest first, skipping levels that are absent.
std::vector<const SettingLines*> Levels(const SettingChain& chain) {
    std::vector<const SettingLines*> levels;
    if (chain.Photo) levels.push_back(chain.Photo);
    for (const SettingLines* category : chain.Categories)
        if (category) levels.push_back(category);
    if (chain.Show) levels.push_back(chain.Show);
    return levels;
}

// The first level, from `first` on, that stores a value of `key` in 1..count-1, and that
// value; "Default", "Custom..." (stored as -1) and damaged values pass the question on.
struct Found {
    int Value = 0;
    std::size_t Level = 0;
};
std::optional<Found> FindIndex(const std::vector<const SettingLines*>& levels, std::string_view key, int count,
                               std::size_t first = 0) {
    for (std::size_t level = first; level < levels.size(); ++level) {
        const int value = LookupNumber(*levels[level], key, 0);
        if (value > 0 && value < count) return Found{value, level};
    }
    return std::nullopt;
}

int IndexOr(const std::vector<const SettingLines*>& levels, std::string_view key, int count, int fallback) {
    const auto found = FindIndex(levels, key, count);
    return found ? found->Value : fallback;
}

// A positive count (seconds, pixels) stored at `first` or a level above it, clamped to
// 1..10000 as the editor stores it; 0 when none is stored.
int CountFrom(const std::vector<const SettingLines*>& levels, std::string_view key, std::size_t first) {
    for (std::size_t level = first; level < levels.size(); ++level) {
        const int value = LookupNumber(*levels[level], key, 0);
        if (value > 0) return std::min(value, 10000);
    }
    return 0;
}

// A photo stores its colour as "BackgroundColor", categories and the show as
// "BackgroundOption1"; the nearest level with "Background=1" decides, black when none does.
std::uint32_t ResolveBackground(const SettingChain& chain, const std::vector<const SettingLines*>& levels) {
    const auto found = FindIndex(levels, "Background", 2);
    if (!found) return 0;
    const SettingLines& lines = *levels[found->Level];
    const bool isPhoto = chain.Photo && found->Level == 0;
    return std::uint32_t(LookupNumber(lines, isPhoto ? "BackgroundColor" : "BackgroundOption1", 0)) & 0xFFFFFFu;
}

bool AnyFlag(const std::vector<const SettingLines*>& levels, std::string_view key) {
    return std::any_of(levels.begin(), levels.end(),
                       [&](const SettingLines* lines) { return LookupSetting(*lines, key) == "1"; });
}

std::int64_t DurationSecondsOf(int duration) {
    static constexpr std::int64_t seconds[] = {1, 5, 10, 15, 30};
    return seconds[duration - DurationIndex::OneSecond];
}

int Pick(std::mt19937& random, int lowest, int highest) {
    return std::uniform_int_distribution<int>(lowest, highest)(random);
}

int SettleAlign(int align, std::mt19937& random) {
    return align == AlignIndex::Random ? Pick(random, AlignIndex::Start, AlignIndex::End) : align;
}

}  // namespace

std::string LookupSetting(std::span<const std::string> lines, std::string_view key) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && EqualIgnoringCase(std::string_view(line).substr(0, equals), key))
            return line.substr(equals + 1);
    }
    return {};
}

int LookupNumber(std::span<const std::string> lines, std::string_view key, int fallback) {
    return ParseNumber(LookupSetting(lines, key)).value_or(fallback);
}

SlideSettings ResolveSlideSettings(const SettingChain& chain) {
    const std::vector<const SettingLines*> levels = Levels(chain);
    SlideSettings settings;
    settings.Transition = IndexOr(levels, "Transition", TransitionIndex::Count, TransitionIndex::Random);
    settings.Horizontal = IndexOr(levels, "Horizontal", AlignIndex::Count, AlignIndex::Random);
    settings.Vertical = IndexOr(levels, "Vertical", AlignIndex::Count, AlignIndex::Random);
    if (const auto duration = FindIndex(levels, "Duration", DurationIndex::Count)) {
        settings.Duration = duration->Value;
        if (duration->Value == DurationIndex::Custom)
            settings.DurationSeconds = std::max(CountFrom(levels, "DurationCount", duration->Level), 1);
    }
    if (const auto size = FindIndex(levels, "Size", SizeIndex::Count)) {
        settings.Size = size->Value;
        if (size->Value == SizeIndex::CustomWidth || size->Value == SizeIndex::CustomHeight)
            settings.SizeCount = CountFrom(levels, "SizeCount", size->Level);
    }
    if (chain.Photo) settings.Rotate = std::clamp(LookupNumber(*chain.Photo, "Rotate", 0), 0, 3);
    settings.BackgroundColor = ResolveBackground(chain, levels);
    settings.KeyAdvance = AnyFlag(levels, "KeyAdvance");
    settings.LeavePrevious = AnyFlag(levels, "LeavePrevious");
    return settings;
}

int ResolveLoop(const std::vector<const SettingLines*>& categories, const SettingLines& show) {
    return IndexOr(Levels({nullptr, categories, &show}), "Loop", LoopIndex::Count, LoopIndex::Once);
}

DisplayChoice ChooseDisplay(const SlideSettings& settings, std::mt19937& random) {
    DisplayChoice choice;
    choice.Transition = settings.Transition == TransitionIndex::Random
                            ? Pick(random, TransitionIndex::SlideFromLeft, TransitionIndex::Count - 1)
                            : settings.Transition;
    choice.Horizontal = SettleAlign(settings.Horizontal, random);
    choice.Vertical = SettleAlign(settings.Vertical, random);
    choice.Size = settings.Size;
    choice.SizeCount = settings.SizeCount;
    choice.BackgroundColor = settings.BackgroundColor;
    choice.LeavePrevious = settings.LeavePrevious;
    const int duration = settings.Duration == DurationIndex::Random
                             ? Pick(random, DurationIndex::OneSecond, DurationIndex::ThirtySeconds)
                             : settings.Duration;
    choice.WaitsForKey = settings.KeyAdvance || duration == DurationIndex::Indefinite;
    if (duration == DurationIndex::Custom)
        choice.DurationMs = std::int64_t(settings.DurationSeconds) * 1000;
    else if (duration != DurationIndex::Indefinite)
        choice.DurationMs = DurationSecondsOf(duration) * 1000;
    return choice;
}

}  // namespace velvora
