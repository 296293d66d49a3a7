#include "platform/MessagePump.h"

#include <utility>

namespace velvora {

static std::function<void()>& CurrentPump() {
    static std::function<void()> pump;
    return pump;
}

void PumpMessages() {
    if (CurrentPump()) CurrentPump()();
}

std::function<void()> SetMessagePump(std::function<void()> pump) { return std::exchange(CurrentPump(), std::move(pump)); }

}  // namespace velvora
