// Help key tests run headless, inside one QApplication, with the tool's own
// application object, whose table carries the help command.
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "TarvixApp.h"

namespace {
CTarvixApp g_app;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_app.m_helpFilePath = "/nonexistent/Tarvix.HLP";
    return RunHeadless(argv, g_app);
}
