// A language resource file beside the program replaces its resources, and only those.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>

#include "GuiTest.h"
#include "Resources.h"
#include "TarvixDlg.h"
#include "fw/Menu.h"
#include "fw/WinApp.h"

namespace fs = std::filesystem;

namespace {

class LanguageFileTest : public testing::Test {
  protected:
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        const auto image = tarvix::res::EmbeddedResImage();
        tarvix::res::SetCurrentModule(*tarvix::res::Module::FromResImage(
            std::vector<std::uint8_t>(image.begin(), image.end())));
    }

    // The program "Tarvix" in a folder of its own, with `dll` beside it as TarvixLOC.dll,
    // the name tried whatever the language.
    bool Load(const char* dll) {
        const fs::path exe = fs::path(m_dir.path().toStdString()) / "Tarvix";
        if (dll != nullptr) {
            fs::copy_file(dll, exe.parent_path() / "TarvixLOC.dll");
        }
        return fw::LoadLanguageResources(exe.string());
    }

    QTemporaryDir m_dir;
    Watchdog watchdog;
};

TEST_F(LanguageFileTest, ItsDialogsAndStringsAreShownWhileTitleAndFileTypesStay) {
    ASSERT_TRUE(Load(TARVIX_ENGLISH_DLL));
    CTarvixDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    WhenModal(nullptr, [&dlg](QWidget* main) {
        EXPECT_EQ(main->windowTitle(), "Tarvix (English)");
        EXPECT_EQ(qobject_cast<QPushButton*>(Widget(dlg.GetDlgItem(IDOK)))->text(), "Start");
        CMenu* menu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->Items().back().text, "&About Tarvix...");

        WhenModal(main, [](QWidget* box) {
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "No program file is given");
            EXPECT_EQ(box->windowTitle(), TEST_APP_TITLE);
            Press(Qt::Key_Return);
        });
        Press(Qt::Key_Return);

        WhenModal(main, [](QWidget* about) {
            EXPECT_EQ(about->windowTitle(), "About Tarvix (English)");
            EXPECT_EQ(about->findChild<QLabel*>()->text(), "Tarvix, English edition");
            Press(Qt::Key_Escape);
        });
        dlg.SendMessageA(WM_SYSCOMMAND, IDM_ABOUT, 0);

        WhenModal(main, [](QWidget* w) {
            auto* types = qobject_cast<QFileDialog*>(w)->findChild<QComboBox*>("fileTypeCombo");
            EXPECT_EQ(types->itemText(0), "ﾍﾟﾙﾅ・ﾌﾟﾛｸﾞﾗﾑﾌｧｲﾙ(*.txt)");
            Press(Qt::Key_Escape);
        });
        Click(Widget(dlg.GetDlgItem(IDC_BROWSE_PROGRAM)));
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(LanguageFileTest, WithoutTheMainWindowsTemplateTheRunEndsAtOnceShowingNothing) {
    ASSERT_TRUE(Load(TARVIX_NO_MAIN_WINDOW_DLL));
    CTarvixDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), 0);
}

TEST_F(LanguageFileTest, NoFileOrACorruptOneLeavesTheProgramsOwnResources) {
    EXPECT_FALSE(Load(nullptr));
    QFile corrupt(m_dir.filePath("TarvixLOC.dll"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray("MZ") + QByteArray(4096, '\x5a'));
    corrupt.close();
    EXPECT_FALSE(fw::LoadLanguageResources(m_dir.filePath("Tarvix").toStdString()));
    EXPECT_EQ(tarvix::res::LoadDialog(tarvix::res::CurrentModule(), IDD_MAIN_WINDOW)->caption,
              "Tarvix");
}

}  // namespace
