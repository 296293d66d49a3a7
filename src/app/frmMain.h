// The main window: owns the content panel that holds exactly one frame at a time and
// switches frames on posted requests, so a frame may ask to be replaced from inside its
// own click handler and is destroyed only after that handler has returned.
#pragma once

#include <QMainWindow>

#include "app/ShellRequests.h"

namespace velvora {

enum class FrameKind { None = 0, StartPage = 1, NewShow = 2, OpenShow = 3, Editor = 4 };

// Private request events; their numbers follow the first user message number 1024.
inline constexpr int OpenShowRequestEvent = 1025;
inline constexpr int NewShowRequestEvent = 1026;
inline constexpr int StartPageRequestEvent = 1027;
inline constexpr int EditorRequestEvent = 1028;

class TMain : public QMainWindow, public ShellRequests {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);

    QWidget* FrameContainer() const { return pnlFrameContain; }
    QWidget* CurrentFrame() const { return currentFrame_; }
    FrameKind CurrentFrameKind() const { return currentKind_; }

    void ShowFrame(FrameKind kind);

    void RequestNewShow() override;
    void RequestOpenShow() override;
    void RequestStartPage() override;
    // Throws when the show's "quillond.dat" is missing; the current frame stays.
    void OpenShow(const std::string& showFolder) override;

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Post(int eventType);
    QWidget* CreateFrame(FrameKind kind);

    QWidget* pnlFrameContain = nullptr;
    QWidget* currentFrame_ = nullptr;
    FrameKind currentKind_ = FrameKind::None;
};

}  // namespace velvora
