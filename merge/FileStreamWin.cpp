// FileStream on Windows: file handles with the system's own share modes. The program file is
// opened without sharing and the sound file with read sharing only, so while a merge holds
// them no other program can open the program file, nor open the sound file for writing.
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "FileStream.h"

namespace {

// Paths arrive as UTF-8 (what the window layer gives on every platform). Text that is not
// UTF-8 names no file.
std::wstring WidePath(const char* path) {
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

// Only files on a disk: a console, a pipe or the null device is not a file Tarvix can merge.
std::optional<std::intptr_t> Open(const char* path, DWORD access, DWORD share) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) {
        return std::nullopt;
    }
    const HANDLE h = CreateFileW(wide.c_str(), access, share, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // Windows refuses write access to a read-only file by itself; asking again keeps that
    // true where a privileged user would be let through (Wine run by root).
    BY_HANDLE_FILE_INFORMATION info;
    const bool readOnly =
        (access & GENERIC_WRITE) && (!GetFileInformationByHandle(h, &info) ||
                                     (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY));
    if (GetFileType(h) != FILE_TYPE_DISK || readOnly) {
        CloseHandle(h);
        return std::nullopt;
    }
    return reinterpret_cast<std::intptr_t>(h);
}

HANDLE AsHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

const std::intptr_t NO_HANDLE = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

// ReadFile and WriteFile take at most a DWORD per call.
constexpr std::size_t MAX_CHUNK = 1u << 30;

}  // namespace

std::optional<FileStream> FileStream::OpenForUpdate(const char* path) {
    if (const auto h = Open(path, GENERIC_READ | GENERIC_WRITE, 0)) {
        return FileStream(*h);
    }
    return std::nullopt;
}

std::optional<FileStream> FileStream::OpenForReading(const char* path) {
    if (const auto h = Open(path, GENERIC_READ, FILE_SHARE_READ)) {
        return FileStream(*h);
    }
    return std::nullopt;
}

FileStream::FileStream(FileStream&& other) noexcept
    : m_handle(std::exchange(other.m_handle, NO_HANDLE)) {}

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

FileStream::~FileStream() {
    if (m_handle != NO_HANDLE) {
        CloseHandle(AsHandle(m_handle));
    }
}

bool FileStream::Seek(std::int64_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER now;
    return SetFilePointerEx(AsHandle(m_handle), distance, &now, FILE_BEGIN) &&
           now.QuadPart == offset;
}

std::optional<std::int64_t> FileStream::SeekToEnd() {
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER end;
    if (!SetFilePointerEx(AsHandle(m_handle), zero, &end, FILE_END)) {
        return std::nullopt;
    }
    return end.QuadPart;
}

std::size_t FileStream::Read(void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const auto chunk = static_cast<DWORD>(std::min(size - done, MAX_CHUNK));
        DWORD n = 0;
        if (!ReadFile(AsHandle(m_handle), static_cast<char*>(buffer) + done, chunk, &n, nullptr) ||
            n == 0) {
            break;
        }
        done += n;
    }
    return done;
}

std::size_t FileStream::Write(const void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const auto chunk = static_cast<DWORD>(std::min(size - done, MAX_CHUNK));
        DWORD n = 0;
        if (!WriteFile(AsHandle(m_handle), static_cast<const char*>(buffer) + done, chunk, &n,
                       nullptr) ||
            n == 0) {
            break;
        }
        done += n;
    }
    return done;
}

bool FileStream::Commit() {
    return FlushFileBuffers(AsHandle(m_handle)) != FALSE;
}
