#include "editing/image_differences.h"

#include <gtest/gtest.h>

#include <functional>

namespace tqm5 {
namespace {

std::vector<std::string> Lines(const MemoryImage& a, const MemoryImage& b) {
  std::vector<std::string> lines;
  for (const Difference& d : ImageDifferences(a, b)) lines.push_back(DifferenceLine(d));
  return lines;
}

// A CSV file's "JR" is kept as it was spelt, but the radio gets the same carrier as for "ＪＲ".
TEST(ImageDifferencesTest, TheCarrierSpeltJrIsNoDifference) {
  MemoryImage a;
  a.channel(1401).train_index = kJrTrainIndex;
  MemoryImage b = a;
  b.channel(1401).half_width_jr = true;
  EXPECT_TRUE(Lines(a, b).empty());
  b.channel(1401) = a.channel(1401);
  b.channel(1401).train_index = 0;
  EXPECT_EQ(Lines(a, b), std::vector<std::string>{"channel 1401 Carrier: ＪＲ -> 300Hz"});
}

TEST(ImageDifferencesTest, ListsWhatReachesTheRadio) {
  std::string blank = "0000";
  for (int row = 1; row < 16; ++row) blank += " 0000";
  struct Case {
    const char* what;
    std::function<void(MemoryImage&)> change;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // clang-format off
      {"view state, labels and port", [](MemoryImage& m) {
         m.language = kEnglish, m.channel(3).label = "Bank09-099";
         m.com_port_number = 7, m.group_file_flags[4] = 1; }, {}},
      {"a channel not in use keeps texts the radio never gets", [](MemoryImage& m) {
         m.channel(5).blank = false, m.channel(5).frequency_hz = 145000000; }, {}},
      {"columns of a call channel", [](MemoryImage& m) {
         m.channel(1401).frequency_hz = 145500000, m.channel(1401).name = "HOME"; },
       {"channel 1401 Freqency: 145.00000MHz -> 145.50000MHz",
        "channel 1401 Name: (empty) -> HOME"}},
      {"in use with every cell empty", [](MemoryImage& m) { m.channel(7).used = true; },
       {"channel 7: not in use -> in use"}},
      {"settings by English caption, trimmed choice texts", [](MemoryImage& m) {
         m.language = kEnglish, m.settings[SettingId{SettingGroup::kDisplay, 1}] = 0;
         m.settings[SettingId{SettingGroup::kDisplay, 10}] = 1;
         m.settings[SettingId{SettingGroup::kScan, 1}] = 0; },
       // clang-format on
       {"setting Illumination (Set_Mode_Display 1): 5sec. -> Always Lit",
        "setting CH scope Display (Set_Mode_Display 10): OFF -> ON",
        "setting Scan skip (Set_Mode_Scan 1): ON -> OFF"}},
      {"title, DTMF, banks, keys, glyphs and links in that order",
       [](MemoryImage& m) {
         m.bank_link_hex[10] = "0000000000000000";
         m.bank_link_hex[3] = "A000000000000000";
         m.font_bits[1][0][0] = 1;
         m.font_bits[2][15][15] = 1;
         m.one_touch[1] = OneTouchKey{false, 2, 5};
         m.bank_sizes[0] = 99;
         m.dtmf.wait = 3;
         m.dtmf.memories[2] = "1234#";
         m.title_scroll = 1;
         m.title = " AB";
       },
       {"title: (empty) -> \" AB\"", "Opening Slide: OFF -> ON", "DTMF Ch3: (empty) -> 1234#",
        "DTMF Wait: 100ms -> 300ms", "bank 0 size: 100 -> 99",
        "one-touch key 2: No Setting -> bank 2 channel 5",
        "glyph 2: " + blank + " -> 8" + blank.substr(1),
        "glyph 3: " + blank + " -> " + blank.substr(0, 75) + "0001",
        "bank link Group3: no banks -> banks 0, 2",
        "bank link GroupB: 0000000000000080 -> 0000000000000000"}},
  };
  for (const Case& c : cases) {
    MemoryImage changed;
    c.change(changed);
    EXPECT_EQ(Lines(MemoryImage(), changed), c.lines) << c.what;
  }
}

}  // namespace
}  // namespace tqm5
