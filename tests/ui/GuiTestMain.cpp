// Window tests run headless, inside one QApplication, with an application object
// whose title the message boxes must show.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "GuiTest.h"
#include "fw/WinApp.h"

namespace {
CWinApp g_testApp;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    g_testApp.m_appTitle = TEST_APP_TITLE;
    return RUN_ALL_TESTS();
}
