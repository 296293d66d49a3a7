// The burn offer's handler.
#include "base/ShellRequests.h"

#include <utility>

namespace velvora {

static std::function<void(const StringList&)>& BurnOfferHandler() {
    static std::function<void(const StringList&)> handler;
    return handler;
}

void OfferForBurning(const StringList& files) {
    if (BurnOfferHandler()) BurnOfferHandler()(files);
}

std::function<void(const StringList&)> SetBurnOfferHandler(std::function<void(const StringList&)> handler) {
    return std::exchange(BurnOfferHandler(), std::move(handler));
}

}  // namespace velvora
