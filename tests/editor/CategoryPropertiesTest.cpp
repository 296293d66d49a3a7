#include "editor/CategoryProperties.h"

#include <tuple>

#include <gtest/gtest.h>

namespace velvora {
namespace {

class CategoryPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = tree.SetRoot("Show");
        root->Category = std::make_unique<TCategory>();
        category = tree.AddChild(root, "Beach");
        category->Category = std::make_unique<TCategory>();
        tree.AddChild(root, "Snow");
    }

    // Stores `state` and loads the node again, as a second opening of the dialog would.
    CategoryProperties Reopened(const CategoryProperties& state, CategoryNode* node) {
        EXPECT_EQ(state.Save(*node, settings), CategoryNameProblem::None);
        return CategoryProperties::Load(*node, settings);
    }

    CategoryTree tree;
    CategoryNode* root = nullptr;
    CategoryNode* category = nullptr;
    KeyValueList settings;
};

TEST_F(CategoryPropertiesTest, ShowWithoutSettingsOpensWithTheShowDefaultsAndStoresThem) {
    const CategoryProperties show = CategoryProperties::Load(*root, settings);
    ASSERT_EQ(show.Mode, PropertiesMode::Show);
    const std::tuple<const NameChooser*, const char*, const char*> rows[] = {
        {&show.Background, "Background", "Specific color."},
        {&show.Transition, "Transition", "Random"},
        {&show.Horizontal, "Horizontal", "Random"},
        {&show.Vertical, "Vertical", "Random"},
        {&show.Duration, "Duration", "Random"},
        {&show.Size, "Size", "Best fit on screen"},
        {&show.Loop, "Loop", "Display each photo once then stop."}};
    for (const auto& [chooser, key, text] : rows) EXPECT_EQ(chooser->Text(), text) << key;
    EXPECT_EQ(show.Seconds, "1");
    ASSERT_EQ(show.Save(*root, settings), CategoryNameProblem::None);
    const std::pair<const char*, const char*> stored[] = {
        {"Background", "1"},    {"Transition", "2"}, {"Horizontal", "1"}, {"Vertical", "1"},         {"Duration", "2"},
        {"DurationCount", "1"}, {"Size", "2"},       {"Loop", "1"},       {"ViewerShowToolbar", "0"}};
    for (const auto& [key, value] : stored) EXPECT_EQ(settings.Value(key), value) << key;
    EXPECT_EQ(root->Category->Background, 1);
}

TEST_F(CategoryPropertiesTest, NumberBoxesAreClampedWhenStored) {
    const std::tuple<std::string, int, int> rows[] = {
        // typed text, seconds, per cent
        {"abc", 1, 0}, {"0", 1, 0}, {"", 1, 0}, {"-5", 1, 0}, {"150", 150, 100}, {"20000", 10000, 100}, {"42", 42, 42}};
    for (const auto& [typed, seconds, percent] : rows) {
        CategoryProperties state = CategoryProperties::Load(*category, settings);
        state.Seconds = state.IntroWidth = state.IntroHeight = state.AboutWidth = state.AboutHeight = typed;
        ASSERT_EQ(state.Save(*category, settings), CategoryNameProblem::None);
        const TCategory& stored = *category->Category;
        EXPECT_EQ(stored.DurationCount, seconds) << typed;
        EXPECT_EQ(std::tuple(stored.IntroWidth, stored.IntroHeight, stored.AboutWidth, stored.AboutHeight),
                  std::tuple(percent, percent, percent, percent))
            << typed;
        CategoryProperties show = CategoryProperties::Load(*root, settings);
        show.Seconds = typed;
        ASSERT_EQ(show.Save(*root, settings), CategoryNameProblem::None);
        EXPECT_EQ(settings.Value("DurationCount"), std::to_string(seconds)) << typed;
    }
}

TEST_F(CategoryPropertiesTest, StoredPositionsSelectBoxEntriesAndComeBack) {
    struct Row {
        const char* what;
        std::int32_t TCategory::*field;
        NameChooser CategoryProperties::*chooser;
        std::int32_t stored;
        const char* shown;
        std::int32_t storedAgain;
    };
    const Row rows[] = {
        {"in range", &TCategory::Horizontal, &CategoryProperties::Horizontal, 4, "Right", 4},
        {"past the list", &TCategory::Horizontal, &CategoryProperties::Horizontal, 5, "Default", 0},
        {"custom stored before", &TCategory::Horizontal, &CategoryProperties::Horizontal, -1, "Default", 0},
        {"negative", &TCategory::Size, &CategoryProperties::Size, -7, "Default", 0},
        {"a transition the box lacks is kept", &TCategory::Transition, &CategoryProperties::Transition, 20, "", 20},
        {"custom duration", &TCategory::Duration, &CategoryProperties::Duration, 8, "Custom...", 8},
    };
    for (const Row& row : rows) {
        category->Category = std::make_unique<TCategory>();
        category->Category.get()->*row.field = row.stored;
        const CategoryProperties state = CategoryProperties::Load(*category, settings);
        EXPECT_EQ((state.*row.chooser).Text(), row.shown) << row.what;
        ASSERT_EQ(state.Save(*category, settings), CategoryNameProblem::None);
        EXPECT_EQ(category->Category.get()->*row.field, row.storedAgain) << row.what;
    }
}

TEST_F(CategoryPropertiesTest, CustomAlignmentStoresMinusOneAndReopensOnTheFirstEntry) {
    for (CategoryNode* node : {category, root}) {
        CategoryProperties state = CategoryProperties::Load(*node, settings);
        state.Horizontal.Select(int(state.Horizontal.Items().size()) - 1);
        ASSERT_EQ(state.Horizontal.Text(), "Custom...");
        EXPECT_EQ(Reopened(state, node).Horizontal.Text(), node == root ? "Random" : "Default");
        EXPECT_EQ(node == root ? DecimalOrZero(settings.Value("Horizontal")) : category->Category->Horizontal, -1);
    }
    settings.SetValue("Transition", "0");  // "Default", which the show's box does not offer
    settings.SetValue("Vertical", "abc");
    EXPECT_EQ(Reopened(CategoryProperties::Load(*root, settings), root).Vertical.Text(), "Random");
    EXPECT_EQ(settings.Value("Transition"), "0");
}

TEST_F(CategoryPropertiesTest, ViewerOptionsAreCheckedOnlyByOneAndStoredAsOneOrZero) {
    settings = KeyValueList({"ViewerShowToolbar=1", "ViewerViewIndividualPhotos=yes", "ViewerCopyIndividualPhotos=0",
                             "ViewerHideResolution=1"});
    CategoryProperties show = CategoryProperties::Load(*root, settings);
    EXPECT_EQ(show.Viewer, (std::array<bool, 8>{true, false, false, false, false, false, true, false}));
    show.Viewer[7] = true;
    show.Viewer[0] = false;
    ASSERT_EQ(show.Save(*root, settings), CategoryNameProblem::None);
    const char* expected[] = {"0", "0", "0", "0", "0", "0", "1", "1"};
    for (std::size_t i = 0; i < ViewerOptions.size(); ++i)
        EXPECT_EQ(settings.Value(ViewerOptions[i].Key), expected[i]) << ViewerOptions[i].Key;
}

TEST_F(CategoryPropertiesTest, RefusedNamesStoreNothingAndShowTextsStayOnOneLine) {
    CategoryProperties state = CategoryProperties::Load(*category, settings);
    state.Name = "Snow";
    state.Intro = true;
    EXPECT_EQ(state.Save(*category, settings), CategoryNameProblem::TakenBySibling);
    EXPECT_TRUE(category->Text == "Beach" && *category->Category == TCategory());
    CategoryProperties show = CategoryProperties::Load(*root, settings);
    show.Name = "Trip\nTwo";
    EXPECT_EQ(show.Save(*root, settings), CategoryNameProblem::ForbiddenCharacter);
    EXPECT_EQ(settings.Count(), 0);
    show.Name = "Trip & more";
    show.Author = "Ann\r\nBob";
    show.Description = "Line one\nTitle=Hijack";
    ASSERT_EQ(show.Save(*root, settings), CategoryNameProblem::None);
    EXPECT_EQ(root->Text, "Trip & more");
    EXPECT_EQ(settings.Value("Author"), "Ann  Bob");
    EXPECT_EQ(settings.Value("Description"), "Line one Title=Hijack");
    EXPECT_EQ(settings.IndexOfName("Title"), -1);  // the title is the caller's to set
}

}  // namespace
}  // namespace velvora
