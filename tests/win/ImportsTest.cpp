// A Windows with nothing installed has only its system DLLs: the C and C++ runtimes
// must be linked into our executables, never imported.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ImportedDlls(HMODULE module) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    if (dir.VirtualAddress == 0) {
        return names;
    }
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         imp->Name != 0; ++imp) {
        std::string name = reinterpret_cast<const char*>(base + imp->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    return names;
}

TEST(Imports, OnlySystemDlls) {
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",  "gdi32.dll", "comdlg32.dll", "comctl32.dll",
        "shell32.dll",  "shlwapi.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
        "version.dll",  "msvcrt.dll",  "uuid.dll",  "ws2_32.dll",
    };
    const auto imported = ImportedDlls(GetModuleHandleW(nullptr));
    ASSERT_FALSE(imported.empty());
    for (const auto& dll : imported) {
        EXPECT_TRUE(system.count(dll) || dll.starts_with("api-ms-win-"))
            << dll << " is not part of Windows";
    }
}

}  // namespace
