// Texts of the message catalogue, from the current resource module.
#pragma once

#include <string>

// UTF-8 text of string resource `id`; empty when the module has none.
std::string MessageText(unsigned id);
