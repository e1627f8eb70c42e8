// A language resource file that also carries code: loaded as a program, it leaves a mark
// beside itself ("<its path>.ran"). Loaded as resource data, it must leave none.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(instance, path, MAX_PATH);
        const std::wstring mark = std::wstring(path) + L".ran";
        const HANDLE h = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
    return TRUE;
}
