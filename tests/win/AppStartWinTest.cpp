// The process entry on Windows: what the framework has fixed when the start-up routine
// runs, and what it returns after it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WinResourceModule.h"
#include "fw/WinApp.h"

namespace {

class ProbeApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        m_errorMode = GetErrorMode();
        m_resources = tarvix::res::ResourceInstance();
        return FALSE;
    }
    int ExitInstance() override { return 7; }

    UINT m_errorMode = 0;
    HMODULE m_resources = nullptr;
};

ProbeApp g_app;

TEST(AppStart, FrameworkInitialisationBeforeTheStartUpRoutine) {
    ASSERT_EQ(fw::RunApplication(0, nullptr), 7);

    // The system's critical-error boxes stay away: failures reach the merge quietly.
    EXPECT_TRUE(g_app.m_errorMode & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(g_app.m_errorMode & SEM_NOOPENFILEERRORBOX);

    // Title and help file from the executable's own path.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string exe = fw::ExecutablePath();
    EXPECT_EQ(exe.size(), std::wstring(path).size());
    EXPECT_EQ(g_app.m_appTitle, "tarvix_app_win_tests");
    EXPECT_EQ(g_app.m_helpFilePath, exe.substr(0, exe.size() - 4) + ".HLP");

    // No language resource file beside the tests: the executable is the resource module.
    EXPECT_EQ(g_app.m_resources, GetModuleHandleW(nullptr));
}

}  // namespace
