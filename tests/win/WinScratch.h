// Scratch files for the Windows tests: a private folder per test, with a Japanese name so
// that every path on the way is more than ASCII.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../merge/TestBytes.h"
#include "WinText.h"

namespace wintest {

using testbytes::Bytes;
using testbytes::Pattern;

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const BOOL ok = bytes.empty() ||
                    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(ok && written == bytes.size()) << path;
}

inline Bytes ReadBytes(const std::string& path) {
    const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return {};
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    Bytes bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty()) {
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    }
    CloseHandle(h);
    bytes.resize(read);
    return bytes;
}

// A file of the given size whose bytes were never written.
inline void MakeLong(const std::string& path, std::int64_t size) {
    const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD ignored = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    ASSERT_TRUE(ok) << path;
}

inline std::int64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return 0;
    }
    return (std::int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

inline bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ScratchDir {
  public:
    ScratchDir() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        // Wine reuses process numbers soon, and a test that was stopped leaves its folder:
        // a name that is taken is passed over.
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 1000; ++attempt) {
            m_path = Utf8(temp) + "tarvix-テスト-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++counter);
            if (CreateDirectoryW(Wide(m_path).c_str(), nullptr)) {
                return;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS) {
                break;
            }
        }
        ADD_FAILURE() << "cannot make " << m_path;
    }
    ~ScratchDir() { RemoveTree(Wide(m_path)); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

  private:
    static void RemoveTree(const std::wstring& dir) {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring path = dir + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                } else {
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(dir.c_str());
    }

    std::string m_path;
};

// Another program's open of a file, with the given access and sharing, until destroyed.
class OtherOpen {
  public:
    OtherOpen(const std::string& path, DWORD access, DWORD share)
        : m_handle(CreateFileW(Wide(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OtherOpen() {
        if (Opened()) {
            CloseHandle(m_handle);
        }
    }
    OtherOpen(const OtherOpen&) = delete;
    OtherOpen& operator=(const OtherOpen&) = delete;
    bool Opened() const { return m_handle != INVALID_HANDLE_VALUE; }

  private:
    HANDLE m_handle;
};

inline bool OthersCanOpen(const std::string& path, DWORD access, DWORD share) {
    return OtherOpen(path, access, share).Opened();
}

// Committed private memory of this process, which a held sound buffer adds to.
inline std::int64_t PrivateCommit() {
    std::int64_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (auto* p = static_cast<const char*>(nullptr);
         VirtualQuery(p, &info, sizeof info) == sizeof info;
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) {
            total += static_cast<std::int64_t>(info.RegionSize);
        }
    }
    return total;
}

}  // namespace wintest
