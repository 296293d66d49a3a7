#include "editor/ToolbarLayout.h"

namespace velvora {

namespace {

// Hidden buttons are counted again on the second pass; the menu merely shows their
// items twice over, which changes nothing.
void FitItems(std::vector<ToolbarItem>& items, int limit, ToolbarFit& fit) {
    for (ToolbarItem& item : items) {
        switch (item.Kind) {
            case ToolbarItemKind::Button:
                item.Visible = item.Right() <= limit;
                if (!item.Visible) {
                    ++fit.Hidden;
                    fit.MenuTags.push_back(item.Tag);
                }
                break;
            case ToolbarItemKind::MoreButton:
                item.Visible = true;
                break;
            case ToolbarItemKind::Bevel:
                item.Visible = item.Right() <= limit;
                break;
            case ToolbarItemKind::Other:
                break;
        }
    }
}

}  // namespace

ToolbarFit LayoutToolbar(std::vector<ToolbarItem>& items, int panelWidth, int moreWidth) {
    ToolbarFit fit;
    if (items.empty()) return fit;
    FitItems(items, panelWidth, fit);
    if (fit.Hidden > 0) FitItems(items, panelWidth - moreWidth, fit);
    for (ToolbarItem& item : items)
        if (item.Kind == ToolbarItemKind::MoreButton) item.Visible = fit.Hidden > 0;
    return fit;
}

}  // namespace velvora
