// The category properties dialog's state: loading, storing and the rules between controls.
#include "editor/CategoryProperties.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace velvora {

namespace {

constexpr const char* CustomAlignment = "Custom...";

// Show settings read when their key is missing; they are list positions.
constexpr std::int32_t DefaultShowLoop = 1;
constexpr std::int32_t DefaultShowBackground = 1;
constexpr std::int32_t DefaultShowTransition = 2;
constexpr std::int32_t DefaultShowHorizontal = 1;
constexpr std::int32_t DefaultShowVertical = 1;
constexpr std::int32_t DefaultShowDuration = 2;
constexpr std::int32_t DefaultShowSize = 2;
constexpr const char* DefaultShowSeconds = "1";

// The show is the enclosing value of every category, so its boxes offer no "Default".
StringList Offered(StringList items, PropertiesMode mode) {
    if (mode == PropertiesMode::Show && !items.empty()) items.erase(items.begin());
    return items;
}

StringList WithCustom(StringList items) {
    items.push_back(CustomAlignment);
    return items;
}

StringList BasicTransitions() {
    StringList items;
    FillBasicTransitions(items);
    return items;
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A stored position that is not a number cannot name an entry; -1 makes the box fall
// back to its first entry.
std::int32_t ShowIndex(const KeyValueList& settings, std::string_view key, std::int32_t missing) {
    if (settings.IndexOfName(key) < 0) return missing;
    return ParseDecimal(settings.Value(key)).value_or(-1);
}

std::string ShowText(const KeyValueList& settings, std::string_view key, const char* missing) {
    return settings.IndexOfName(key) < 0 ? std::string(missing) : settings.Value(key);
}

int ScreenPercent(const std::string& text) { return StrToIntRange(text, 0, MaxScreenPercent); }

int DurationSeconds(const std::string& text) { return StrToIntRange(text, MinDurationSeconds, MaxDurationSeconds); }

void SetShowIndex(KeyValueList& settings, std::string_view key, const NameChooser& chooser) {
    settings.SetValue(key, std::to_string(chooser.StoredPosition()));
}

void LoadShowSettings(CategoryProperties& state, const KeyValueList& settings) {
    state.Author = settings.Value("Author");
    state.Description = settings.Value("Description");
    state.Background.ShowStored(ShowIndex(settings, "Background", DefaultShowBackground));
    state.BackgroundColor = settings.Value("BackgroundOption1");
    state.Transition.ShowStored(ShowIndex(settings, "Transition", DefaultShowTransition));
    state.Horizontal.ShowStored(ShowIndex(settings, "Horizontal", DefaultShowHorizontal));
    state.Vertical.ShowStored(ShowIndex(settings, "Vertical", DefaultShowVertical));
    state.Duration.ShowStored(ShowIndex(settings, "Duration", DefaultShowDuration));
    state.Seconds = ShowText(settings, "DurationCount", DefaultShowSeconds);
    state.Size.ShowStored(ShowIndex(settings, "Size", DefaultShowSize));
    state.Loop.ShowStored(ShowIndex(settings, "Loop", DefaultShowLoop));
    for (std::size_t i = 0; i < ViewerOptions.size(); ++i)
        state.Viewer[i] = settings.Value(ViewerOptions[i].Key) == "1";
}

void LoadCategory(CategoryProperties& state, const TCategory& category) {
    state.Background.ShowStored(category.Background);
    state.BackgroundColor = category.BackgroundOption1;
    state.Transition.ShowStored(category.Transition);
    state.Horizontal.ShowStored(category.Horizontal);
    state.Vertical.ShowStored(category.Vertical);
    state.Duration.ShowStored(category.Duration);
    state.Seconds = std::to_string(category.DurationCount);
    state.Size.ShowStored(category.Size);
    state.Loop.ShowStored(category.Loop);
    state.Intro = category.Intro;
    state.IntroWidth = std::to_string(category.IntroWidth);
    state.IntroHeight = std::to_string(category.IntroHeight);
    state.About = category.About;
    state.AboutWidth = std::to_string(category.AboutWidth);
    state.AboutHeight = std::to_string(category.AboutHeight);
    state.AutoRun = category.AutoRun;
    state.AutoRunExit = category.AutoRunExit;
}

void SaveShowSettings(const CategoryProperties& state, KeyValueList& settings) {
    settings.SetValue("Author", SingleLineValue(state.Author));
    settings.SetValue("Description", SingleLineValue(state.Description));
    SetShowIndex(settings, "Transition", state.Transition);
    SetShowIndex(settings, "Horizontal", state.Horizontal);
    SetShowIndex(settings, "Vertical", state.Vertical);
    SetShowIndex(settings, "Duration", state.Duration);
    settings.SetValue("DurationCount", std::to_string(DurationSeconds(state.Seconds)));
    SetShowIndex(settings, "Size", state.Size);
    SetShowIndex(settings, "Loop", state.Loop);
    SetShowIndex(settings, "Background", state.Background);
    settings.SetValue("BackgroundOption1", state.BackgroundColor);
    for (std::size_t i = 0; i < ViewerOptions.size(); ++i)
        settings.SetValue(ViewerOptions[i].Key, state.Viewer[i] ? "1" : "0");
}

void SaveCategory(const CategoryProperties& state, TCategory& category) {
    category.Background = state.Background.StoredPosition();
    category.BackgroundOption1 = state.BackgroundColor;
    category.Transition = state.Transition.StoredPosition();
    category.Loop = state.Loop.StoredPosition();
    category.Horizontal = state.Horizontal.StoredPosition();
    category.Vertical = state.Vertical.StoredPosition();
    category.Duration = state.Duration.StoredPosition();
    category.DurationCount = DurationSeconds(state.Seconds);
    category.Size = state.Size.StoredPosition();
    category.Intro = state.Intro;
    category.IntroWidth = ScreenPercent(state.IntroWidth);
    category.IntroHeight = ScreenPercent(state.IntroHeight);
    category.About = state.About;
    category.AboutWidth = ScreenPercent(state.AboutWidth);
    category.AboutHeight = ScreenPercent(state.AboutHeight);
    category.AutoRun = state.AutoRun;
    category.AutoRunExit = state.AutoRunExit;
}

}  // namespace

void NameChooser::ShowStored(std::int32_t position) {
    shown_ = position;
    if (position < 0 || position >= std::int32_t(names_->size())) {
        Select(0);
        return;
    }
    const auto offered = std::find(items_.begin(), items_.end(), (*names_)[std::size_t(position)]);
    Select(offered == items_.end() ? -1 : int(offered - items_.begin()));
}

std::int32_t NameChooser::StoredPosition() const {
    if (selected_ < 0) return shown_;
    const auto named = std::find(names_->begin(), names_->end(), items_[std::size_t(selected_)]);
    return named == names_->end() ? -1 : std::int32_t(named - names_->begin());
}

CategoryProperties::CategoryProperties(PropertiesMode mode)
    : Mode(mode),
      Loop(LoopNames, Offered(LoopNames, mode)),
      Background(BackgroundNames, Offered(BackgroundNames, mode)),
      Transition(TransitionNames, Offered(BasicTransitions(), mode)),
      Horizontal(HorizontalAlignNames, Offered(WithCustom(HorizontalAlignNames), mode)),
      Vertical(VerticalAlignNames, Offered(WithCustom(VerticalAlignNames), mode)),
      Duration(DurationNames, Offered(DurationNames, mode)),
      Size(SizeNames, Offered(SizeNames, mode)) {}

CategoryProperties CategoryProperties::Load(const CategoryNode& node, const KeyValueList& showSettings) {
    const bool isShow = node.Parent() == nullptr;
    CategoryProperties state(isShow ? PropertiesMode::Show : PropertiesMode::Category);
    state.Name = node.Text;
    if (isShow)
        LoadShowSettings(state, showSettings);
    else
        LoadCategory(state, node.Category ? *node.Category : TCategory());
    return state;
}

CategoryNameProblem CategoryProperties::Save(CategoryNode& node, KeyValueList& showSettings) const {
    const CategoryNameProblem problem = CheckCategoryName(node, Name);
    if (problem != CategoryNameProblem::None) return problem;
    node.Text = Name;
    if (Mode == PropertiesMode::Show) SaveShowSettings(*this, showSettings);
    // A node still being built has no settings object to store into.
    if (!node.Category) return CategoryNameProblem::None;
    if (Mode == PropertiesMode::Show) {
        node.Category->Background = Background.StoredPosition();
        node.Category->BackgroundOption1 = BackgroundColor;
    } else {
        SaveCategory(*this, *node.Category);
    }
    return CategoryNameProblem::None;
}

bool CategoryProperties::SecondsVisible() const { return Duration.Text() == DurationNames[CustomDurationIndex]; }

bool CategoryProperties::BackgroundEditEnabled() const {
    return Mode == PropertiesMode::Show || Background.Selected() > 0;
}

bool CategoryProperties::CanPickBackgroundColor() const {
    return Background.Text() == BackgroundNames[SpecificColorIndex];
}

std::string CategoryNameProblemText(CategoryNameProblem problem, bool isRoot, std::string_view name) {
    switch (problem) {
        case CategoryNameProblem::Empty:
            return isRoot ? "Please enter a title for your photo slide show." : "Please enter a name for the category.";
        case CategoryNameProblem::ForbiddenCharacter:
            return isRoot ? "The title of a slide show must fit on one line."
                          : "A category name cannot contain a backslash (\\) or a line break.";
        case CategoryNameProblem::TakenBySibling:
            return "Another category here is already named \"" + std::string(name) +
                   "\". Please choose a different name.";
        case CategoryNameProblem::None:
            break;
    }
    return {};
}

}  // namespace velvora
