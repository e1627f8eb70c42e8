#include "WinResourceModule.h"

namespace tarvix::res {

namespace {

HMODULE g_instance = nullptr;

}  // namespace

HMODULE ResourceInstance() {
    return g_instance ? g_instance : GetModuleHandleW(nullptr);
}

void SetResourceInstance(HMODULE module) {
    g_instance = module;
}

std::string LoadStringUtf8(HMODULE module, unsigned id) {
    // With a zero buffer size LoadStringW hands out a pointer to the text inside the
    // resource itself, so no length limit applies.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace tarvix::res
