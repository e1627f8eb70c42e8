// The search for a language resource file beside the executable: a resource
// DLL named after the executable and a Windows language abbreviation, such as
// TarvixJPN.dll for /opt/tarvix/Tarvix.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Resources.h"

namespace tarvix::res {

// The Windows three-letter abbreviations (JPN, ENU, DEA, ...) of a POSIX locale
// name such as "de_AT.UTF-8": the locale's own, then its primary language's.
// Empty for a language the table does not know, and for "C" and "POSIX".
std::vector<std::string> LanguageAbbreviations(std::string_view posixLocale);

// The paths to try, in order: the executable's path without its extension,
// then each code and then "LOC", followed by ".dll". Each path appears once.
std::vector<std::string> LanguageFileCandidates(std::string_view exePath,
                                                const std::vector<std::string>& codes);

// The same for the codes of the user's locale, then of the system's.
std::vector<std::string> LanguageFileCandidates(std::string_view exePath,
                                                std::string_view userLocale,
                                                std::string_view systemLocale);

// The first candidate that reads as a PE file with resources; files that are
// missing, unreadable, larger than kMaxLanguageFileSize or not valid are skipped.
inline constexpr std::size_t kMaxLanguageFileSize = 64u << 20;
std::optional<Module> LoadLanguageModule(const std::vector<std::string>& candidates);

// The user's language for messages (LC_ALL, LC_MESSAGES, then LANG), and the
// system's (LANG in /etc/default/locale or /etc/locale.conf); empty when unset.
std::string UserLocaleName();
std::string SystemLocaleName();

}  // namespace tarvix::res
