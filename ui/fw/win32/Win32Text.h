// The layer speaks UTF-8; the Win32 backend calls the system's wide-character API, so the
// tool's Japanese texts show whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace fw::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace fw::win32
