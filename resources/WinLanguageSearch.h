// Windows: the search for a language resource file beside the executable, such as
// TarvixJPN.dll for C:\Tools\Tarvix.exe.
//
// A candidate is loaded as resource data only, never as a program: the system maps it
// without running its entry point or resolving its imports, so a DLL dropped beside the
// executable cannot run code inside the tool.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "LanguageSearch.h"

namespace tarvix::res {

// The system's abbreviated names (JPN, ENU, ...) of the user's interface language and
// then of the system's, each first as it is and then as its primary language; the file
// names follow from them as on every platform (LanguageFileCandidates).
std::vector<std::string> WinLanguageAbbreviations();

// The first candidate that loads as resource data; null when none does.
HMODULE LoadLanguageResources(const std::vector<std::string>& candidates);

}  // namespace tarvix::res
