// The progress window of long work drawn as one redrawn line on a terminal: the title, the
// photos done of the total, the percentage and the time estimate.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/Progress.h"

namespace velvora {

class TerminalProgressView : public ProgressView {
public:
    // Draws on `terminal`. The batches step the bar twice per photo, so `stepsPerItem`
    // turns bar positions back into photos.
    TerminalProgressView(std::FILE* terminal, int stepsPerItem);
    ~TerminalProgressView() override;

    void SetLine(ProgressLine line, const std::string& text) override;
    void SetBar(bool visible, int maximum, int position) override;
    void ShowCancel(bool) override {}
    void Repaint() override { Draw(false); }
    void RepaintStatus() override { Draw(false); }

    // The line as it is drawn, without the control characters.
    std::string LineText() const;

private:
    void Draw(bool force);

    std::FILE* terminal_;
    int stepsPerItem_;
    std::string title_;
    std::string status_;
    int maximum_ = 0;
    int position_ = 0;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// A factory for SetProgressViewFactory that draws on stderr when it is a terminal; an empty
// one (nothing shown) otherwise.
ProgressViewFactory TerminalProgressFactory();

}  // namespace velvora
