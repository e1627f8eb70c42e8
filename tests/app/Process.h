// Child processes for the start-up tests: a private X display and the program itself.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// A child process with its own environment; killed on destruction if still running.
class Child {
  public:
    // `env` replaces the variables it names; an empty value removes the variable.
    Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
          const std::string& stderrPath = "/dev/null");
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit status once the process ends within `seconds`; nullopt otherwise.
    std::optional<int> Wait(double seconds);
    pid_t Pid() const { return m_pid; }

  private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

// A private Xvfb display, with openbox on it when installed.
class XDisplay {
  public:
    XDisplay();
    ~XDisplay();
    bool Ok() const { return !m_name.empty(); }
    const std::string& Name() const { return m_name; }

  private:
    std::optional<Child> m_server;
    std::optional<Child> m_windowManager;
    std::string m_name;
};

// Runs a shell command with DISPLAY set; returns its standard output.
std::string Shell(const std::string& display, const std::string& command);
