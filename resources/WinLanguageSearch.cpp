#include "WinLanguageSearch.h"

namespace tarvix::res {

namespace {

std::string AbbreviatedName(LANGID language) {
    wchar_t name[16] = {};
    if (GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, name, 16) <= 1) {
        return {};
    }
    std::string out;
    for (const wchar_t* c = name; *c != L'\0'; ++c) {
        out.push_back(static_cast<char>(*c));  // three ASCII letters
    }
    return out;
}

std::wstring WidePath(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

}  // namespace

std::vector<std::string> WinLanguageAbbreviations() {
    std::vector<std::string> codes;
    for (const LANGID language : {GetUserDefaultUILanguage(), GetSystemDefaultUILanguage()}) {
        for (const LANGID id : {language, static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(language),
                                                                         SUBLANG_NEUTRAL))}) {
            if (std::string code = AbbreviatedName(id); !code.empty()) {
                codes.push_back(std::move(code));
            }
        }
    }
    return codes;
}

HMODULE LoadLanguageResources(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates) {
        const HMODULE module =
            LoadLibraryExW(WidePath(path).c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (module != nullptr) {
            return module;
        }
    }
    return nullptr;
}

}  // namespace tarvix::res
