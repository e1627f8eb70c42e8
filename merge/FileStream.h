// The byte-stream file operations the merge needs, one implementation per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// An open file, held against other programs until it is closed (on destruction).
// Reads and writes count whole bytes and continue short system calls, as a stream would.
class FileStream {
  public:
    // Reading and writing, never created or truncated, held exclusively: fails when the file
    // is missing, is not a regular file, is read-only, or another program holds it.
    static std::optional<FileStream> OpenForUpdate(const char* path);
    // Reading only; other programs may read it meanwhile, none may write it. Fails when the
    // file is missing, is not a regular file, or another program (or our own exclusive hold
    // of the same file) writes to it.
    static std::optional<FileStream> OpenForReading(const char* path);

    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;
    ~FileStream();

    // Sets the position, counted from the start of the file.
    bool Seek(std::int64_t offset);
    // Sets the position to the end of the file and returns it.
    std::optional<std::int64_t> SeekToEnd();
    // Returns the number of bytes read: fewer than size only at the end of the file or on error.
    std::size_t Read(void* buffer, std::size_t size);
    // Returns the number of bytes written: fewer than size only on error.
    std::size_t Write(const void* buffer, std::size_t size);
    // Brings every byte written so far to storage.
    bool Commit();

  private:
    explicit FileStream(std::intptr_t handle) : m_handle(handle) {}

    std::intptr_t m_handle;
};
