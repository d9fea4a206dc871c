#include "fonts/font_codec.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tqm5 {
namespace {

// One pixel of glyph 2 at a time: its bit in the 32-byte record, both ways. Reading the record
// leaves the other glyphs alone and ignores digits beyond the 64.
TEST(FontCodecTest, SinglePixelsLandOnTheirBits) {
  // clang-format off
  for (auto [row, column, byte, digits] : {std::tuple{0, 0, 0, "01"}, {7, 0, 0, "80"},
       {8, 0, 16, "01"}, {15, 15, 31, "80"}, {3, 5, 5, "08"}, {12, 9, 25, "10"}}) {
    // clang-format on
    FontBits font{};
    font[2][static_cast<size_t>(row)][static_cast<size_t>(column)] = 1;
    std::string expected(64, '0');
    expected.replace(static_cast<size_t>(2 * byte), 2, digits);
    EXPECT_EQ(BuildFontString(font, 2), expected) << "row " << row << " col " << column;
    FontBits read{};
    read[1][0][0] = font[1][0][0] = 1;
    read[2][15][15] = 1;  // cleared by the read
    ExpandFontString(read, 2, expected + "FFFF");
    EXPECT_EQ(read, font) << "row " << row << " col " << column;
  }
}

}  // namespace
}  // namespace tqm5
