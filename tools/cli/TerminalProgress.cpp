// The terminal progress line.
#include "cli/TerminalProgress.h"

#include <unistd.h>

namespace velvora {

namespace {

// Redrawing more often than this only costs time; the eye cannot follow it.
constexpr auto RedrawInterval = std::chrono::milliseconds(100);

}  // namespace

TerminalProgressView::TerminalProgressView(std::FILE* terminal, int stepsPerItem)
    : terminal_(terminal), stepsPerItem_(stepsPerItem > 0 ? stepsPerItem : 1) {}

TerminalProgressView::~TerminalProgressView() {
    if (!drawn_) return;
    Draw(true);
    std::fputc('\n', terminal_);
    std::fflush(terminal_);
}

void TerminalProgressView::SetLine(ProgressLine line, const std::string& text) {
    if (line == ProgressLine::Title) title_ = text;
    // Only the estimate is worth a place on the one line; other status texts name the photo.
    if (line == ProgressLine::Status && (text.empty() || text.starts_with("Estimated"))) status_ = text;
}

void TerminalProgressView::SetBar(bool visible, int maximum, int position) {
    maximum_ = visible ? maximum : 0;
    position_ = position;
    Draw(position >= maximum);
}

std::string TerminalProgressView::LineText() const {
    std::string text = title_;
    if (maximum_ > 0) {
        const int total = (maximum_ + stepsPerItem_ - 1) / stepsPerItem_;
        const int done = position_ / stepsPerItem_;
        const long long percent = 100LL * position_ / maximum_;
        text += " " + std::to_string(done) + "/" + std::to_string(total) + " " + std::to_string(percent) + "%";
    }
    if (!status_.empty()) text += "  " + status_;
    return text;
}

void TerminalProgressView::Draw(bool force) {
    const auto now = std::chrono::steady_clock::now();
    if (!force && drawn_ && now - lastDraw_ < RedrawInterval) return;
    lastDraw_ = now;
    drawn_ = true;
    // Back to the start of the line, the new text, then clear what a longer line left.
    std::fprintf(terminal_, "\r%s\x1b[K", LineText().c_str());
    std::fflush(terminal_);
}

ProgressViewFactory TerminalProgressFactory() {
    if (::isatty(STDERR_FILENO) != 1) return {};
    return [](std::function<void()>) -> std::unique_ptr<ProgressView> {
        return std::make_unique<TerminalProgressView>(stderr, 2);
    };
}

}  // namespace velvora
