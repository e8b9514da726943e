#include <gtest/gtest.h>

#include "chess/tests/fen_game.h"

namespace chess {
namespace {

TEST(GameTest, placeholder) {}

}  // namespace
}  // namespace chess
