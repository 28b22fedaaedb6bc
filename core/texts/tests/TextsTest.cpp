#include "core/texts/Texts.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// The texts users and dealers know the program by; blanks and punctuation count.
TEST(Texts, KeepTheirExactSpelling) {
    EXPECT_EQ(CaptionOf("fileMenu")->in(Language::English), " &File ");
    EXPECT_EQ(CaptionOf("subModelLabel")->in(Language::Chinese), " 机型:");
    EXPECT_EQ(TextOf(Text::SubModelQuestion).in(Language::English),
              "All data will be cleared,continue？");
    EXPECT_EQ(TextOf(Text::PortNotSet).in(Language::Chinese),
              "通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口");
    EXPECT_EQ(TextOf(Text::FileNamePrefix).in(Language::English), "File Name: ");
    EXPECT_EQ(TextOf(Text::MessageTitle).in(Language::Chinese), "提示");
    EXPECT_EQ(TextOf(Text::LanguageTitle).in(Language::Chinese), "Language / 语言");
    EXPECT_EQ(TextOf(Text::LanguageOwnNames).in(Language::Chinese), "中文简体");
    EXPECT_EQ(ToolTipOf("okButton")->in(Language::English), "Accept Settting");
    EXPECT_EQ(ToolbarToolTipOf("Read")->in(Language::Chinese), "从对讲机读数据");
    EXPECT_EQ(StatusPanelToolTipOf("fileNamePanel")->in(Language::English), "File Path");
}

TEST(Texts, UnknownNamesHaveNoText) {
    EXPECT_EQ(CaptionOf("subModelList"), nullptr);
    EXPECT_EQ(ToolTipOf("functionArea"), nullptr);
    EXPECT_EQ(ToolbarToolTipOf("fileNew"), nullptr) << "keys match case-sensitively";
}

} // namespace
} // namespace hx
