// The program's Chinese texts as GB2312 bytes, drawn with the ANSI forms of
// the Win32 functions. Byte escapes keep them independent of the compiler's
// source and execution character sets; each line shows the characters.
#pragma once

constexpr char TEXT_BLACK_SIDE[] = "\xBA\xDA\xB7\xBD";                      // 黑方
constexpr char TEXT_WHITE_SIDE[] = "\xB0\xD7\xB7\xBD";                      // 白方
constexpr char TEXT_GAME_RECORD[] = "\xC6\xE5\xC6\xD7";                     // 棋谱
constexpr char TEXT_PLAYER[] = "\xCD\xE6\xBC\xD2";                          // 玩家
constexpr char TEXT_COMPUTER[] = "\xB5\xE7\xC4\xD4";                        // 电脑
constexpr char TEXT_BLACK_WINS[] = "\xBA\xDA\xB7\xBD\xCA\xA4";              // 黑方胜
constexpr char TEXT_WHITE_WINS[] = "\xB0\xD7\xB7\xBD\xCA\xA4";              // 白方胜
constexpr char TEXT_OUT_OF_MEMORY[] = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3!";  // 内存不足!
constexpr char FONT_KAITI[] = "\xBF\xAC\xCC\xE5_GB2312";                    // 楷体_GB2312
constexpr char FONT_SONGTI[] = "\xCB\xCE\xCC\xE5";                          // 宋体

// 22 spaces, 欢迎你的建议，期待与你交流! and 17 spaces: 66 bytes.
constexpr char STATUS_GREETING[] =
    "                      "
    "\xBB\xB6\xD3\xAD\xC4\xE3\xB5\xC4\xBD\xA8\xD2\xE9\xA3\xAC\xC6\xDA\xB4\xFD\xD3\xEB\xC4\xE3\xBD"
    "\xBB\xC1\xF7!"
    "                 ";
static_assert(sizeof STATUS_GREETING - 1 == 66, "the greeting is 66 bytes");

// The captions of the message boxes.
constexpr char CAPTION_GAME[] = "Rezu";
constexpr char CAPTION_ERROR[] = "Error";
