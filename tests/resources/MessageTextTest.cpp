// MessageText reads the current module only: switching modules switches every
// text, with no fallback to the embedded one.
#include <gtest/gtest.h>

#include "MessageText.h"
#include "ResImageBuilder.h"
#include "Resources.h"
#include "resource.h"

namespace tarvix::res {
namespace {

class MessageTextTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetCurrentModule(*Module::FromResImage(test::Bytes(EmbeddedResImage())));
    }
};

TEST_F(MessageTextTest, EmbeddedCatalogueByDefault) {
    EXPECT_EQ(MessageText(IDS_MERGE_DONE), "サウンドファイルの取り込みに成功しました");
    EXPECT_EQ(MessageText(IDS_HELP_LAUNCH_FAILED), "ヘルプの起動に失敗しました。");
    for (unsigned missing : {0u, 100u, 110u, 61440u, 0xFFFFFFFFu}) {
        EXPECT_EQ(MessageText(missing), "") << missing;
    }
}

TEST_F(MessageTextTest, ReplacedModuleServesAloneWithoutFallback) {
    std::vector<std::uint8_t> block;
    for (int i = 0; i < 16; ++i) {
        const bool merged = i == IDS_MERGE_DONE % 16;
        test::PutU16(block, merged ? 2 : 0);
        if (merged) {
            test::PutU16(block, 'O');
            test::PutU16(block, 'K');
        }
    }
    SetCurrentModule(*Module::FromResImage(
        test::BuildResImage({{kTypeString, IDS_MERGE_DONE / 16 + 1, kLangEnglishUs, block}})));
    EXPECT_EQ(MessageText(IDS_MERGE_DONE), "OK");
    EXPECT_EQ(MessageText(IDS_ABOUT_ITEM), "");
    EXPECT_EQ(MessageText(IDS_OUT_OF_MEMORY), "");
    EXPECT_FALSE(LoadDialog(CurrentModule(), IDD_MAIN_WINDOW).has_value());
}

}  // namespace
}  // namespace tarvix::res
