// Scratch files and observations shared by the merge tests.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestBytes.h"

using testbytes::Bytes;
using testbytes::Pattern;

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file of the given size that takes no room on disk.
inline void MakeSparse(const std::string& path, std::int64_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(ftruncate(fd, size), 0) << path;
    close(fd);
}

inline bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A private folder per test, so tests run side by side.
class ScratchDir {
  public:
    ScratchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "tarvix-merge-XXXXXX").string();
        if (mkdtemp(tmpl.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
        }
        m_path = tmpl;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

// Whether this process has the file open with a lock of the given kind on it, seen the way
// another program sees it: through a separate open of the file.
inline bool HeldByUs(const std::string& path, short lockType) {
    struct stat target {};
    if (stat(path.c_str(), &target) != 0) {
        return false;
    }
    bool open = false;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        struct stat st {};
        if (stat(entry.path().c_str(), &st) == 0 && st.st_dev == target.st_dev &&
            st.st_ino == target.st_ino) {
            open = true;
        }
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Asking for the opposite kind reports a lock of lockType, if one is held.
    struct flock probe {};
    probe.l_type = lockType == F_WRLCK ? F_RDLCK : F_WRLCK;
    probe.l_whence = SEEK_SET;
    const bool locked = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type == lockType;
    close(fd);
    return open && locked;
}

inline bool OtherCanLock(const std::string& path, short lockType) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct flock probe {};
    probe.l_type = lockType;
    probe.l_whence = SEEK_SET;
    const bool free = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_UNLCK;
    close(fd);
    return free;
}

// This process's address space in bytes: a held buffer shows as growth.
inline std::int64_t AddressSpace() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::stoll(line.substr(7)) * 1024;
        }
    }
    return -1;
}

// What the merge held while its report ran.
struct Held {
    bool program = false;
    bool sound = false;
    bool buffer = false;
    bool operator==(const Held&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Held& h) {
    return out << "{program " << h.program << ", sound " << h.sound << ", buffer " << h.buffer
               << "}";
}

// Below this size a buffer cannot be told apart from the heap's own growth.
constexpr std::int64_t VISIBLE_BUFFER = 1 << 20;

// The buffer counts as held when the address space grew by at least the sound's size.
inline Held Observe(const std::string& program, const std::string& sound, std::int64_t baseline,
                    std::int64_t soundSize) {
    return Held{HeldByUs(program, F_WRLCK), HeldByUs(sound, F_RDLCK),
                AddressSpace() - baseline >= soundSize};
}

inline std::int64_t FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;
}

// Runs body in a child process and hands back the trivially copyable value it returns.
template <class T>
T InChild(const std::function<T()>& body) {
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return T{};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const T result = body();
        const bool sent = write(fds[1], &result, sizeof result) == sizeof result;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    T result{};
    const bool received = read(fds[0], &result, sizeof result) == sizeof result;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(received && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child failed";
    return result;
}
