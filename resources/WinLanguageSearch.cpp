#include "WinLanguageSearch.h"

#include <algorithm>

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

// The path up to the last dot of its file-name part; the whole path without one.
std::string WithoutExtension(const std::string& path) {
    const std::size_t name = path.find_last_of("\\/");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) {
        return path;
    }
    return path.substr(0, dot);
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

std::vector<std::string> WinLanguageFileCandidates(const std::string& exePath,
                                                   const std::vector<std::string>& codes) {
    const std::string base = WithoutExtension(exePath);
    std::vector<std::string> paths;
    auto add = [&](const std::string& code) {
        // A name tried once gives the same answer the second time: try each once.
        std::string path = base + code + ".dll";
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
            paths.push_back(std::move(path));
        }
    };
    for (const std::string& code : codes) {
        add(code);
    }
    add("LOC");
    return paths;
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
