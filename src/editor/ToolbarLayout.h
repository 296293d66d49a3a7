// The overflow rule of the editor's toolbars: buttons that no longer fit the panel's
// width are hidden and offered instead by the toolbar's More menu.
#pragma once

#include <vector>

namespace velvora {

enum class ToolbarItemKind { Button, MoreButton, Bevel, Other };

// One child control of a toolbar panel, at its fixed designed place.
struct ToolbarItem {
    ToolbarItemKind Kind = ToolbarItemKind::Other;
    int Left = 0;
    int Width = 0;
    int Tag = -1;  // index of the button's item in the More menu
    bool Visible = true;

    int Right() const { return Left + Width; }
};

struct ToolbarFit {
    int Hidden = 0;
    // Menu items to offer, by index; meaningful only when Hidden > 0.
    std::vector<int> MenuTags;
};

// Sets each item's visibility for a panel `panelWidth` wide. When a button has to go, the
// pass runs again with room kept for the More button, `moreWidth` wide, which is shown
// exactly when something is hidden. Items of kind Other are left as they are.
ToolbarFit LayoutToolbar(std::vector<ToolbarItem>& items, int panelWidth, int moreWidth);

}  // namespace velvora
