// F1: the help context of what is shown, the help engine's call, and its failure.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "GuiTest.h"
#include "MessageText.h"
#include "TarvixDlg.h"
#include "fw/System.h"
#include "fw/WinApp.h"

namespace {

struct HelpCall {
    std::string file;
    UINT command;
    ULONG_PTR context;
    bool waitCursor;
};

// Records every request to the help engine, answering `m_answer`.
class HelpKeyTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxGetApp()->m_pMainWnd = &dlg;
        m_previous = fw::SetHelpEngine([this](const char* file, UINT command, ULONG_PTR data) {
            const QCursor* cursor = QApplication::overrideCursor();
            calls.push_back(
                {file, command, data, cursor != nullptr && cursor->shape() == Qt::WaitCursor});
            return m_answer;
        });
    }
    void TearDown() override {
        fw::SetHelpEngine(m_previous);
        AfxGetApp()->m_pMainWnd = nullptr;
    }

    void Run(std::function<void(QWidget*)> step) {
        WhenModal(nullptr, [step](QWidget* main) {
            step(main);
            Press(Qt::Key_Escape);
        });
        dlg.DoModal();
    }

    // Expects the help failure in a box over `owner` next; runs `inside` in it, then OK.
    void ExpectFailureBox(
        QWidget* owner, std::function<void()> inside = [] {}) {
        WhenModal(owner, [this, inside](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text().toStdString(), "ヘルプの起動に失敗しました。");
            EXPECT_EQ(box->windowTitle(), TEST_APP_TITLE);
            ++failureBoxes;
            inside();
            Press(Qt::Key_Return);
        });
    }

    CTarvixDlg dlg;
    std::vector<HelpCall> calls;
    BOOL m_answer = FALSE;
    int failureBoxes = 0;
    fw::HelpEngine m_previous;
    Watchdog watchdog;
};

TEST_F(HelpKeyTest, F1InTheMainWindowAsksForItsContextAndReportsTheFailureOncePerPress) {
    Run([this](QWidget* main) {
        ExpectFailureBox(main, [this] {
            Press(Qt::Key_F1);  // in the failure's own box: nothing
            EXPECT_EQ(calls.size(), 1u);
        });
        Press(Qt::Key_F1);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].file, "/nonexistent/Tarvix.HLP");
        EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(calls[0].context, 0x20066u);
        EXPECT_TRUE(calls[0].waitCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(failureBoxes, 1);

        // Again from a field: the same context, another box.
        ExpectFailureBox(main);
        Click(Widget(dlg.GetDlgItem(IDC_SECTOR)));
        Press(Qt::Key_F1);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].context, 0x20066u);
        EXPECT_EQ(failureBoxes, 2);
    });
}

TEST_F(HelpKeyTest, F1WithShiftCtrlOrAltDoesNothing) {
    Run([this](QWidget*) {
        for (const Qt::KeyboardModifier mod :
             {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            Press(Qt::Key_F1, mod);
        }
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(failureBoxes, 0);
    });
}

TEST_F(HelpKeyTest, F1InTheAboutBoxUsesItsContext) {
    m_answer = TRUE;
    Run([this](QWidget* main) {
        WhenModal(main, [](QWidget*) {
            Press(Qt::Key_F1);
            Press(Qt::Key_Escape);
        });
        dlg.SendMessageA(WM_SYSCOMMAND, IDM_ABOUT, 0);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].context, 0x20064u);
    });
    EXPECT_EQ(failureBoxes, 0);  // the engine showed the help
}

TEST_F(HelpKeyTest, F1WhileAMessageIsShownUsesThatMessagesContext) {
    m_answer = TRUE;
    Run([this](QWidget* main) {
        WhenModal(main, [](QWidget* box) {
            EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text().toStdString(),
                      MessageText(IDS_NO_PROGRAM_FILE));
            Press(Qt::Key_F1);
            Press(Qt::Key_Return);
        });
        Press(Qt::Key_Return);  // a merge without paths
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].context, 0x30000u + IDS_NO_PROGRAM_FILE);
        // Afterwards the window's own context again.
        Press(Qt::Key_F1);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].context, 0x20066u);
    });
}

// Stands for the desktop: records the files it is asked to open.
class Desktop : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(HelpEngine, HandsAnExistingHelpFileToTheDesktopAndFailsWithoutOne) {
    Desktop desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    QTemporaryDir dir;
    const QString file = dir.filePath("Tarvix.HLP");
    EXPECT_FALSE(fw::WinHelpA(nullptr, file.toUtf8().constData(), HELP_CONTEXT, 0x20066));
    EXPECT_TRUE(desktop.opened.isEmpty());
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_TRUE(fw::WinHelpA(nullptr, file.toUtf8().constData(), HELP_CONTEXT, 0x20066));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(file)});
    QDesktopServices::unsetUrlHandler("file");
}

}  // namespace

#include "HelpKeyTest.moc"
