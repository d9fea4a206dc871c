#include "image/hex.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

TEST(HexTest, HexPadPadsButNeverCuts) {
  struct Case {
    int64_t value;
    int width;
    const char* expected;
  };
  for (const Case& c : {Case{4608, 5, "01200"}, Case{0, 2, "00"}, Case{256, 2, "100"},
                        Case{0xAB, 2, "AB"}, Case{-1, 8, "FFFFFFFF"}, Case{0x1A780, 5, "1A780"}}) {
    EXPECT_EQ(HexPad(c.value, c.width), c.expected) << c.value << " width " << c.width;
  }
}

TEST(HexTest, ScaledPrefixReadsOnlyTheNumericPrefixExactly) {
  struct Case {
    const char* text;
    int decimals;
    int64_t expected;
  };
  for (const Case& c : {
           Case{"145.00000MHz", 6, 145000000}, Case{"1295.00000MHz", 6, 1295000000},
           Case{"0.600MHz", 6, 600000}, Case{"", 6, 0}, Case{"MHz", 6, 0},
           Case{"145.0125", 6, 145012500},
           Case{"145.1234565", 6, 145123456},  // exactly half rounds to even
           Case{"145.1234575", 6, 145123458}, Case{"145.12345651", 6, 145123457},
           Case{"1.2.3", 6, 1200000},  // the second point ends the prefix
           Case{"145", 6, 145000000},
           Case{"99999999999999999999", 6,
                9223372036853000000},  // saturates instead of overflowing
       }) {
    EXPECT_EQ(ScaledPrefix(c.text, c.decimals), c.expected) << c.text;
  }
}

TEST(HexTest, BytesRoundTripThroughHex) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<uint8_t>(i));
  std::string hex = BytesToHex(bytes);
  EXPECT_EQ(hex.substr(0, 6), "000102");
  EXPECT_EQ(hex.substr(hex.size() - 4), "FEFF");
  EXPECT_EQ(HexToBytes(hex), bytes);
  EXPECT_EQ(HexByteAt("00FF", 1), 0xFF);
  EXPECT_EQ(HexByteAt("00FF", 2), 0);  // beyond the text
  EXPECT_EQ(HexByteAt("0G", 0), 0);    // not hex
}

}  // namespace
}  // namespace tqm5
