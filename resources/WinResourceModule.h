// Windows: the module that dialog templates, strings and the icon are loaded from.
// It is the executable until a language resource file replaces it (once, at start-up,
// on the user-interface thread); there is no fallback between the two.
#pragma once

#include <windows.h>

#include <string>

namespace tarvix::res {

HMODULE ResourceInstance();
void SetResourceInstance(HMODULE module);

// UTF-8 text of string resource `id` of `module`; empty when the module has none.
std::string LoadStringUtf8(HMODULE module, unsigned id);

}  // namespace tarvix::res
