// Lets long work on the UI thread keep the interface responsive without core code
// knowing the toolkit: the UI installs its event pump, tests install a no-op or a script.
#pragma once

#include <functional>

namespace velvora {

// Runs pending UI events once; does nothing until a pump is installed.
void PumpMessages();
// Installs the pump and returns the previous one, so tests can restore it.
std::function<void()> SetMessagePump(std::function<void()> pump);

}  // namespace velvora
