#include "editor/ToolbarLayout.h"

#include <gtest/gtest.h>

namespace velvora {
namespace {

using K = ToolbarItemKind;

// Buttons at 0-40 (tag 0), a bevel at 40-46, buttons at 46-86 (tag 2) and 86-126 (tag 3),
// an icon at 126-150 and the More button, 15 wide, at the right edge.
std::vector<ToolbarItem> Strip(int panelWidth) {
    return {{K::Button, 0, 40, 0},  {K::Bevel, 40, 6, -1},          {K::Button, 46, 40, 2},
            {K::Button, 86, 40, 3}, {K::Other, 126, 24, -1, false}, {K::MoreButton, panelWidth - 15, 15, -1}};
}

std::vector<bool> Visibility(const std::vector<ToolbarItem>& items) {
    std::vector<bool> visible;
    for (const ToolbarItem& item : items) visible.push_back(item.Visible);
    return visible;
}

TEST(LayoutToolbar, HidesWhatNoLongerFitsAndKeepsRoomForTheMoreButton) {
    struct Row {
        int width;
        std::vector<bool> visible;
        int hidden;
        std::vector<int> tags;
    };
    const Row rows[] = {
        {126, {true, true, true, true, false, false}, 0, {}},
        // Tag 3 does not fit; the second pass keeps 15 for More, which also pushes out tag 2.
        {100, {true, true, false, false, false, true}, 3, {3, 2, 3}},
        {60, {true, false, false, false, false, true}, 4, {2, 3, 2, 3}},
        {10, {false, false, false, false, false, true}, 6, {0, 2, 3, 0, 2, 3}},
    };
    for (const Row& row : rows) {
        std::vector<ToolbarItem> items = Strip(row.width);
        const ToolbarFit fit = LayoutToolbar(items, row.width, 15);
        EXPECT_EQ(Visibility(items), row.visible) << row.width;
        EXPECT_EQ(fit.Hidden, row.hidden) << row.width;
        EXPECT_EQ(fit.MenuTags, row.tags) << row.width;
    }
    std::vector<ToolbarItem> none;
    EXPECT_EQ(LayoutToolbar(none, 0, 15).Hidden, 0);
}

}  // namespace
}  // namespace velvora
