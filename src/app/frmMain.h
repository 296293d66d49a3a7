// The main window: menus, the content panel that holds exactly one frame at a time, the
// user options other windows read, and the persisted placement. Frame changes arrive as
// posted events, so a frame may ask to be replaced from inside its own click handler.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "base/Global.h"
#include "base/ShellRequests.h"
#include "editor/ShowEditorFrame.h"

class QMenu;

namespace velvora {

class PreviewCleanupServer;

enum class FrameKind { None = 0, StartPage = 1, NewShow = 2, OpenShow = 3, Editor = 4 };

// Types of the events posted to the main window.
enum ShellEventType : int {
    OpenShowRequestEvent = 1025,
    NewShowRequestEvent = 1026,
    StartPageRequestEvent = 1027,
    EditorRequestEvent = 1028,
    BurnRequestEvent = 1030,
};

class TMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit TMain(ShowEditorFactory editorFactory, QWidget* parent = nullptr);
    ~TMain() override;

    // The one main window, or null when none exists.
    static TMain* Instance();

    void RequestNewShow() override;
    // Opens the progress window first, because listing the shows takes a while.
    void RequestOpenShow() override;
    void RequestStartPage() override;
    // Loads folder + "quillond.dat" and requests the editor. Throws std::runtime_error when
    // the file cannot be read; the open show and the current frame then stay as they were.
    void OpenShow(const std::string& showFolder) override;
    // Asks for the burn assistant with BurnFileList; see SetBurnWindowOpener.
    void RequestBurn();

    // Replaces the current frame with a new one of `kind`, unless the editor refuses to close.
    void ShowFrame(FrameKind kind);
    // Enables Close and Publish for the current frame.
    void File1Click();

    FrameKind CurrentFrameKind() const { return currentKind_; }
    QWidget* CurrentFrame() const { return currentFrame_; }
    QWidget* FrameContainer() const { return pnlFrameContain; }

    // Options that other windows read; they persist between runs.
    bool PhotoDeleteAsk() const override { return photoDeleteAsk_; }
    void SetPhotoDeleteAsk(bool ask) override { photoDeleteAsk_ = ask; }
    int CategoryPaneWidth() const override { return categoryPaneWidth_; }
    void SetCategoryPaneWidth(int width) override { categoryPaneWidth_ = width; }
    bool TooltipsShown() const;

    // Paths of the files to burn, filled by CD publishing before RequestBurn.
    StringList& BurnFileList() { return burnFileList_; }
    // What the burn request opens.
    void SetBurnWindowOpener(std::function<void()> opener) { burnWindowOpener_ = std::move(opener); }

    // The picture chooser used to add photos: every format Add Photos takes, several at once.
    StringList PickPictures(const std::string& title) override;
    void SetShellEnabled(bool enabled) override { setEnabled(enabled); }

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateLayout();
    void CreateFileMenu();
    void CreateCategoriesMenu();
    void CreatePhotosMenu();
    void CreateHelpMenu();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    QAction* AddEditorItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                           EditorCommand command);

    QWidget* CreateFrame(FrameKind kind);
    // The steps that differ by kind, before the frame is shown.
    void PrepareFrame();
    void ShowNewShowFrame();
    void ShowOpenShowFrame();
    void ShowEditorFrameForShow();
    void PlaceFrame(QWidget* frame);
    void DestroyCurrentFrame();
    ShowEditorFrame* Editor() const;
    void RunEditorCommand(EditorCommand command);
    void PostDeferredRequests();

    void Photos1Click();
    void ViewPhoto1Click(bool checked);
    void ContentsandIndex1Click();
    // Opens `url`, or the user guide while the page has no address.
    void OpenWebHelp(const char* url);
    void OpenPage(const QUrl& url);
    void PlaceForFirstStart();

    void ReadSettings();
    void WriteSettings() const;

    ShowEditorFactory editorFactory_;
    StringList burnFileList_;
    std::function<void()> burnWindowOpener_;
    std::vector<int> deferredRequests_;
    QWidget* currentFrame_ = nullptr;
    FrameKind currentKind_ = FrameKind::None;
    bool photoDeleteAsk_ = true;
    int categoryPaneWidth_ = 217;
    PreviewCleanupServer* previewCleanup_ = nullptr;

    QWidget* pnlFrameContain = nullptr;
    QAction* Close1 = nullptr;
    QAction* SlideShowProperties1 = nullptr;
    QAction* Publish1 = nullptr;
    QMenu* Categories1 = nullptr;
    QMenu* Photos1 = nullptr;
    QMenu* Rotate1 = nullptr;
    QAction* ViewPhoto1 = nullptr;
    QAction* SortByName1 = nullptr;
    QAction* SortByDateTaken1 = nullptr;
    QAction* ShowTooltips1 = nullptr;
};

}  // namespace velvora
