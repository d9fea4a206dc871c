#include "editing/font_edit.h"

#include <gtest/gtest.h>

#include <functional>

namespace tqm5 {
namespace {

const std::string kZero(64, '0');
const std::string kFull(64, 'F');

// Each edit on glyph 3 (the others all set), then the record of one glyph, written out by hand
// (byte c: column c, rows 0..7, bit 0 = row 0; byte 16 + c: rows 8..15).
TEST(FontEditTest, EditsChangeTheRightPixels) {
  using Edit = std::function<void(FontBits&)>;
  struct Case {
    const char* name;
    std::string before;  // glyph 3
    Edit edit;
    int glyph;  // the glyph checked
    std::string record;
  };
  const Case cases[] = {
      {"toggle top left", kZero,
       [](FontBits& f) {
         TogglePixel(f, 3, {0, 0});
       },
       3, "01" + std::string(62, '0')},
      {"toggle bottom right", kZero,
       [](FontBits& f) {
         TogglePixel(f, 3, {15, 15});
       },
       3, std::string(62, '0') + "80"},
      {"toggle row 8 column 1 off", kFull,
       [](FontBits& f) {
         TogglePixel(f, 3, {8, 1});
       },
       3, std::string(34, 'F') + "FE" + std::string(28, 'F')},
      {"toggle outside", kZero,
       [](FontBits& f) {
         TogglePixel(f, 3, {16, 0});
       },
       3, kZero},
      {"set, end above left", kZero,
       [](FontBits& f) {
         FillGlyphRect(f, 3, {2, 1}, {0, 0}, true);
       },
       3, "0707" + std::string(60, '0')},
      {"set, clamped corner", kZero,
       [](FontBits& f) {
         FillGlyphRect(f, 3, {20, 15}, {7, 14}, true);
       },
       3, std::string(28, '0') + "8080" + std::string(28, '0') + "FFFF"},
      {"delete last column", kFull,
       [](FontBits& f) {
         FillGlyphRect(f, 3, {0, 15}, {15, 15}, false);
       },
       3, std::string(30, 'F') + "00" + std::string(30, 'F') + "00"},
      {"delete leaves glyph 2", kFull,
       [](FontBits& f) {
         FillGlyphRect(f, 3, {0, 0}, {15, 15}, false);
       },
       2, kFull},
      {"clear one", kFull, [](FontBits& f) { ClearOneGlyph(f, 3); }, 3, kZero},
      {"clear one leaves glyph 4", kFull, [](FontBits& f) { ClearOneGlyph(f, 3); }, 4, kFull},
      {"all clear", kFull, [](FontBits& f) { ClearAllGlyphs(f); }, 7, kZero},
  };
  for (const Case& c : cases) {
    FontBits font{};
    for (int g = 0; g < kGlyphCount; ++g) ExpandFontString(font, g, g == 3 ? c.before : kFull);
    c.edit(font);
    EXPECT_EQ(BuildFontString(font, c.glyph), c.record) << c.name;
  }
}

TEST(FontEditTest, BackAndNextStayWithinTheEightGlyphs) {
  for (auto [glyph, step, expected] :
       {std::tuple{0, -1, 0}, {0, 1, 1}, {6, 1, 7}, {7, 1, 7}, {7, -1, 6}}) {
    EXPECT_EQ(StepGlyph(glyph, step), expected) << glyph << " " << step;
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
