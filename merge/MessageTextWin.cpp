// Windows reads the string table of the resource module itself.
#include "MessageText.h"

#include "WinResourceModule.h"

std::string MessageText(unsigned id) {
    return tarvix::res::LoadStringUtf8(tarvix::res::ResourceInstance(), id);
}
