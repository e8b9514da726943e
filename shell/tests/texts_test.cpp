// Every Chinese text of the program must be the GB2312 encoding of its
// characters: the constants are byte escapes, so a slip would show as wrong
// characters on screen rather than as a compile error.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "shell/player_panel_table.h"
#include "shell/texts.h"

namespace {

std::string ToGb2312(const std::string& utf8) {
    iconv_t converter = iconv_open("GB2312", "UTF-8");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TEST(Texts, EveryChineseTextIsItsGb2312Encoding) {
    EXPECT_EQ(TEXT_BLACK_SIDE, ToGb2312("黑方"));
    EXPECT_EQ(TEXT_WHITE_SIDE, ToGb2312("白方"));
    EXPECT_EQ(TEXT_GAME_RECORD, ToGb2312("棋谱"));
    EXPECT_EQ(TEXT_PLAYER, ToGb2312("玩家"));
    EXPECT_EQ(TEXT_COMPUTER, ToGb2312("电脑"));
    EXPECT_EQ(TEXT_BLACK_WINS, ToGb2312("黑方胜"));
    EXPECT_EQ(TEXT_WHITE_WINS, ToGb2312("白方胜"));
    EXPECT_EQ(TEXT_OUT_OF_MEMORY, ToGb2312("内存不足!"));
    EXPECT_EQ(FONT_KAITI, ToGb2312("楷体_GB2312"));
    EXPECT_EQ(FONT_SONGTI, ToGb2312("宋体"));
    EXPECT_EQ(STATUS_GREETING, std::string(22, ' ') + ToGb2312("欢迎你的建议，期待与你交流!") +
                                   std::string(17, ' '));
    EXPECT_EQ(PLAYER_LABELS[0], ToGb2312("玩家"));
    EXPECT_EQ(PLAYER_LABELS[1], ToGb2312("电脑"));
    EXPECT_EQ(PLAYER_LABELS[2], ToGb2312("玩家"));
    EXPECT_EQ(PLAYER_LABELS[3], ToGb2312("电脑"));
}

TEST(Texts, LabelsAreZeroPaddedTenByteSlots) {
    for (const auto& label : PLAYER_LABELS) {
        EXPECT_EQ(std::string(label).size(), 4u);
        for (int i = 4; i < 10; ++i) EXPECT_EQ(label[i], '\0');
    }
}
