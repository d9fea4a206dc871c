#include "editing/font_edit.h"

#include <gtest/gtest.h>

#include <functional>

namespace tqm5 {
namespace {

// Each edit on glyph 3 (the other glyphs all set), then one glyph's record written out by hand
// (byte c: column c, rows 0..7, bit 0 = row 0; byte 16 + c: rows 8..15).
TEST(FontEditTest, EditsChangeTheRightPixels) {
  const std::string zero(64, '0'), full(64, 'F');
  using Edit = std::function<void(FontBits&)>;
  // clang-format off
  const std::tuple<std::string, Edit, int, std::string> cases[] = {
      {zero, [](FontBits& f) { TogglePixel(f, 3, {15, 15}); }, 3, std::string(62, '0') + "80"},
      {full, [](FontBits& f) { TogglePixel(f, 3, {8, 1}); }, 3,
       std::string(34, 'F') + "FE" + std::string(28, 'F')},
      {zero, [](FontBits& f) { TogglePixel(f, 3, {16, 0}); }, 3, zero},
      {zero, [](FontBits& f) { FillGlyphRect(f, 3, {2, 1}, {0, 0}, true); }, 3,
       "0707" + std::string(60, '0')},
      {zero, [](FontBits& f) { FillGlyphRect(f, 3, {20, 15}, {7, 14}, true); }, 3,
       std::string(28, '0') + "8080" + std::string(28, '0') + "FFFF"},
      {full, [](FontBits& f) { FillGlyphRect(f, 3, {0, 15}, {15, 15}, false); }, 3,
       std::string(30, 'F') + "00" + std::string(30, 'F') + "00"},
      {full, [](FontBits& f) { ClearOneGlyph(f, 3); }, 3, zero},
      {full, [](FontBits& f) { ClearOneGlyph(f, 3); }, 4, full},
      {full, [](FontBits& f) { ClearAllGlyphs(f); }, 7, zero}};
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& [before, edit, glyph, record] = cases[i];
    FontBits font{};
    for (int g = 0; g < kGlyphCount; ++g) ExpandFontString(font, g, g == 3 ? before : full);
    edit(font);
    EXPECT_EQ(BuildFontString(font, glyph), record) << "case " << i;
  }
}

TEST(FontEditTest, TextsSplitIntoPlainRunsAndGlyphs) {
  for (auto [text, expected, has_glyph] : {std::tuple{"AB①C", "AB/0 ①/1 C/0 ", true},
                                           {":3~X:9~:8~", ":3~/3 X:9~/0 :8~/8 ", true},
                                           {"⑧⑨:1", "⑧/8 ⑨:1/0 ", true},
                                           {"a:0~⑨", "a:0~⑨/0 ", false},
                                           {"", "", false}}) {
    std::string seen;
    for (const GlyphTextRun& run : SplitGlyphText(text))
      seen += run.text + "/" + std::to_string(run.glyph) + " ";
    EXPECT_EQ(seen, expected) << text;
    EXPECT_EQ(HasUserGlyph(text), has_glyph) << text;
  }
}

}  // namespace
}  // namespace tqm5
