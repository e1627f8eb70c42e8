// libFuzzer entry: any bytes, read as a .res image and as a PE file, then every
// resource loaded. Crashes, leaks, hangs and out-of-bounds reads are failures.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "LoadAll.h"
#include "Resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tarvix::res::Module;
    const std::vector<std::uint8_t> bytes(data, data + size);
    if (const auto m = Module::FromResImage(bytes)) {
        tarvix::res::test::LoadAll(*m);
    }
    if (const auto m = Module::FromPeImage(bytes)) {
        tarvix::res::test::LoadAll(*m);
    }
    return 0;
}
