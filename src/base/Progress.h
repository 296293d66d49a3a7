// The shared "Please Wait" window of long operations, driven through global operations.
// The state (bar, timing, cancelled flag) lives here so that it works and is tested
// without a window; a ProgressView draws it. Without an installed view factory the
// operations run headless, which is what tests and command-line tools use.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/MessagePump.h"

namespace velvora {

enum class ProgressLine { Title, Text, Detail, Status };

// What one open progress window shows. Texts are UTF-8.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void SetLine(ProgressLine line, const std::string& text) = 0;
    virtual void SetBar(bool visible, int maximum, int position) = 0;
    virtual void ShowCancel(bool visible) = 0;
    // Repaints the whole window at once (the caller keeps the thread busy).
    virtual void Repaint() = 0;
    // Repaints only the status line, after the estimate changed it.
    virtual void RepaintStatus() = 0;
};

// Makes the view of a fresh progress window; `cancel` is what the view calls once the
// user has confirmed that the running operation should stop.
using ProgressViewFactory = std::function<std::unique_ptr<ProgressView>(std::function<void()> cancel)>;

// Installs the factory used by ProgressOpen (an empty one means headless) and returns the
// previous factory.
ProgressViewFactory SetProgressViewFactory(ProgressViewFactory factory);

void ProgressOpen();
void ProgressClose();
void ProgressStartTiming();
void ProgressShowCancel(bool visible);
bool ProgressCancelled();
void ProgressRefresh();
void ProgressSetTitle(const std::string& text);
void ProgressSetText(const std::string& text);
void ProgressSetStatus(const std::string& text);
void ProgressSetDetail(const std::string& text);
void ProgressSetMax(int maximum);
void ProgressSetPosition(int position);
void ProgressStep();

// Opens the progress window for one piece of long work and closes it on every way out,
// exceptions included. The work is busy from before the window opens until after it closed.
class ProgressWindowScope {
public:
    ProgressWindowScope() { ProgressOpen(); }
    ~ProgressWindowScope() { ProgressClose(); }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;

private:
    BusyScope busy_;
};

// True while a progress window is open.
bool ProgressIsOpen();
// The open window's current line text (empty when none is open); for tests and tools.
std::string ProgressLineText(ProgressLine line);
// Sets the open window's cancelled flag, as a confirmed Cancel does.
void ProgressCancel();

// The status text for `position` of `maximum` done after `elapsedMs` milliseconds since
// timing started, e.g. "Estimated time remaining: 1 minute 30 seconds ".
std::string ProgressEstimateText(int position, int maximum, std::uint32_t elapsedMs);

}  // namespace velvora
