// Lets long work on the UI thread keep the interface responsive without core code
// knowing the toolkit: the UI installs its event pump, tests install a no-op or a script.
//
// Pumping lets the user's clicks and keys run in the middle of that work, where a second
// command or a frame switch would pull the data away under it. So long work holds a
// BusyScope: while one is open the UI takes no input in its main window and keeps frame
// switches back until the outermost scope has ended.
#pragma once

#include <functional>

namespace velvora {

// Runs pending UI events once, inside a BusyScope; does nothing until a pump is installed.
void PumpMessages();
// Installs the pump and returns the previous one, so tests can restore it.
std::function<void()> SetMessagePump(std::function<void()> pump);

class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

// True while a BusyScope is open.
bool IsBusy();
// Installs what runs each time the outermost BusyScope ends (the UI queues the requests it
// kept back); returns the previous one. It must not run long work itself.
std::function<void()> SetIdleHook(std::function<void()> hook);

}  // namespace velvora
