// The welcome window shown while the program starts.
#pragma once

#include <chrono>

#include <QWidget>

namespace velvora {

class TStartupSplash : public QWidget {
    Q_OBJECT
public:
    TStartupSplash();

    // Shows and paints the window at once and keeps it up until `total` has passed
    // since construction. The window keeps repainting while it waits.
    void ShowAndHold(std::chrono::milliseconds total);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace velvora
