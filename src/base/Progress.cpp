#include "base/Progress.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace velvora {
namespace {

std::uint32_t TickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct ProgressSession {
    std::unique_ptr<ProgressView> view;
    bool cancelled = false;
    bool timing = false;
    std::uint32_t startTick = 0;
    bool barVisible = true;
    int maximum = 100;
    int position = 0;
    std::string lines[4];

    void ShowBar() {
        if (view) view->SetBar(barVisible, maximum, position);
    }
    void SetLine(ProgressLine line, const std::string& text) {
        lines[static_cast<int>(line)] = text;
        if (view) view->SetLine(line, text);
    }
    void UpdateEstimate() {
        if (!timing) return;
        const std::string text = ProgressEstimateText(position, maximum, TickCount() - startTick);
        if (lines[static_cast<int>(ProgressLine::Status)] == text) return;
        SetLine(ProgressLine::Status, text);
        if (view) view->RepaintStatus();
    }
    void BarChanged() {
        ShowBar();
        UpdateEstimate();
    }
};

ProgressViewFactory& ViewFactory() {
    static ProgressViewFactory factory;
    return factory;
}

std::unique_ptr<ProgressSession>& Current() {
    static std::unique_ptr<ProgressSession> session;
    return session;
}

// Runs `action` on the open window; every operation is harmless when none is open.
template <typename Action>
void WithSession(Action action) {
    if (Current()) action(*Current());
}

void AppendPart(std::string& text, std::int64_t count, const char* unit) {
    if (count <= 0) return;
    text += count == 1 ? std::string("1 ") + unit + " " : std::to_string(count) + " " + unit + "s ";
}

}  // namespace

ProgressViewFactory SetProgressViewFactory(ProgressViewFactory factory) {
    std::swap(ViewFactory(), factory);
    return factory;
}

void ProgressOpen() {
    auto session = std::make_unique<ProgressSession>();
    if (ViewFactory()) session->view = ViewFactory()([] { ProgressCancel(); });
    Current() = std::move(session);
}

void ProgressClose() { Current().reset(); }

void ProgressStartTiming() {
    WithSession([](ProgressSession& s) {
        s.startTick = TickCount();
        s.timing = true;
    });
}

void ProgressShowCancel(bool visible) {
    WithSession([&](ProgressSession& s) {
        if (s.view) s.view->ShowCancel(visible);
    });
}

bool ProgressCancelled() { return Current() && Current()->cancelled; }

void ProgressCancel() {
    WithSession([](ProgressSession& s) { s.cancelled = true; });
}

void ProgressRefresh() {
    WithSession([](ProgressSession& s) {
        if (s.view) s.view->Repaint();
    });
}

void ProgressSetTitle(const std::string& text) {
    WithSession([&](ProgressSession& s) { s.SetLine(ProgressLine::Title, text); });
}
void ProgressSetText(const std::string& text) {
    WithSession([&](ProgressSession& s) { s.SetLine(ProgressLine::Text, text); });
}
void ProgressSetStatus(const std::string& text) {
    WithSession([&](ProgressSession& s) { s.SetLine(ProgressLine::Status, text); });
}
void ProgressSetDetail(const std::string& text) {
    WithSession([&](ProgressSession& s) { s.SetLine(ProgressLine::Detail, text); });
}

void ProgressSetMax(int maximum) {
    WithSession([&](ProgressSession& s) {
        s.barVisible = maximum >= 1;
        s.maximum = maximum;
        s.BarChanged();
    });
}

void ProgressSetPosition(int position) {
    WithSession([&](ProgressSession& s) {
        s.position = position;
        s.BarChanged();
    });
}

void ProgressStep() {
    WithSession([](ProgressSession& s) {
        ++s.position;
        s.BarChanged();
    });
}

bool ProgressIsOpen() { return Current() != nullptr; }

std::string ProgressLineText(ProgressLine line) {
    return Current() ? Current()->lines[static_cast<int>(line)] : std::string();
}

std::string ProgressEstimateText(int position, int maximum, std::uint32_t elapsedMs) {
    const int pos = std::max(position, 1);
    // The extra second keeps the first estimates from being too small.
    const float elapsed = static_cast<float>(static_cast<std::int64_t>(elapsedMs) + 1000);
    const float per = elapsed / static_cast<float>(pos);
    const float left = static_cast<float>(maximum - pos) * per;
    const std::int64_t seconds = std::llrint(left) / 1000;  // default rounding: halves to even
    const std::int64_t h = seconds / 3600;
    const std::int64_t m = (seconds - h * 3600) / 60;
    const std::int64_t s = seconds - h * 3600 - m * 60;
    std::string text;
    AppendPart(text, h, "hour");
    AppendPart(text, m, "minute");
    AppendPart(text, s, "second");
    return text.empty() ? text : "Estimated time remaining: " + text;
}

}  // namespace velvora
