#include "LanguageSearch.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvix::res {

namespace {

struct Abbreviation {
    std::string_view locale;  // "ll" for the primary language, else "ll_TT"
    std::string_view abbreviation;
};

// Windows' abbreviated language names of common locales.
constexpr std::array kAbbreviations = {
    Abbreviation{"ja", "JPN"},    Abbreviation{"ja_JP", "JPN"}, Abbreviation{"en", "ENU"},
    Abbreviation{"en_US", "ENU"}, Abbreviation{"en_GB", "ENG"}, Abbreviation{"en_AU", "ENA"},
    Abbreviation{"en_CA", "ENC"}, Abbreviation{"en_NZ", "ENZ"}, Abbreviation{"en_IE", "ENI"},
    Abbreviation{"de", "DEU"},    Abbreviation{"de_DE", "DEU"}, Abbreviation{"de_AT", "DEA"},
    Abbreviation{"de_CH", "DES"}, Abbreviation{"de_LU", "DEL"}, Abbreviation{"de_LI", "DEC"},
    Abbreviation{"fr", "FRA"},    Abbreviation{"fr_FR", "FRA"}, Abbreviation{"fr_BE", "FRB"},
    Abbreviation{"fr_CA", "FRC"}, Abbreviation{"fr_CH", "FRS"}, Abbreviation{"fr_LU", "FRL"},
    Abbreviation{"it", "ITA"},    Abbreviation{"it_IT", "ITA"}, Abbreviation{"it_CH", "ITS"},
    Abbreviation{"es", "ESP"},    Abbreviation{"es_ES", "ESN"}, Abbreviation{"es_MX", "ESM"},
    Abbreviation{"pt", "PTB"},    Abbreviation{"pt_BR", "PTB"}, Abbreviation{"pt_PT", "PTG"},
    Abbreviation{"nl", "NLD"},    Abbreviation{"nl_NL", "NLD"}, Abbreviation{"nl_BE", "NLB"},
    Abbreviation{"zh", "CHS"},    Abbreviation{"zh_CN", "CHS"}, Abbreviation{"zh_TW", "CHT"},
    Abbreviation{"zh_HK", "ZHH"}, Abbreviation{"zh_SG", "ZHI"}, Abbreviation{"ko", "KOR"},
    Abbreviation{"ko_KR", "KOR"}, Abbreviation{"ru", "RUS"},    Abbreviation{"ru_RU", "RUS"},
    Abbreviation{"sv", "SVE"},    Abbreviation{"sv_SE", "SVE"}, Abbreviation{"sv_FI", "SVF"},
    Abbreviation{"pl", "PLK"},    Abbreviation{"pl_PL", "PLK"}, Abbreviation{"cs", "CSY"},
    Abbreviation{"cs_CZ", "CSY"}, Abbreviation{"da", "DAN"},    Abbreviation{"da_DK", "DAN"},
    Abbreviation{"fi", "FIN"},    Abbreviation{"fi_FI", "FIN"}, Abbreviation{"nb", "NOR"},
    Abbreviation{"nb_NO", "NOR"}, Abbreviation{"el", "ELL"},    Abbreviation{"el_GR", "ELL"},
    Abbreviation{"tr", "TRK"},    Abbreviation{"tr_TR", "TRK"}, Abbreviation{"hu", "HUN"},
    Abbreviation{"hu_HU", "HUN"},
};

std::optional<std::string_view> Lookup(std::string_view locale) {
    for (const auto& a : kAbbreviations) {
        if (a.locale == locale) {
            return a.abbreviation;
        }
    }
    return std::nullopt;
}

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

// The path up to the last dot of its file-name part; the whole path when that
// part has no dot.
std::string_view WithoutExtension(std::string_view path) {
    const auto name = std::find_if(path.rbegin(), path.rend(), IsSeparator).base();
    const auto dot =
        std::find(std::make_reverse_iterator(path.end()), std::make_reverse_iterator(name), '.');
    if (dot.base() == name) {
        return path;
    }
    return path.substr(0, static_cast<std::size_t>(dot.base() - 1 - path.begin()));
}

std::string LangValue(std::string_view file) {
    std::ifstream in{std::string(file)};
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("LANG=", 0) != 0) {
            continue;
        }
        std::string value = line.substr(5);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return {};
}

}  // namespace

std::vector<std::string> LanguageAbbreviations(std::string_view posixLocale) {
    // "ll_TT.codeset@modifier": only language and territory matter.
    const auto name = posixLocale.substr(0, posixLocale.find_first_of(".@"));
    const auto language = name.substr(0, name.find('_'));
    const auto primary = Lookup(language);
    if (!primary) {
        return {};
    }
    // A territory the table lacks still names a known language: its primary.
    const auto own = Lookup(name).value_or(*primary);
    return {std::string(own), std::string(*primary)};
}

std::vector<std::string> LanguageFileCandidates(std::string_view exePath,
                                                const std::vector<std::string>& codes) {
    const std::string base(WithoutExtension(exePath));
    std::vector<std::string> paths;
    auto add = [&](std::string_view code) {
        // A name tried once gives the same answer the second time: try each once.
        std::string path = base + std::string(code) + ".dll";
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
            paths.push_back(std::move(path));
        }
    };
    for (const auto& code : codes) {
        add(code);
    }
    add("LOC");
    return paths;
}

std::vector<std::string> LanguageFileCandidates(std::string_view exePath,
                                                std::string_view userLocale,
                                                std::string_view systemLocale) {
    std::vector<std::string> codes = LanguageAbbreviations(userLocale);
    const auto system = LanguageAbbreviations(systemLocale);
    codes.insert(codes.end(), system.begin(), system.end());
    return LanguageFileCandidates(exePath, codes);
}

std::optional<Module> LoadLanguageModule(const std::vector<std::string>& candidates) {
    for (const auto& path : candidates) {
        // Only regular files: a pipe or device of that name could block or never end.
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            continue;
        }
        std::vector<std::uint8_t> bytes;
        char chunk[65536];
        while (in && bytes.size() <= kMaxLanguageFileSize) {
            in.read(chunk, sizeof chunk);
            bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        }
        if (in.bad() || bytes.size() > kMaxLanguageFileSize) {
            continue;
        }
        if (auto m = Module::FromPeImage(std::move(bytes))) {
            return m;
        }
    }
    return std::nullopt;
}

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::string SystemLocaleName() {
    for (const char* file : {"/etc/default/locale", "/etc/locale.conf"}) {
        if (auto value = LangValue(file); !value.empty()) {
            return value;
        }
    }
    return {};
}

}  // namespace tarvix::res
