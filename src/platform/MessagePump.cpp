#include "platform/MessagePump.h"

#include <utility>

namespace velvora {

static std::function<void()>& CurrentPump() {
    static std::function<void()> pump;
    return pump;
}

static std::function<void()>& IdleHook() {
    static std::function<void()> hook;
    return hook;
}

static int& BusyDepth() {
    static int depth = 0;
    return depth;
}

void PumpMessages() {
    BusyScope busy;
    if (CurrentPump()) CurrentPump()();
}

std::function<void()> SetMessagePump(std::function<void()> pump) { return std::exchange(CurrentPump(), std::move(pump)); }

BusyScope::BusyScope() { ++BusyDepth(); }

BusyScope::~BusyScope() {
    if (--BusyDepth() == 0 && IdleHook()) IdleHook()();
}

bool IsBusy() { return BusyDepth() > 0; }

std::function<void()> SetIdleHook(std::function<void()> hook) { return std::exchange(IdleHook(), std::move(hook)); }

}  // namespace velvora
