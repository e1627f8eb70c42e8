// The main window driven as a user drives it: keys and clicks on the real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GuiTest.h"
#include "MessageText.h"
#include "TarvixDlg.h"
#include "fw/Menu.h"
#include "fw/WinApp.h"
#include "fw/qt/Handles.h"

namespace {

class MainWindowProbe : public CTarvixDlg {
  public:
    using CTarvixDlg::m_appIcon;
    using CTarvixDlg::m_linkActive;
};

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override { AfxGetApp()->m_pMainWnd = &dlg; }
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }

    QWidget* Item(int id) { return Widget(dlg.GetDlgItem(id)); }
    QString Text(int id) {
        auto* edit = qobject_cast<QLineEdit*>(Item(id));
        return edit != nullptr ? edit->text() : QString("<no field>");
    }
    int Focused() { return dlg.GetDlgCtrlID(dlg.GetFocusedItem()); }

    // Runs the window; `step` runs inside the run once the window is shown.
    INT_PTR Run(std::function<void(QWidget*)> step) {
        WhenModal(nullptr, std::move(step));
        return dlg.DoModal();
    }

    // Expects message `id` in a box over `main` next, then dismisses it with OK.
    void ExpectBox(QWidget* main, unsigned id) {
        WhenModal(main, [this, main, id](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seenMessages.push_back(box->text().toStdString());
            EXPECT_EQ(box->text().toStdString(), MessageText(id));
            EXPECT_EQ(box->parentWidget(), main);
            Click(box->button(QMessageBox::Ok));
        });
    }

    MainWindowProbe dlg;
    std::vector<std::string> seenMessages;
    Watchdog watchdog;
};

TEST_F(MainWindowTest, OpensWithTheDefaultPositionAndTheFocusOnStart) {
    const INT_PTR result = Run([this](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Tarvix");
        EXPECT_EQ(Text(IDC_SECTOR), "10000");
        EXPECT_EQ(Text(IDC_SECONDS), "468");  // written as is, not converted from 10000
        EXPECT_EQ(Text(IDC_PROGRAM_PATH), "");
        EXPECT_EQ(Text(IDC_SOUND_PATH), "");
        EXPECT_EQ(Focused(), IDOK);
        EXPECT_TRUE(dlg.m_linkActive);
        EXPECT_NE(dlg.m_appIcon, nullptr);
        EXPECT_FALSE(w->windowIcon().isNull());
        EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessageA(WM_QUERYDRAGICON)), dlg.m_appIcon);

        CMenu* menu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->GetMenuItemCount(), 3);
        EXPECT_EQ(menu->GetMenuItemID(0), static_cast<UINT>(SC_CLOSE));
        EXPECT_EQ(menu->Items()[1].flags, static_cast<UINT>(MF_SEPARATOR));
        EXPECT_EQ(menu->GetMenuItemID(2), static_cast<UINT>(IDM_ABOUT));
        char text[64];
        menu->GetMenuStringA(2, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "バージョン情報 Tarvix(&A)...");
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);  // cleared when the window went
}

// Template rectangles in dialog units, in template order.
struct TemplateRect {
    int x, y, cx, cy;
};
constexpr TemplateRect CONTROLS[] = {
    {134, 116, 50, 14}, {186, 116, 50, 14}, {7, 17, 45, 10},   {60, 15, 139, 13}, {198, 15, 18, 16},
    {7, 43, 45, 10},    {60, 41, 139, 13},  {198, 41, 18, 16}, {7, 73, 45, 10},   {60, 73, 39, 13},
    {101, 73, 26, 10},  {145, 73, 39, 13},  {186, 75, 26, 10},
};

int MulDiv(int a, int b, int c) {
    return (2 * a * b + c) / (2 * c);
}

TEST_F(MainWindowTest, LaysOutTheTemplateInDialogUnitsOfItsFont) {
    Run([](QWidget* w) {
        const QFontInfo font(w->font());
        EXPECT_TRUE(font.family() == "MS UI Gothic" || font.family().startsWith("IPA"))
            << font.family().toStdString();
        const QFontMetrics metrics(w->font());
        int letters = 0;
        for (char c = 'A'; c <= 'Z'; ++c) {
            letters += metrics.horizontalAdvance(QChar(c)) +
                       metrics.horizontalAdvance(QChar(c - 'A' + 'a'));
        }
        const int bx = (letters / 26 + 1) / 2;
        const int by = metrics.height();
        EXPECT_EQ(w->size(), QSize(MulDiv(243, bx, 4), MulDiv(137, by, 8)));

        std::vector<QWidget*> controls;
        for (QObject* child : w->children()) {
            if (child->isWidgetType()) {
                controls.push_back(static_cast<QWidget*>(child));
            }
        }
        ASSERT_EQ(controls.size(), std::size(CONTROLS));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const TemplateRect& t = CONTROLS[i];
            const QRect r = controls[i]->geometry();
            SCOPED_TRACE(testing::Message() << "control " << i + 1);
            EXPECT_EQ(r.topLeft(), QPoint(MulDiv(t.x, bx, 4), MulDiv(t.y, by, 8)));
            EXPECT_EQ(r.height(), MulDiv(t.cy, by, 8));
            if (qobject_cast<QLabel*>(controls[i]) != nullptr) {
                // A label may be widened to show its text on one line...
                EXPECT_GE(r.width(), MulDiv(t.cx, bx, 4));
                // ...but never into the control to its right.
                for (QWidget* other : controls) {
                    const QRect o = other->geometry();
                    if (other != controls[i] && o.left() > r.left() && o.top() < r.bottom() &&
                        o.bottom() > r.top()) {
                        EXPECT_LE(r.right(), o.left()) << "overlaps control at x " << o.left();
                    }
                }
            } else {
                EXPECT_EQ(r.width(), MulDiv(t.cx, bx, 4));
            }
        }

        // Centred on the work area (the window has no owner).
        const QRect area = w->screen()->availableGeometry();
        const QPoint offset = w->frameGeometry().center() - area.center();
        EXPECT_LE(std::abs(offset.x()), 1);
        EXPECT_LE(std::abs(offset.y()), 1);
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, TabAndShiftTabFollowTheTemplateOrder) {
    Run([this](QWidget*) {
        const std::vector<int> order = {
            IDCANCEL,         IDC_PROGRAM_PATH, IDC_BROWSE_PROGRAM, IDC_SOUND_PATH,
            IDC_BROWSE_SOUND, IDC_SECTOR,       IDC_SECONDS,        IDOK};
        std::vector<int> forward;
        for (std::size_t i = 0; i < order.size(); ++i) {
            Press(Qt::Key_Tab);
            forward.push_back(Focused());
        }
        EXPECT_EQ(forward, order);
        std::vector<int> backward;
        for (std::size_t i = 0; i < order.size(); ++i) {
            Press(Qt::Key_Backtab, Qt::ShiftModifier);
            backward.push_back(Focused());
        }
        const std::vector<int> reversed = {
            IDC_SECONDS,        IDC_SECTOR,       IDC_BROWSE_SOUND, IDC_SOUND_PATH,
            IDC_BROWSE_PROGRAM, IDC_PROGRAM_PATH, IDCANCEL,         IDOK};
        EXPECT_EQ(backward, reversed);
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, ArrowKeysMoveWithinTheGroupOfButtons) {
    Run([this](QWidget*) {
        ASSERT_EQ(Focused(), IDOK);
        Press(Qt::Key_Right);
        EXPECT_EQ(Focused(), IDCANCEL);
        Press(Qt::Key_Down);  // the group ends at the next label: back to the first
        EXPECT_EQ(Focused(), IDOK);
        Press(Qt::Key_Left);
        EXPECT_EQ(Focused(), IDCANCEL);
        // The sound row is one group: its label, its field and its browse button.
        Click(Item(IDC_SOUND_PATH));
        Press(Qt::Key_Tab);  // to its browse button, which a click would press
        ASSERT_EQ(Focused(), IDC_BROWSE_SOUND);
        Press(Qt::Key_Up);
        EXPECT_EQ(Focused(), IDC_SOUND_PATH);
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, PaintsTheIconCentredWhileMinimised) {
    Run([this](QWidget* w) {
        w->showMinimized();
        ASSERT_TRUE(dlg.IsIconic());
        QImage shot(w->size(), QImage::Format_ARGB32);
        shot.fill(Qt::black);
        w->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const QImage icon =
            fw::qt::ToPixmap(dlg.m_appIcon)->toImage().convertToFormat(QImage::Format_ARGB32);
        const QPoint at((w->width() - 32 + 1) / 2, (w->height() - 32 + 1) / 2);
        int opaque = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                if (qAlpha(icon.pixel(x, y)) == 255) {
                    ++opaque;
                    ASSERT_EQ(shot.pixel(at + QPoint(x, y)), icon.pixel(x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaque, 0);
        // Around the icon, the erased background.
        EXPECT_EQ(shot.pixelColor(0, 0), w->palette().window().color());
        w->showNormal();
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, EnterAtOnceReportsTheMissingProgramFileAndTheWindowStays) {
    const INT_PTR result = Run([this](QWidget* w) {
        WhenModal(w, [this, w](QWidget* box) {
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text().toStdString(),
                      MessageText(IDS_NO_PROGRAM_FILE));
            EXPECT_EQ(box->parentWidget(), w);
            // The main window takes no input while the box is open.
            Click(Item(IDCANCEL));
            Click(Item(IDOK));
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), box);
            Press(Qt::Key_Return);
        });
        Press(Qt::Key_Return);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), w);
        EXPECT_EQ(Text(IDC_SECTOR), "10000");
        EXPECT_EQ(Text(IDC_SECONDS), "468");
        EXPECT_EQ(Focused(), IDOK);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MainWindowTest, EnterInAFieldPressesStartAndOnAnotherButtonPressesThatButton) {
    const INT_PTR result = Run([this](QWidget* w) {
        Click(Item(IDC_SOUND_PATH));
        ExpectBox(w, IDS_NO_PROGRAM_FILE);
        Press(Qt::Key_Return);
        EXPECT_EQ(seenMessages.size(), 1u);
        Click(Item(IDC_SECTOR));
        Press(Qt::Key_Tab);  // to the seconds field
        Press(Qt::Key_Tab);  // to the start button
        Press(Qt::Key_Tab);  // to the close button
        ASSERT_EQ(Focused(), IDCANCEL);
        Press(Qt::Key_Return);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(seenMessages.size(), 1u);
}

// --- A merge typed into the fields ---

class TempDir {
  public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("tarvix-ui-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const char* name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

std::vector<char> Bytes(std::size_t n, int seed) {
    std::vector<char> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = static_cast<char>((i * 7 + seed) % 251);
    }
    return v;
}

void Write(const std::filesystem::path& p, const std::vector<char>& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<char> Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct MergeCase {
    const char* sectorText;
    unsigned message;
    int writtenAt;  // byte offset of the sound in the program file; -1: unchanged
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << "sector \"" << c.sectorText << '"';
}

class MergeFromFieldsTest : public MainWindowTest, public testing::WithParamInterface<MergeCase> {};

TEST_P(MergeFromFieldsTest, WritesTheSoundAtTheSectorOrLeavesTheProgramUnchanged) {
    const MergeCase& c = GetParam();
    TempDir dir;
    const auto program = dir / "program.txt";
    const auto sound = dir / "sound.wav";
    const std::vector<char> before = Bytes(1000, 1);
    const std::vector<char> soundBytes = Bytes(100, 99);
    Write(program, before);
    Write(sound, soundBytes);

    const INT_PTR result = Run([&](QWidget* w) {
        Click(Item(IDC_PROGRAM_PATH));
        Type(QString::fromStdString(program.string()));
        Click(Item(IDC_SOUND_PATH));
        Type(QString::fromStdString(sound.string()));
        Click(Item(IDC_SECTOR));
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Delete);
        Type(c.sectorText);
        const QString seconds = Text(IDC_SECONDS);
        ExpectBox(w, c.message);
        Press(Qt::Key_Return);
        ASSERT_EQ(seenMessages.size(), 1u);
        // Every field keeps its text.
        EXPECT_EQ(Text(IDC_PROGRAM_PATH).toStdString(), program.string());
        EXPECT_EQ(Text(IDC_SOUND_PATH).toStdString(), sound.string());
        EXPECT_EQ(Text(IDC_SECTOR), c.sectorText);
        EXPECT_EQ(Text(IDC_SECONDS), seconds);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);

    std::vector<char> expected = before;
    if (c.writtenAt >= 0) {
        std::copy(soundBytes.begin(), soundBytes.end(), expected.begin() + c.writtenAt);
    }
    EXPECT_EQ(Read(program), expected);
}

INSTANTIATE_TEST_SUITE_P(Sectors, MergeFromFieldsTest,
                         testing::Values(MergeCase{"1", IDS_MERGE_DONE, 512},
                                         MergeCase{"", IDS_MERGE_DONE, 0},
                                         MergeCase{"abc", IDS_MERGE_DONE, 0},
                                         MergeCase{"2", IDS_POSITION_BEYOND_END, -1},
                                         MergeCase{"-1", IDS_POSITION_BEYOND_END, -1}));

// --- Ways to close ---

enum class CloseBy { Escape, EscapeInField, CloseButton, CloseBox, AltF4, SystemMenu, SysCommand };

void PrintTo(CloseBy way, std::ostream* os) {
    constexpr const char* NAMES[] = {"Escape", "EscapeInField", "CloseButton", "CloseBox",
                                     "AltF4",  "SystemMenu",    "SysCommand"};
    *os << NAMES[static_cast<int>(way)];
}

class CloseTest : public MainWindowTest, public testing::WithParamInterface<CloseBy> {};

TEST_P(CloseTest, EndsTheRunWithCancel) {
    const INT_PTR result = Run([this](QWidget* w) {
        switch (GetParam()) {
            case CloseBy::Escape:
                Press(Qt::Key_Escape);
                break;
            case CloseBy::EscapeInField:
                Click(Item(IDC_SECTOR));
                Press(Qt::Key_Escape);
                break;
            case CloseBy::CloseButton:
                Click(Item(IDCANCEL));
                break;
            case CloseBy::CloseBox:
                w->close();  // what the window manager's close request does
                break;
            case CloseBy::AltF4:
                Press(Qt::Key_F4, Qt::AltModifier);
                break;
            case CloseBy::SystemMenu:
                WhenPopup([](QWidget*) { Press(Qt::Key_C); });  // the close item's access key
                Click(w, Qt::RightButton, QPoint(3, 3));
                break;
            case CloseBy::SysCommand:
                dlg.SendMessageA(WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
        }
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(seenMessages.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseTest,
                         testing::Values(CloseBy::Escape, CloseBy::EscapeInField,
                                         CloseBy::CloseButton, CloseBy::CloseBox, CloseBy::AltF4,
                                         CloseBy::SystemMenu, CloseBy::SysCommand));

// --- System commands ---

constexpr char ABOUT_CAPTION[] = "バージョン情報 Tarvix";

TEST_F(MainWindowTest, SystemCommandsOfTheAboutEntryOpenTheAboutBox) {
    Run([this](QWidget* w) {
        for (UINT command = 0x0010; command <= 0x001F; ++command) {
            SCOPED_TRACE(testing::Message() << "command " << command);
            bool opened = false;
            WhenModal(w, [&opened, w](QWidget* about) {
                opened = true;
                EXPECT_EQ(about->windowTitle(), ABOUT_CAPTION);
                EXPECT_EQ(about->parentWidget(), w);
                Press(Qt::Key_Escape);
            });
            dlg.SendMessageA(WM_SYSCOMMAND, command, 0);
            EXPECT_TRUE(opened);
            EXPECT_TRUE(w->isVisible());
        }
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, OtherSystemCommandsGoToTheDefaultAndChangeNothing) {
    Run([this](QWidget* w) {
        for (UINT command : {0x0000u, 0x000Fu, 0x0020u, 0x002Fu, 0x0110u, 0xF000u}) {
            SCOPED_TRACE(testing::Message() << "command " << command);
            dlg.SendMessageA(WM_SYSCOMMAND, command, 0);
            EXPECT_EQ(QApplication::activeModalWidget(), w);
            EXPECT_TRUE(w->isVisible());
        }
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, RightClickOnTheBackgroundOpensTheSystemMenuAndItsAboutEntry) {
    Run([this](QWidget* w) {
        bool aboutOpened = false;
        WhenPopup([&aboutOpened, w](QWidget*) {
            WhenModal(w, [&aboutOpened](QWidget* about) {
                aboutOpened = about->windowTitle() == ABOUT_CAPTION;
                Press(Qt::Key_Return);  // its OK button
            });
            Press(Qt::Key_A);
        });
        Click(w, Qt::RightButton, QPoint(3, 3));
        EXPECT_TRUE(aboutOpened);

        // A right-click on a button opens no menu.
        Click(Item(IDC_BROWSE_PROGRAM), Qt::RightButton);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(w->isVisible());
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, AltSpaceOpensTheSystemMenu) {
    Run([](QWidget* w) {
        bool opened = false;
        WhenPopup([&opened](QWidget*) {
            opened = true;
            Press(Qt::Key_Escape);  // closes the menu only
        });
        Press(Qt::Key_Space, Qt::AltModifier);
        EXPECT_TRUE(opened);
        EXPECT_TRUE(w->isVisible());
        Press(Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, FieldsAndButtonsCarryNamesForAssistiveClients) {
    Run([this](QWidget*) {
        EXPECT_EQ(Item(IDC_PROGRAM_PATH)->accessibleName(), "プログラムファイル");
        EXPECT_EQ(Item(IDC_SOUND_PATH)->accessibleName(), "サウンドファイル");
        EXPECT_EQ(Item(IDC_SECTOR)->accessibleName(), "マージ位置");
        EXPECT_EQ(Item(IDC_SECTOR)->accessibleDescription(), "セクター");
        EXPECT_EQ(Item(IDC_SECONDS)->accessibleName(), "マージ位置");
        EXPECT_EQ(Item(IDC_SECONDS)->accessibleDescription(), "秒");
        EXPECT_EQ(Item(IDOK)->accessibleName(), "開始");
        EXPECT_EQ(Item(IDCANCEL)->accessibleName(), "閉じる");
        EXPECT_EQ(Item(IDC_BROWSE_SOUND)->accessibleName(), "参照");
        Press(Qt::Key_Escape);
    });
}

struct IconCase {
    int width, height;
    CPoint expected;
};

TEST(IconOrigin, CentresWithDivisionTruncatedTowardZero) {
    const IconCase cases[] = {
        {0, 0, {-15, -15}},  // (0 - 32 + 1) / 2; an arithmetic shift would give -16
        {36, 36, {2, 2}},
        {31, 30, {0, 0}},
        {100, 33, {34, 1}},
    };
    for (const IconCase& c : cases) {
        EXPECT_EQ(CTarvixDlg::IconOrigin(CRect{0, 0, c.width, c.height}, 32, 32), c.expected)
            << c.width << " x " << c.height;
    }
}

}  // namespace
