// Help key tests run headless, inside one QApplication, with the tool's own
// application object, whose table carries the help command.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "GuiTest.h"
#include "TarvixApp.h"

namespace {
CTarvixApp g_app;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    g_app.m_appTitle = TEST_APP_TITLE;
    g_app.m_helpFilePath = "/nonexistent/Tarvix.HLP";
    return RUN_ALL_TESTS();
}
