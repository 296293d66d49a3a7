#include "editor/CategoryTree.h"

#include <gtest/gtest.h>

namespace velvora {
namespace {

CategoryNode* WithCategory(CategoryNode* node) {
    node->Category = std::make_unique<TCategory>();
    return node;
}

TEST(CategoryTree, AddNodeByPathFollowsNamesKeepsLostCategoriesInsideTheShowAndCapsTheDepth) {
    CategoryTree tree;
    tree.SetRoot("Show");
    CategoryNode* holidays = AddNodeByPath(tree, "\\Holidays");
    CategoryNode* beach = AddNodeByPath(tree, "\\Holidays\\Beach");
    EXPECT_EQ(beach->Parent(), holidays);
    EXPECT_EQ(AddNodeByPath(tree, "\\holidays\\Snow")->Parent(), tree.Root());  // names are case-sensitive
    EXPECT_EQ(AddNodeByPath(tree, "\\Holidays\\Missing\\Deep")->Parent(), holidays);
    CategoryNode* unnamed = AddNodeByPath(tree, "");
    EXPECT_TRUE(unnamed->Parent() == tree.Root() && unnamed->Text.empty());
    EXPECT_EQ(tree.IndexOf(unnamed), tree.Count() - 1);
    EXPECT_EQ(tree.NodeAt(2), beach);  // pre-order: root, Holidays, Beach, Deep, ...

    // The nesting depth is capped.
    std::string path;
    CategoryNode* node = tree.Root();
    for (int level = 0; level < MaxCategoryDepth + 50; ++level) {
        path += "\\n";
        node = AddNodeByPath(tree, path);
    }
    int depth = 0;
    for (const CategoryNode* n = node; n->Parent(); n = n->Parent()) ++depth;
    EXPECT_EQ(depth, MaxCategoryDepth);
}

TEST(CategoryTree, NamesThatTheCategoryFileCannotHoldAreRefusedAndNewNamesAreNumbered) {
    CategoryTree tree;
    CategoryNode* root = tree.SetRoot("Show");
    CategoryNode* beach = tree.AddChild(root, "Beach");
    tree.AddChild(root, "Snow");
    using P = CategoryNameProblem;
    for (const char* name : {"Sea", "Beach", "beach"}) EXPECT_EQ(CheckCategoryName(*beach, name), P::None) << name;
    for (const char* name : {" \t", ""}) EXPECT_EQ(CheckCategoryName(*beach, name), P::Empty) << name;
    for (const char* name : {"a\\b", "a\nb"}) EXPECT_EQ(CheckCategoryName(*beach, name), P::ForbiddenCharacter);
    EXPECT_EQ(CheckCategoryName(*beach, "Snow"), P::TakenBySibling);
    EXPECT_EQ(CheckCategoryName(*root, "Rock \\ Roll"), P::None);  // the title is no path in the category file
    EXPECT_EQ(CheckCategoryName(*root, "Two\r\nlines"), P::ForbiddenCharacter);
    EXPECT_EQ(CheckCategoryName(*root, " "), P::Empty);
    tree.AddChild(root, "New");
    tree.AddChild(root, "New 2");
    EXPECT_EQ(UniqueChildName(*root, "New"), "New 3");
    EXPECT_EQ(UniqueChildName(*beach, "New"), "New");
}

TEST(CategoryTree, ExclusiveFlagsClearTheOtherCategoriesOnly) {
    CategoryTree tree;
    CategoryNode* root = WithCategory(tree.SetRoot("Show"));
    TCategory& kept = *WithCategory(tree.AddChild(root, "First"))->Category;
    CategoryNode* second = WithCategory(tree.AddChild(root, "Second"));
    kept.Intro = kept.About = kept.AutoRun = kept.AutoRunExit = true;
    kept.IntroWidth = kept.IntroHeight = kept.AboutWidth = kept.AboutHeight = 50;
    root->Category->Intro = true;
    second->Category->Intro = true;
    ApplyExclusiveFlags(tree, second);
    EXPECT_FALSE(kept.Intro);
    EXPECT_FALSE(root->Category->Intro);
    EXPECT_EQ(kept.IntroWidth + kept.IntroHeight, 0);
    EXPECT_TRUE(kept.About && kept.AutoRun && kept.AutoRunExit);
    second->Category->AutoRun = true;
    ApplyExclusiveFlags(tree, second);
    EXPECT_FALSE(kept.AutoRun || kept.AutoRunExit);
    EXPECT_TRUE(kept.About);
}

TEST(CategoryTree, BackgroundComesFromPhotoThenNearestCategoryThenBlack) {
    CategoryTree tree;
    CategoryNode* root = WithCategory(tree.SetRoot("Show"));
    CategoryNode* outer = WithCategory(tree.AddChild(root, "Outer"));
    CategoryNode* inner = WithCategory(tree.AddChild(outer, "Inner"));
    EXPECT_EQ(ResolveBackgroundColor(0, "", inner), 0);
    outer->Category->Background = 1;
    outer->Category->BackgroundOption1 = "16711680";
    EXPECT_EQ(ResolveBackgroundColor(0, "", inner), 16711680);
    EXPECT_EQ(ResolveBackgroundColor(1, "255", inner), 255);
    EXPECT_EQ(ResolveBackgroundColor(2, "255", inner), std::nullopt);
    inner->Category->Background = 2;  // an index no chooser offers decides nothing
    EXPECT_EQ(ResolveBackgroundColor(0, "", inner), std::nullopt);
}

}  // namespace
}  // namespace velvora
