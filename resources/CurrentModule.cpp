// The resource module that every load uses. Only the user-interface thread
// touches it; SetCurrentModule runs once, at start-up, before anything is loaded.
#include "Resources.h"

namespace tarvix::res {

namespace {

Module& Slot() {
    static Module current = [] {
        const auto image = EmbeddedResImage();
        auto m = Module::FromResImage(std::vector<std::uint8_t>(image.begin(), image.end()));
        return m ? std::move(*m) : Module{};
    }();
    return current;
}

}  // namespace

const Module& CurrentModule() {
    return Slot();
}

void SetCurrentModule(Module m) {
    Slot() = std::move(m);
}

}  // namespace tarvix::res
