// Window tests run headless, inside one QApplication, with an application object
// whose title the message boxes must show.
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "fw/WinApp.h"

namespace {
CWinApp g_testApp;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RunHeadless(argv, g_testApp);
}
