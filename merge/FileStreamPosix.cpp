// FileStream on POSIX: plain file descriptors. Windows' share modes become open-file-description
// locks over the whole file, which other programs that lock (fcntl or lockf) respect.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "FileStream.h"

namespace {

// Opens without blocking (a FIFO would wait for a writer) and without taking a terminal, and
// keeps regular files only: a directory, FIFO or device is not a file Tarvix can merge.
int OpenRegular(const char* path, int access, bool needWritable) {
    const int fd = open(path, access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    // A file without any write permission bit is read-only for every user, root included.
    const bool usable = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                        (!needWritable || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0) &&
                        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (!usable) {
        close(fd);
        return -1;
    }
    return fd;
}

// False only when another holder's lock conflicts. A file system that cannot lock at all
// does not stop the merge.
bool LockWholeFile(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    while (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno != EINTR) {
            return errno != EAGAIN && errno != EACCES;
        }
    }
    return true;
}

// One large write only copies into the page cache, and the kernel starts writing back late
// (at a tenth of memory, by default): the commit would then wait for the whole sound while the
// storage sat idle during the copy. While a large write runs, a helper asks every few
// milliseconds for what has been copied so far to go to storage, so the commit finds little
// left. It changes no data; where no thread can be started, the write goes on without it.
class EarlyWriteBack {
  public:
    static constexpr std::size_t MIN_SIZE = 8 << 20;

    explicit EarlyWriteBack(int fd) {
        try {
            m_helper = std::thread([this, fd] { Run(fd); });
        } catch (const std::system_error&) {
        }
    }
    EarlyWriteBack(const EarlyWriteBack&) = delete;
    EarlyWriteBack& operator=(const EarlyWriteBack&) = delete;
    ~EarlyWriteBack() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        if (m_helper.joinable()) {
            m_helper.join();
        }
    }

  private:
    void Run(int fd) {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(5), [this] { return m_done; })) {
            lock.unlock();
            sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_helper;
};

std::optional<int> OpenAndLock(const char* path, int access, short lockType) {
    const int fd = OpenRegular(path, access, access == O_RDWR);
    if (fd < 0) {
        return std::nullopt;
    }
    if (!LockWholeFile(fd, lockType)) {
        close(fd);
        return std::nullopt;
    }
    return fd;
}

}  // namespace

std::optional<FileStream> FileStream::OpenForUpdate(const char* path) {
    if (const auto fd = OpenAndLock(path, O_RDWR, F_WRLCK)) {
        return FileStream(*fd);
    }
    return std::nullopt;
}

std::optional<FileStream> FileStream::OpenForReading(const char* path) {
    if (const auto fd = OpenAndLock(path, O_RDONLY, F_RDLCK)) {
        return FileStream(*fd);
    }
    return std::nullopt;
}

FileStream::FileStream(FileStream&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    std::swap(m_handle, other.m_handle);
    return *this;
}

FileStream::~FileStream() {
    if (m_handle >= 0) {
        close(static_cast<int>(m_handle));
    }
}

bool FileStream::Seek(std::int64_t offset) {
    return lseek(static_cast<int>(m_handle), offset, SEEK_SET) == offset;
}

std::optional<std::int64_t> FileStream::SeekToEnd() {
    const off_t end = lseek(static_cast<int>(m_handle), 0, SEEK_END);
    if (end < 0) {
        return std::nullopt;
    }
    return end;
}

std::size_t FileStream::Read(void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            read(static_cast<int>(m_handle), static_cast<char*>(buffer) + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    return done;
}

std::size_t FileStream::Write(const void* buffer, std::size_t size) {
    std::optional<EarlyWriteBack> writeBack;
    if (size >= EarlyWriteBack::MIN_SIZE) {
        writeBack.emplace(static_cast<int>(m_handle));
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            write(static_cast<int>(m_handle), static_cast<const char*>(buffer) + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    return done;
}

bool FileStream::Commit() {
    int result;
    do {
        result = fsync(static_cast<int>(m_handle));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}
