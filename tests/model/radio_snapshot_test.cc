#include "model/radio_snapshot.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

// A block of 64 bytes written out digit by digit: `fill` everywhere, `hex` from byte `at` on.
std::string Block(char fill, int at = 0, std::string hex = "") {
  std::string digits(128, fill);
  return digits.replace(static_cast<size_t>(2 * at), hex.size(), hex);
}

// Writes shorter than a block are known even where nothing was read: their block holds them and
// marks the rest unknown, or takes the rest from the known blocks it overlaps.
TEST(RadioSnapshotTest, ShortWritesAreKeptWithTheirUnknownBytesMarked) {
  // clang-format off
  struct Case { const char* what; std::map<int, std::string> before; int address; std::string hex; std::map<int, std::string> after; };
  const Case cases[] = {
      {"alone", {}, 0x1A0, "ABCD", {{0x1A0, Block('?', 0, "ABCD")}}},
      {"inside a known block", {{0x180, Block('0')}}, 0x1A0, "ABCD", {{0x180, Block('0', 32, "ABCD")}}},
      {"overlapping a known block", {{0x1A0, Block('?', 0, "1122")}}, 0x180, std::string(64, 'E'),
       {{0x180, Block('?', 0, std::string(64, 'E')).replace(64, 4, "1122")}, {0x1A0, Block('?', 0, "1122")}}},
      {"a multi-block write's tail", {}, 0x200, Block('1') + "99",
       {{0x200, Block('1')}, {0x240, Block('?', 0, "99")}}},
      {"completing a block", {{0x100, Block('?', 0, std::string(126, '5'))}}, 0x13F, "66",
       {{0x100, std::string(126, '5') + "66"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    RadioSnapshot snapshot;
    snapshot.blocks = c.before;
    snapshot.KeepArea(c.address, c.hex);
    EXPECT_EQ(snapshot.blocks, c.after) << c.what;
  }
  RadioSnapshot partial;
  partial.KeepArea(0x1A0, "ABCD");
  EXPECT_EQ(partial.Area(0x1A0, 1), "");  // a block with unknown bytes is not an area
  EXPECT_TRUE(MatchesWhereKnown(Block('?', 0, "ABCD"), Block('7', 0, "ABCD")));
  EXPECT_FALSE(MatchesWhereKnown(Block('?', 0, "ABCD"), Block('7', 0, "ABCE")));
}

}  // namespace
}  // namespace tqm5
