#include "fonts/font_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace tqm5 {
namespace {

TEST(FontCodecTest, SinglePixelsLandOnTheirBits) {
  struct Case {
    int row;
    int column;
    int byte;
    const char* digits;
  };
  for (const Case& c : {Case{0, 0, 0, "01"}, Case{7, 0, 0, "80"}, Case{8, 0, 16, "01"},
                        Case{15, 15, 31, "80"}, Case{3, 5, 5, "08"}, Case{12, 9, 25, "10"}}) {
    FontBits font{};
    font[2][static_cast<size_t>(c.row)][static_cast<size_t>(c.column)] = 1;
    std::string expected(64, '0');
    expected.replace(static_cast<size_t>(2 * c.byte), 2, c.digits);
    EXPECT_EQ(BuildFontString(font, 2), expected) << "row " << c.row << " col " << c.column;
    FontBits read{};
    ExpandFontString(read, 2, expected);
    EXPECT_EQ(read, font) << "row " << c.row << " col " << c.column;
  }
}

TEST(FontCodecTest, GeneratedGlyphsRoundTripAndLeaveOtherGlyphsAlone) {
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    FontBits font{};
    for (auto& row : font[5]) {
      for (auto& pixel : row) pixel = static_cast<uint8_t>(rng() & 1);
    }
    std::string record = BuildFontString(font, 5);
    FontBits read{};
    read[4][0][0] = 1;
    ExpandFontString(read, 5, record + "FFFF");  // digits beyond 64 are not used
    EXPECT_EQ(read[5], font[5]);
    EXPECT_EQ(read[4][0][0], 1);
  }
}

}  // namespace
}  // namespace tqm5
