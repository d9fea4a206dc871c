#include "files/font_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "support/files.h"

namespace tqm5 {
namespace {

using testing::TempPath;
using testing::WriteLines;

FontBits RandomFont(unsigned seed) {
  std::mt19937 random(seed);
  FontBits font{};
  for (auto& glyph : font)
    for (auto& row : glyph)
      for (auto& pixel : row) pixel = static_cast<uint8_t>(random() % 2);
  return font;
}

TEST(FontFileTest, SaveWritesEightGlyphsOfSixteenRows) {
  MemoryImage saved;
  for (int p : {0, 2, 15}) saved.font_bits[2][3][p] = 1;
  saved.font_bits[7][15][15] = 1;
  std::vector<std::string> lines = FontFileLines(saved, "header");
  ASSERT_EQ(lines.size(), 138u);
  const std::string zeros(16, '0');
  EXPECT_EQ(lines[0] + lines[1] + lines[2] + lines[35] + lines[39] + lines[136] + lines[137],
            "header0" + zeros + "21010000000000001" + zeros.substr(1) + "1File End");
  std::string path = TempPath("saved.FM5");
  EXPECT_EQ(SaveFontFile(saved, path).text, "Save File");
  std::string bytes = testing::ReadFile(path);
  EXPECT_EQ(bytes.substr(0, 19) + bytes.substr(bytes.size() - 10),
            "Save Date and Time File End\r\n");
  EXPECT_FALSE(SaveFontFile(saved, TempPath("no-such-folder/x.FM5")).success);
  MemoryImage image;  // a missing file is reported
  Outcome missing = LoadFontFile(image, TempPath("missing.FM5"));
  EXPECT_FALSE(missing.shown || missing.detail.empty());
}

// Files with some lines only, loaded over a random font: glyph 3's rows 0..`rows_set`-1 become
// all set, except `odd_row`, whose pixels follow `odd_pattern` ("?" = as before); nothing else
// changes.
TEST(FontFileTest, LoadChangesOnlyTheRowsTheFileGives) {
  const std::vector<std::string> ones(16, std::string(16, '1'));
  auto glyph_3 = [&ones](size_t rows, int odd_row = -1, std::string odd_text = "") {
    std::vector<std::string> lines = {"3"};
    lines.insert(lines.end(), ones.begin(), ones.begin() + static_cast<long>(rows));
    if (odd_row >= 0) lines[static_cast<size_t>(odd_row) + 1] = odd_text;
    return lines;
  };
  // The lines after the header. A file ending within the glyph reads nothing; "8" and "03" are
  // no glyph at all.
  // clang-format off
  struct Case { std::vector<std::string> body; int rows_set; int odd_row = -1; std::string odd_pattern = "";
                bool finished = true; };
  const Case cases[] = {
      {glyph_3(16), 16}, {glyph_3(16, 4, std::string(15, '0')), 16, 4, std::string(16, '?')},
      {glyph_3(16, 4, std::string(17, '0')), 16, 4, std::string(16, '?')},
      {glyph_3(16, 9, "0x0 0１0101010101"), 16, 9, "0?0?0?0101010101"}, {glyph_3(10), 0, -1, "", false},
      {{"8", ones[0]}, 0, -1, "", false}, {{"03", ones[0]}, 0, -1, "", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::vector<std::string> lines = {"3"};  // the header is never a glyph number
    lines.insert(lines.end(), ones.begin(), ones.end());
    lines.insert(lines.end(), c.body.begin(), c.body.end());
    std::string path = TempPath("part.fm5");
    WriteLines(path, lines);
    MemoryImage image;
    image.font_bits = RandomFont(3);
    FontBits expected = image.font_bits;
    for (int r = 0; r < c.rows_set; ++r) {
      for (int p = 0; p < kGlyphSize; ++p) {
        char mark = r == c.odd_row ? c.odd_pattern[static_cast<size_t>(p)] : '1';
        if (mark != '?') expected[3][r][p] = static_cast<uint8_t>(mark - '0');
      }
    }
    Outcome outcome = LoadFontFile(image, path);
    EXPECT_EQ(outcome.success, c.finished) << c.body[0] << " " << outcome.detail;
    EXPECT_TRUE(image.font_bits == expected) << c.body[0] << " rows " << c.rows_set;
    // Nothing is written past the eight glyphs, into the tables that follow them.
    EXPECT_EQ(image.group_file_table, MemoryImage().group_file_table);
  }
}

// Files loaded over a random font: the outcome, the glyphs counted as read, and which glyphs
// change (all or none of the file's glyphs).
TEST(FontFileTest, BrokenFilesAreRefusedWholeAndTheGlyphsReadAreCounted) {
  MemoryImage source;
  source.font_bits = RandomFont(5);
  const std::vector<std::string> full = FontFileLines(source, "Save Date and Time 1/2/3 4:5:6");
  auto part = [&full](size_t first, size_t count) {
    return std::vector<std::string>(full.begin() + static_cast<long>(first),
                                    full.begin() + static_cast<long>(first + count));
  };
  auto bytes = [](const std::vector<std::string>& lines) { return testing::FileBytes(lines); };
  // Glyphs 3 and 6 of the source; row 2 of glyph 6 (line 22) is one character short.
  std::vector<std::string> two = part(0, 1);
  for (const auto& glyph : {part(52, 17), part(103, 17)})
    two.insert(two.end(), glyph.begin(), glyph.end());
  two[21] = two[21].substr(1);
  two.push_back("File End");
  const std::string refused = "This File don't Open/ Error", done = "Read Font File/ Finish";
  // The glyphs counted as read, the glyphs taken from the source.
  // clang-format off
  struct Case { std::string bytes, message, detail; int glyphs; std::vector<int> changed;
                const char* name = "broken.FM5"; };
  const Case cases[] = {
      {"", refused, "no glyph found in the file", 0, {}},
      {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE", 18), refused, "no glyph found in the file",
       0, {}},
      {bytes(part(0, 60)), refused,
       "the file ends after line 60, inside glyph 3 (7 of its 16 rows); nothing was read", 0, {}},
      {bytes(full), done, "", 8, {0, 1, 2, 3, 4, 5, 6, 7}},
      {bytes(full), done, "", 8, {0, 1, 2, 3, 4, 5, 6, 7}, "a.fm5"},
      {bytes(full), refused, "", 0, {}, "e.FM5.bak"},
      {bytes(two), done, "1 pixel row was not 16 characters long and was left as it was (line 22)", 2,
       {3, 6}},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string path = TempPath(c.name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    MemoryImage image;
    image.font_bits = RandomFont(6);
    FontBits expected = image.font_bits;
    for (int g : c.changed)
      expected[static_cast<size_t>(g)] = source.font_bits[static_cast<size_t>(g)];
    if (c.glyphs == 2) expected[6][2] = image.font_bits[6][2];
    int glyphs = -1;
    Outcome outcome = LoadFontFile(image, path, &glyphs);
    EXPECT_EQ(
        outcome.text + "/" + outcome.title + "|" + outcome.detail + "|" + std::to_string(glyphs),
        c.message + "|" + c.detail + "|" + std::to_string(c.glyphs));
    EXPECT_TRUE(image.font_bits == expected) << c.detail;
  }
}

}  // namespace
}  // namespace tqm5
