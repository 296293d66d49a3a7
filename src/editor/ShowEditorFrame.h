// What the main window needs from the frame that edits the open show. The editor frame
// implements it; the main window's tests use a recording stand-in.
#pragma once

#include <functional>

#include <QWidget>

namespace velvora {

class EditorHost;

// Menu commands that the main window passes straight to the editor.
enum class EditorCommand {
    SlideShowProperties,
    Publish,
    CategoryProperties,
    AddCategory,
    DeleteCategory,
    MoveCategoryUp,
    MoveCategoryDown,
    AddPhotos,
    AddFolder,
    DeletePhotos,
    MovePhotoUp,
    MovePhotoDown,
    SortPhotosByName,
    SortPhotosByDateTaken,
    CutPhotos,
    CopyPhotos,
    PastePhotos,
    BasicPhotoProperties,
    TransitionProperties,
    DisplayProperties,
};

class ShowEditorFrame : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Loads the show at ShowPath (ShowSettings is already loaded). May throw.
    virtual void LoadShow() = 0;
    // Saves the show and releases it; false keeps the editor open.
    virtual bool CloseShow() = 0;
    virtual void RunCommand(EditorCommand command) = 0;
    // Whether `command` would do anything now; the main window enables its menu item by it.
    virtual bool IsCommandEnabled(EditorCommand) const { return true; }
    virtual bool PhotoViewerVisible() const = 0;
    // Shows the photo viewer pane (true) or the photo list (false).
    virtual void ShowPhotoViewer(bool show, bool keepPanel) = 0;
};

// Makes the editor frame as a child of `parent`.
using ShowEditorFactory = std::function<ShowEditorFrame*(EditorHost& shell, QWidget* parent)>;

}  // namespace velvora
