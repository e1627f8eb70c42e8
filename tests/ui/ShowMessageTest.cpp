// Message boxes: text, caption, icon, button, help context and the ways to dismiss them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "GuiTest.h"
#include "MessageText.h"
#include "ShowMessage.h"
#include "fw/WinApp.h"

namespace {

constexpr std::uint32_t CONTEXT_BEFORE = 0x20066;

class ShowMessageTest : public testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override { AfxGetApp()->m_helpContext = CONTEXT_BEFORE; }
    void TearDown() override { AfxGetApp()->m_helpContext = 0; }
    Watchdog watchdog;
};

TEST_P(ShowMessageTest, ShowsTheTextWithTheTitleAWarningAndOneOkButton) {
    const unsigned id = GetParam();
    bool shown = false;
    WhenModal(nullptr, [&shown, id](QWidget* w) {
        shown = true;
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), MessageText(id));
        EXPECT_FALSE(box->text().isEmpty());
        EXPECT_EQ(box->windowTitle(), TEST_APP_TITLE);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons()[0]), QMessageBox::Ok);

        const bool outOfMemory = id == IDS_OUT_OF_MEMORY;
        EXPECT_EQ(AfxGetApp()->m_helpContext, outOfMemory ? CONTEXT_BEFORE : 0x30000 + id);
        EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint), outOfMemory);
        Press(Qt::Key_Return);
    });
    ShowMessage(id);
    EXPECT_TRUE(shown);
    EXPECT_EQ(AfxGetApp()->m_helpContext, CONTEXT_BEFORE);
}

INSTANTIATE_TEST_SUITE_P(Messages, ShowMessageTest,
                         testing::Values(IDS_MERGE_DONE, IDS_PROGRAM_OPEN_FAILED,
                                         IDS_POSITION_BEYOND_END, IDS_SOUND_OPEN_FAILED,
                                         IDS_SOUND_READ_FAILED, IDS_PROGRAM_WRITE_FAILED,
                                         IDS_NO_PROGRAM_FILE, IDS_NO_SOUND_FILE, IDS_OUT_OF_MEMORY,
                                         IDS_HELP_LAUNCH_FAILED));

TEST(ShowMessage, TheWriteFailureShowsOnTwoLines) {
    Watchdog watchdog;
    WhenModal(nullptr, [](QWidget* w) {
        QLabel* label = nullptr;
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (l->text().toStdString() == MessageText(IDS_PROGRAM_WRITE_FAILED)) {
                label = l;
            }
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        const QStringList lines = label->text().split('\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[0].endsWith("失敗しました"));
        EXPECT_GE(label->height(), 2 * label->fontMetrics().height());
        Press(Qt::Key_Return);
    });
    ShowMessage(IDS_PROGRAM_WRITE_FAILED);
}

enum class DismissBy { OkButton, Enter, Escape, CloseBox };

void PrintTo(DismissBy way, std::ostream* os) {
    constexpr const char* NAMES[] = {"OkButton", "Enter", "Escape", "CloseBox"};
    *os << NAMES[static_cast<int>(way)];
}

class DismissTest : public testing::TestWithParam<DismissBy> {};

TEST_P(DismissTest, EveryWayEndsTheBox) {
    Watchdog watchdog;
    bool shown = false;
    WhenModal(nullptr, [&shown](QWidget* w) {
        shown = true;
        auto* box = qobject_cast<QMessageBox*>(w);
        switch (GetParam()) {
            case DismissBy::OkButton:
                Click(box->button(QMessageBox::Ok));
                break;
            case DismissBy::Enter:
                Press(Qt::Key_Return);
                break;
            case DismissBy::Escape:
                Press(Qt::Key_Escape);
                break;
            case DismissBy::CloseBox:
                box->close();
                break;
        }
    });
    ShowMessage(IDS_MERGE_DONE);  // returns only once the box is gone
    EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, DismissTest,
                         testing::Values(DismissBy::OkButton, DismissBy::Enter, DismissBy::Escape,
                                         DismissBy::CloseBox));

}  // namespace
