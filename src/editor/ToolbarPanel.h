// A 23-pixel toolbar strip of flat buttons at fixed places, with a More button at its right
// edge and a menu that offers the buttons that no longer fit.
#pragma once

#include <vector>

#include <QWidget>

#include "editor/ToolbarLayout.h"

class QMenu;
class QToolButton;

namespace velvora {

inline constexpr int ToolbarHeight = 23;
inline constexpr int MoreButtonWidth = 15;

class ToolbarPanel : public QWidget {
    Q_OBJECT
public:
    // `menu` holds one item per button tag, by index, separators included.
    ToolbarPanel(const QString& objectName, QMenu* menu, QWidget* parent);

    // Appends a flat button after the controls added so far.
    QToolButton* AddButton(const char* objectName, const QString& caption, const QString& hint, int tag,
                           const QIcon& icon = {});
    // A thin vertical line that separates groups of buttons.
    void AddBevel();
    // Any other control; the overflow rule leaves it alone.
    void AddControl(QWidget* control);
    // Pops the menu up below the More button, offering exactly the buttons that are hidden.
    void ShowMoreMenu();

    QToolButton* MoreButton() const { return btnMore_; }
    QMenu* Menu() const { return menu_; }
    // Applies the overflow rule to the panel's current width.
    void Relayout();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Append(QWidget* control, ToolbarItemKind kind, int tag);

    QMenu* menu_;
    QToolButton* btnMore_;
    std::vector<QWidget*> controls_;
    std::vector<ToolbarItem> items_;
    int nextLeft_ = 0;
};

}  // namespace velvora
