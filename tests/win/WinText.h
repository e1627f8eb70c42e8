// UTF-8 and UTF-16 conversions for the Windows tests: the layer's own, and window texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "fw/win32/Win32Text.h"

namespace wintest {

using fw::win32::Utf8;
using fw::win32::Wide;

inline std::string WindowTextUtf8(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

inline std::string ClassNameUtf8(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return Utf8(name);
}

inline std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

}  // namespace wintest
