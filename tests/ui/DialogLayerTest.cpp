// The layer's dialog on the real template, without the main window's own handlers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "fw/Dialog.h"

namespace {

// A plain dialog on the main window's template that records what each change
// notification of the sector field finds in the field.
class ChangeProbe : public CDialog {
  public:
    ChangeProbe() : CDialog(IDD_MAIN_WINDOW) {}
    std::vector<std::string> seen;

    const fw::MessageTable* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageTable* GetThisMessageMap() {
        static constexpr fw::MessageRow rows[] = {
            fw::OnEditChange<&ChangeProbe::OnSectorChange>(IDC_SECTOR),
        };
        static const fw::MessageTable table{CDialog::GetThisMessageMap(), rows};
        return &table;
    }

    void OnSectorChange() {
        char text[32];
        GetDlgItemTextA(IDC_SECTOR, text, sizeof text);
        seen.emplace_back(text);
    }
};

using Seen = std::vector<std::string>;

TEST(DialogLayer, EachWriteOfAFieldNotifiesFromWithinTheWrite) {
    Watchdog watchdog;
    ChangeProbe dlg;
    WhenModal(nullptr, [&dlg](QWidget*) {
        EXPECT_EQ(dlg.seen, Seen{});  // the template's own text is no change
        dlg.SetDlgItemInt(IDC_SECTOR, 123, TRUE);
        EXPECT_EQ(dlg.seen, Seen{"123"});
        dlg.SetDlgItemInt(IDC_SECTOR, 123, TRUE);  // the same text again still notifies
        EXPECT_EQ(dlg.seen, (Seen{"123", "123"}));
        dlg.SetDlgItemInt(IDC_SECTOR, static_cast<UINT>(-5), TRUE);
        dlg.SetDlgItemTextA(IDC_SECTOR, " +77 ");
        EXPECT_EQ(dlg.seen, (Seen{"123", "123", "-5", " +77 "}));
        BOOL ok = FALSE;
        EXPECT_EQ(dlg.GetDlgItemInt(IDC_SECTOR, &ok, TRUE), 77u);
        EXPECT_TRUE(ok);

        // The user's typing notifies too.
        dlg.SetFocusedItem(dlg.GetDlgItem(IDC_SECTOR));
        Press(Qt::Key_End);
        Type("x");
        EXPECT_EQ(dlg.seen.back(), " +77 x");
        EXPECT_EQ(dlg.GetDlgItemInt(IDC_SECTOR, &ok, TRUE), 0u);
        EXPECT_FALSE(ok);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DialogLayer, WithoutAnOkRowOfItsOwnEnterEndsTheRunWithOk) {
    Watchdog watchdog;
    ChangeProbe dlg;
    WhenModal(nullptr, [](QWidget*) { Press(Qt::Key_Return); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(DialogLayer, PathTextIsCutToTheBufferAtACharacterBoundary) {
    Watchdog watchdog;
    ChangeProbe dlg;
    WhenModal(nullptr, [&dlg](QWidget*) {
        // 100 three-byte characters: 86 of them (258 bytes) fit in 259.
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text += "あ";
        }
        dlg.SetDlgItemTextA(IDC_PROGRAM_PATH, text.c_str());
        char buffer[260];
        EXPECT_EQ(dlg.GetDlgItemTextA(IDC_PROGRAM_PATH, buffer, 260), 258);
        EXPECT_EQ(std::string(buffer), text.substr(0, 258));
        dlg.SetDlgItemTextA(IDC_PROGRAM_PATH, "");
        buffer[0] = 'x';
        EXPECT_EQ(dlg.GetDlgItemTextA(IDC_PROGRAM_PATH, buffer, 260), 0);
        EXPECT_EQ(buffer[0], '\0');
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DialogLayer, AMissingTemplateReturnsMinusOneAtOnceShowingNothing) {
    CDialog dlg(999);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(w->isVisible());
    }
}

}  // namespace
