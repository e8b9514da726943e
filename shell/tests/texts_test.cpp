// The Chinese texts are byte escapes: a slip would show only as wrong characters.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "shell/texts.h"

namespace {

std::string ToGb2312(std::string utf8) {
    iconv_t converter = iconv_open("GB2312", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char *in = utf8.data(), *to = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    EXPECT_NE(iconv(converter, &in, &inLeft, &to, &outLeft), static_cast<size_t>(-1)) << utf8;
    iconv_close(converter);
    return out.substr(0, out.size() - outLeft);
}

}  // namespace

TEST(Texts, EveryChineseTextIsItsGb2312Encoding) {
    const std::pair<const char*, const char*> texts[] = {
        {TEXT_BLACK_SIDE, "黑方"},   {TEXT_WHITE_SIDE, "白方"},         {TEXT_GAME_RECORD, "棋谱"},
        {TEXT_PLAYER, "玩家"},       {TEXT_COMPUTER, "电脑"},           {TEXT_BLACK_WINS, "黑方胜"},
        {TEXT_WHITE_WINS, "白方胜"}, {TEXT_OUT_OF_MEMORY, "内存不足!"}, {FONT_KAITI, "楷体_GB2312"},
        {FONT_SONGTI, "宋体"}};
    for (const auto& text : texts) EXPECT_EQ(text.first, ToGb2312(text.second)) << text.second;
    EXPECT_EQ(STATUS_GREETING, std::string(22, ' ') + ToGb2312("欢迎你的建议，期待与你交流!") +
                                   std::string(17, ' '));
}
