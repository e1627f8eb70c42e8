// Tarvix.exe as a file: a window program that a Windows with nothing installed runs. Only
// system DLLs are imported (the C and C++ runtimes are linked in), and it carries one
// manifest and one icon group.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "WinText.h"

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

// The executable mapped as an image, for reading only: nothing of it runs.
HMODULE MapTarvixExe() {
    const HMODULE mapped =
        LoadLibraryExW(wintest::Wide(TARVIX_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    // The handle of a module mapped this way is marked in its low bits.
    return reinterpret_cast<HMODULE>(reinterpret_cast<std::uintptr_t>(mapped) & ~std::uintptr_t{3});
}

TEST(TarvixExeFile, WindowProgramImportingOnlySystemDlls) {
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",  "gdi32.dll", "comdlg32.dll", "comctl32.dll",
        "shell32.dll",  "shlwapi.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
        "version.dll",  "msvcrt.dll",  "uuid.dll",  "ws2_32.dll",
    };
    const HMODULE exe = MapTarvixExe();
    ASSERT_NE(exe, nullptr);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(exe);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(exe) +
                                                         dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const auto imported = ImportedDlls(exe);
    ASSERT_FALSE(imported.empty());
    for (const auto& dll : imported) {
        EXPECT_TRUE(system.count(dll) || dll.starts_with("api-ms-win-"))
            << dll << " is not part of Windows";
    }
}

BOOL CALLBACK Count(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(TarvixExeFile, OneManifestAndOneIconGroup) {
    const HMODULE exe = LoadLibraryExW(wintest::Wide(TARVIX_EXE).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    for (const WORD type : {24, 14}) {
        int count = 0;
        EnumResourceNamesW(exe, MAKEINTRESOURCEW(type), Count, reinterpret_cast<LONG_PTR>(&count));
        EXPECT_EQ(count, 1) << "resources of type " << type;
    }
    EXPECT_NE(FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
    EXPECT_NE(FindResourceW(exe, MAKEINTRESOURCEW(128), MAKEINTRESOURCEW(14)), nullptr);
    FreeLibrary(exe);
}

}  // namespace
