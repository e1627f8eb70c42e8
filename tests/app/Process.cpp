#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

Child::Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& stderrPath) {
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos) {
            merged[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
    }
    for (const auto& [name, value] : env) {
        if (value.empty()) {
            merged.erase(name);
        } else {
            merged[name] = value;
        }
    }
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : merged) {
        envStrings.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& s : envStrings) {
        envp.push_back(s.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& s : args) {
        argp.push_back(s.data());
    }
    argp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (posix_spawn(&m_pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
    if (m_pid > 0 && !m_reaped) {
        ::kill(m_pid, SIGTERM);
        if (!Wait(5)) {
            ::kill(m_pid, SIGKILL);
            Wait(5);
        }
    }
}

std::optional<int> Child::Wait(double seconds) {
    if (m_pid <= 0) {
        return std::nullopt;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_reaped = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < end);
    return std::nullopt;
}

XDisplay::XDisplay() {
    if (::access("/usr/bin/Xvfb", X_OK) != 0) {
        return;
    }
    // Xvfb picks a free display and writes its number to the pipe.
    int fds[2];
    if (::pipe(fds) != 0) {
        return;
    }
    const std::string fd = std::to_string(fds[1]);
    m_server.emplace(std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", fd, "-screen", "0",
                                              "1024x768x24", "-nolisten", "tcp"},
                     std::map<std::string, std::string>{});
    ::close(fds[1]);
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(fds[0]);
    if (number.empty()) {
        return;
    }
    m_name = ":" + number;
    if (::access("/usr/bin/openbox", X_OK) == 0) {
        m_windowManager.emplace(std::vector<std::string>{"/usr/bin/openbox"},
                                std::map<std::string, std::string>{{"DISPLAY", m_name}});
        Shell(m_name, "sleep 0.5");
    }
}

XDisplay::~XDisplay() {
    m_windowManager.reset();
    m_server.reset();
}

std::string Shell(const std::string& display, const std::string& command) {
    const std::string full = "DISPLAY=" + display + " " + command + " 2>/dev/null";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (pipe == nullptr) {
        return {};
    }
    std::string out;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    ::pclose(pipe);
    return out;
}
