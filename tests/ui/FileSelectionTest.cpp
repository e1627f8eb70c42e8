// The browse buttons: an open-file dialog per path field, with the tool's file types.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "GuiTest.h"
#include "TarvixDlg.h"
#include "fw/FileDialog.h"
#include "fw/WinApp.h"

namespace fs = std::filesystem;

namespace {

constexpr char PROGRAM_LABEL[] = "ﾍﾟﾙﾅ・ﾌﾟﾛｸﾞﾗﾑﾌｧｲﾙ(*.txt)";
constexpr char SOUND_LABEL[] = "ﾍﾟﾙﾅ・ｻｳﾝﾄﾞﾌｧｲﾙ(*.txt,*.wav)";

// Runs in a folder of its own, which the dialogs show first.
class FileSelectionTest : public testing::Test {
  protected:
    void SetUp() override {
        m_previous = fs::current_path();
        m_dir = fs::temp_directory_path() / ("tarvix-browse-" + std::to_string(::getpid()));
        fs::create_directories(m_dir / "sub");
        for (const char* name : {"a.txt", "b.wav", "c.doc", "D.TXT", "E.WAV", "notes"}) {
            std::ofstream(m_dir / name) << "x";
        }
        fs::current_path(m_dir);
        AfxGetApp()->m_pMainWnd = &dlg;
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }

    QLineEdit* Field(int id) { return qobject_cast<QLineEdit*>(Widget(dlg.GetDlgItem(id))); }
    QString Text(int id) { return Field(id)->text(); }
    std::vector<QString> Fields() {
        return {Text(IDC_PROGRAM_PATH), Text(IDC_SOUND_PATH), Text(IDC_SECTOR), Text(IDC_SECONDS)};
    }

    // Presses browse button `id` in the running window; `step` gets the dialog.
    void Browse(QWidget* main, int id, std::function<void(QFileDialog*)> step) {
        bool shown = false;
        WhenModal(main, [&shown, step](QWidget* w) {
            shown = true;
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            step(dialog);
        });
        Click(Widget(dlg.GetDlgItem(id)));
        EXPECT_TRUE(shown);
    }

    // Runs the window with `step` inside, then closes it.
    void Run(std::function<void(QWidget*)> step) {
        WhenModal(nullptr, [step](QWidget* main) {
            step(main);
            Press(Qt::Key_Escape);
        });
        dlg.DoModal();
    }

    fs::path m_dir;
    fs::path m_previous;
    CTarvixDlg dlg;
    Watchdog watchdog;
};

// The names the dialog lists; it reads its folder in the background.
QStringList Listed(QFileDialog* dialog) {
    auto* view = dialog->findChild<QListView*>("listView");
    QStringList names;
    if (view == nullptr) {
        return names;
    }
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        names << view->model()->index(row, 0, root).data().toString();
    }
    names.sort();
    return names;
}

struct Kind {
    int button;
    int field;
    const char* label;
    QStringList listed;
};

void PrintTo(const Kind& k, std::ostream* os) {
    *os << (k.field == IDC_PROGRAM_PATH ? "program" : "sound");
}

class FileTypeTest : public FileSelectionTest, public testing::WithParamInterface<Kind> {};

TEST_P(FileTypeTest, OffersOneFileTypeListsItsPatternsAndStartsWithAnEmptyName) {
    const Kind& k = GetParam();
    Run([&](QWidget* main) {
        dlg.SetDlgItemTextA(k.field, (m_dir / "a.txt").c_str());
        const std::vector<QString> before = Fields();
        Browse(main, k.button, [&](QFileDialog* dialog) {
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            ASSERT_EQ(types->count(), 1);
            EXPECT_EQ(types->itemText(0), QString::fromUtf8(k.label));
            (void)QTest::qWaitFor([&] { return Listed(dialog) == k.listed; }, 5000);
            EXPECT_EQ(Listed(dialog), k.listed);
            EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), "");
            EXPECT_EQ(dialog->directory().absolutePath().toStdString(), m_dir.string());
            Press(Qt::Key_Escape);
        });
        EXPECT_EQ(Fields(), before);
        EXPECT_EQ(dlg.GetDlgCtrlID(dlg.GetFocusedItem()), k.button);
    });
}

INSTANTIATE_TEST_SUITE_P(Kinds, FileTypeTest,
                         testing::Values(Kind{IDC_BROWSE_PROGRAM,
                                              IDC_PROGRAM_PATH,
                                              PROGRAM_LABEL,
                                              {"D.TXT", "a.txt", "sub"}},
                                         Kind{IDC_BROWSE_SOUND,
                                              IDC_SOUND_PATH,
                                              SOUND_LABEL,
                                              {"D.TXT", "E.WAV", "a.txt", "b.wav", "sub"}}));

struct Choice {
    int button;
    const char* typed;   // into the name box, relative to the folder shown
    const char* chosen;  // the path the field receives, below that folder
};

void PrintTo(const Choice& c, std::ostream* os) {
    *os << (c.button == IDC_BROWSE_PROGRAM ? "program " : "sound ") << c.typed;
}

class ChoiceTest : public FileSelectionTest, public testing::WithParamInterface<Choice> {};

TEST_P(ChoiceTest, PutsTheFullPathIntoItsFieldAlone) {
    const Choice& c = GetParam();
    const int field = c.button == IDC_BROWSE_PROGRAM ? IDC_PROGRAM_PATH : IDC_SOUND_PATH;
    Run([&](QWidget* main) {
        dlg.SetDlgItemTextA(IDC_PROGRAM_PATH, "old program");
        dlg.SetDlgItemTextA(IDC_SOUND_PATH, "old sound");
        Click(Field(IDC_SECTOR));
        Type("5");
        std::vector<QString> expected = Fields();
        Browse(main, c.button, [&](QFileDialog*) {
            Type(c.typed);
            Press(Qt::Key_Return);
        });
        expected[field == IDC_PROGRAM_PATH ? 0 : 1] =
            QString::fromStdString((m_dir / c.chosen).string());
        EXPECT_EQ(Fields(), expected);
        EXPECT_EQ(dlg.GetDlgCtrlID(dlg.GetFocusedItem()), c.button);
    });
    // As with the system's dialog, the chosen file's folder is now the current one.
    EXPECT_EQ(fs::current_path(), (m_dir / c.chosen).parent_path());
}

INSTANTIATE_TEST_SUITE_P(Choices, ChoiceTest,
                         testing::Values(Choice{IDC_BROWSE_PROGRAM, "a.txt", "a.txt"},
                                         Choice{IDC_BROWSE_SOUND, "b.wav", "b.wav"},
                                         // Names of files that do not exist are taken...
                                         Choice{IDC_BROWSE_PROGRAM, "new", "new.txt"},
                                         Choice{IDC_BROWSE_SOUND, "voice", "voice.txt"},
                                         Choice{IDC_BROWSE_PROGRAM, "x.dat", "x.dat"},
                                         Choice{IDC_BROWSE_SOUND, "sub/take", "sub/take.txt"},
                                         // ...a name without a dot gains txt even when it exists.
                                         Choice{IDC_BROWSE_PROGRAM, "notes", "notes.txt"}));

TEST_F(FileSelectionTest, APathLongerThanAPathBufferCountsAsCancel) {
    fs::path deep = m_dir;
    while (deep.string().size() < fw::MAX_PATH_TEXT - 10) {
        deep /= std::string(40, 'd');
    }
    fs::create_directories(deep);
    Run([&](QWidget* main) {
        dlg.SetDlgItemTextA(IDC_SOUND_PATH, "kept");
        Browse(main, IDC_BROWSE_SOUND, [&](QFileDialog*) {
            Type(QString::fromStdString((deep / "sound-with-a-long-name.wav").string()));
            Press(Qt::Key_Return);
        });
        EXPECT_EQ(Text(IDC_SOUND_PATH), "kept");
    });
}

TEST(FileFilter, ReadsLabelsAndPatternsUpToTheEnd) {
    using fw::FileType;
    EXPECT_EQ(fw::ParseFileFilter("ﾍﾟﾙﾅ・ｻｳﾝﾄﾞﾌｧｲﾙ(*.txt,*.wav)|*.txt;*.wav||"),
              (std::vector<FileType>{{"ﾍﾟﾙﾅ・ｻｳﾝﾄﾞﾌｧｲﾙ(*.txt,*.wav)", {"*.txt", "*.wav"}}}));
    EXPECT_EQ(fw::ParseFileFilter("A|*.a|B|*.b;;*.c||ignored|*.x"),
              (std::vector<FileType>{{"A", {"*.a"}}, {"B", {"*.b", "*.c"}}}));
    EXPECT_EQ(fw::ParseFileFilter("Unended|*.u"), (std::vector<FileType>{{"Unended", {"*.u"}}}));
    EXPECT_EQ(fw::ParseFileFilter(""), std::vector<FileType>{});
}

}  // namespace
