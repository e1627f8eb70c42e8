// The about box, opened from the main window's system menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "AboutDlg.h"
#include "GuiTest.h"
#include "TarvixDlg.h"
#include "fw/WinApp.h"

namespace {

enum class EndBy { OkButton, Enter, Escape, CloseBox };

void PrintTo(EndBy way, std::ostream* os) {
    constexpr const char* NAMES[] = {"OkButton", "Enter", "Escape", "CloseBox"};
    *os << NAMES[static_cast<int>(way)];
}

class AboutBoxTest : public testing::TestWithParam<EndBy> {
  protected:
    void SetUp() override { AfxGetApp()->m_pMainWnd = &dlg; }
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }

    QString Text(int id) { return qobject_cast<QLineEdit*>(Widget(dlg.GetDlgItem(id)))->text(); }
    std::vector<QString> Fields() {
        return {Text(IDC_PROGRAM_PATH), Text(IDC_SOUND_PATH), Text(IDC_SECTOR), Text(IDC_SECONDS)};
    }

    CTarvixDlg dlg;
    Watchdog watchdog;
};

TEST_P(AboutBoxTest, ShowsNameVersionAndNoticeOverTheBlockedMainWindowAndEndsEachWay) {
    WhenModal(nullptr, [this](QWidget* main) {
        dlg.SetDlgItemTextA(IDC_PROGRAM_PATH, "program.txt");
        dlg.SetDlgItemTextA(IDC_SOUND_PATH, "sound.wav");
        Click(Widget(dlg.GetDlgItem(IDC_SECTOR)));
        Type("7");
        const std::vector<QString> before = Fields();

        bool shown = false;
        WhenModal(main, [&](QWidget* about) {
            shown = true;
            EXPECT_EQ(about->windowTitle(), "バージョン情報 Tarvix");
            EXPECT_EQ(about->parentWidget(), main);
            QStringList texts;
            bool icon = false;
            for (QLabel* label : about->findChildren<QLabel*>()) {
                icon = icon || !label->pixmap().isNull();
                if (!label->text().isEmpty()) {
                    texts << label->text();
                }
            }
            EXPECT_TRUE(icon);
            ASSERT_EQ(texts.size(), 2);
            EXPECT_EQ(texts[0], "Tarvix, Version 1.0");
            EXPECT_FALSE(texts[1].contains('\n'));
            auto* ok = qobject_cast<QPushButton*>(QApplication::focusWidget());
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), "OK");
            EXPECT_EQ(ok->window(), about);

            const QPoint offset = about->frameGeometry().center() - main->frameGeometry().center();
            EXPECT_LE(std::abs(offset.x()), 1);
            EXPECT_LE(std::abs(offset.y()), 1);

            // The main window takes no input meanwhile.
            Click(Widget(dlg.GetDlgItem(IDOK)));
            Click(Widget(dlg.GetDlgItem(IDCANCEL)));
            EXPECT_EQ(QApplication::activeModalWidget(), about);

            switch (GetParam()) {
                case EndBy::OkButton:
                    Click(ok);
                    break;
                case EndBy::Enter:
                    Press(Qt::Key_Return);
                    break;
                case EndBy::Escape:
                    Press(Qt::Key_Escape);
                    break;
                case EndBy::CloseBox:
                    about->close();
                    break;
            }
        });
        dlg.SendMessageA(WM_SYSCOMMAND, IDM_ABOUT, 0);
        EXPECT_TRUE(shown);
        EXPECT_EQ(QApplication::activeModalWidget(), main);
        EXPECT_EQ(Fields(), before);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutBoxTest,
                         testing::Values(EndBy::OkButton, EndBy::Enter, EndBy::Escape,
                                         EndBy::CloseBox));

TEST(AboutBox, RunsWithoutAMainWindowAndEndsWithItsResult) {
    Watchdog watchdog;
    WhenModal(nullptr, [](QWidget*) { Press(Qt::Key_Return); });
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
}

}  // namespace
