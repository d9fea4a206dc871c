#include "image/hex.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tqm5 {
namespace {

TEST(HexTest, PaddingScaledNumbersAndBytes) {
  // clang-format off
  for (auto [value, width, hex] : {std::tuple{int64_t{4608}, 5, "01200"}, {0, 2, "00"},
       {256, 2, "100"}, {0xAB, 2, "AB"}, {-1, 8, "FFFFFFFF"}, {0x1A780, 5, "1A780"}}) {
    EXPECT_EQ(HexPad(value, width), hex) << value << " width " << width;  // pads, never cuts
  }
  // Only the numeric prefix counts, rounded half to even; huge numbers saturate.
  for (auto [text, scaled] : {std::pair{"145.00000MHz", int64_t{145000000}},
       {"1295.00000MHz", 1295000000}, {"0.600MHz", 600000}, {"", 0}, {"MHz", 0},
       {"145.0125", 145012500}, {"145.1234565", 145123456}, {"145.1234575", 145123458},
       {"145.12345651", 145123457}, {"1.2.3", 1200000}, {"145", 145000000},
       {"99999999999999999999", 9223372036853000000}}) {
    // clang-format on
    EXPECT_EQ(ScaledPrefix(text, 6), scaled) << text;
  }
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<uint8_t>(i));
  std::string hex = BytesToHex(bytes);
  EXPECT_EQ(hex.substr(0, 6) + hex.substr(hex.size() - 4), "000102FEFF");
  EXPECT_EQ(HexToBytes(hex), bytes);
  EXPECT_EQ(HexByteAt("00FF", 1), 0xFF);
  EXPECT_EQ(HexByteAt("00FF", 2), 0);  // beyond the text
  EXPECT_EQ(HexByteAt("0G", 0), 0);    // not hex
}

}  // namespace
}  // namespace tqm5
