#include "MessageText.h"

#include "Resources.h"

std::string MessageText(unsigned id) {
    return tarvix::res::LoadString(tarvix::res::CurrentModule(), id).value_or(std::string());
}
