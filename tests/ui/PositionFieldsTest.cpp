// The sector and seconds fields rewrite each other on every change of their text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "GuiTest.h"
#include "TarvixDlg.h"
#include "fw/WinApp.h"

namespace {

class PositionFieldsTest : public testing::Test {
  protected:
    void SetUp() override { AfxGetApp()->m_pMainWnd = &dlg; }
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }

    QLineEdit* Field(int id) { return qobject_cast<QLineEdit*>(Widget(dlg.GetDlgItem(id))); }
    QString Text(int id) { return Field(id)->text(); }

    // Runs the window; `step` runs inside the run, and Escape ends it afterwards.
    void Run(std::function<void()> step) {
        WhenModal(nullptr, [step](QWidget*) {
            step();
            Press(Qt::Key_Escape);
        });
        dlg.DoModal();
    }

    // Empties field `id` as a user does: select everything, delete it.
    void Clear(int id) {
        Click(Field(id));
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_Delete);
    }

    // What field `other` shows after each character typed into the focused field.
    std::vector<QString> TypeEach(const QString& text, int other) {
        std::vector<QString> shown;
        for (const QChar c : text) {
            Type(QString(c));
            shown.push_back(Text(other));
        }
        return shown;
    }

    CTarvixDlg dlg;
    Watchdog watchdog;
};

TEST_F(PositionFieldsTest, EveryKeystrokeInTheSecondsFieldRewritesTheSectors) {
    Run([this] {
        Clear(IDC_SECONDS);
        EXPECT_EQ(Text(IDC_SECTOR), "0");
        EXPECT_EQ(TypeEach("468", IDC_SECTOR), (std::vector<QString>{"85", "982", "10000"}));
        EXPECT_EQ(Text(IDC_SECONDS), "468");  // the echo leaves the typed field alone
        Press(Qt::Key_Backspace);
        EXPECT_EQ(Text(IDC_SECTOR), "982");
    });
}

TEST_F(PositionFieldsTest, TheDefaultsAreNotConvertedButTheSameSectorsTypedAgainAre) {
    Run([this] {
        EXPECT_EQ(Text(IDC_SECTOR), "10000");
        EXPECT_EQ(Text(IDC_SECONDS), "468");
        Clear(IDC_SECTOR);
        Type("10000");
        EXPECT_EQ(Text(IDC_SECTOR), "10000");
        EXPECT_EQ(Text(IDC_SECONDS), "467");
    });
}

struct Entry {
    int field;
    const char* typed;
    const char* other;  // what the other field shows afterwards
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << (e.field == IDC_SECTOR ? "sectors \"" : "seconds \"") << e.typed << '"';
}

class PositionEntryTest : public PositionFieldsTest, public testing::WithParamInterface<Entry> {};

TEST_P(PositionEntryTest, TypedTextShowsInTheOtherField) {
    const Entry& e = GetParam();
    const int other = e.field == IDC_SECTOR ? IDC_SECONDS : IDC_SECTOR;
    Run([&] {
        Clear(e.field);
        Type(e.typed);
        EXPECT_EQ(Text(e.field), e.typed);
        EXPECT_EQ(Text(other), e.other);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PositionEntryTest,
    testing::Values(Entry{IDC_SECTOR, "", "0"}, Entry{IDC_SECONDS, "", "0"},
                    Entry{IDC_SECTOR, "abc", "0"}, Entry{IDC_SECTOR, "10001", "468"},
                    Entry{IDC_SECTOR, "2500", "116"}, Entry{IDC_SECTOR, "22", "1"},
                    Entry{IDC_SECTOR, "-1", "201004463"}, Entry{IDC_SECTOR, "-10000", "201003996"},
                    Entry{IDC_SECONDS, "117", "2500"}, Entry{IDC_SECONDS, "1", "21"},
                    Entry{IDC_SECONDS, "100502231", "2147483626"},
                    // Beyond the sector range: the lowest sector number, which no merge accepts.
                    Entry{IDC_SECONDS, "100502232", "-2147483648"},
                    Entry{IDC_SECONDS, "-1", "-2147483648"}));

TEST_F(PositionFieldsTest, APasteAndACutRewriteTheOtherFieldAtOnce) {
    Run([this] {
        QApplication::clipboard()->setText("2500");
        Clear(IDC_SECTOR);
        Press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Text(IDC_SECTOR), "2500");
        EXPECT_EQ(Text(IDC_SECONDS), "116");
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(Text(IDC_SECONDS), "0");
    });
}

}  // namespace
