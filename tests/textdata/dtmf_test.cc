#include "textdata/dtmf.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "image/hex.h"

namespace tqm5 {
namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// A DTMF area as the radio might hold it: byte i is 0xC0 ^ i, so every byte is distinct from
// the encoder's values and from its neighbours.
std::string RadioArea() {
  std::string hex;
  for (int i = 0; i < 192; ++i) hex += HexPad(0xC0 ^ i, 2);
  return hex;
}

TEST(DtmfTest, EncodeLayout) {
  DtmfState dtmf;
  dtmf.memories = {"12*#", "", "1a-x2 E", "12345678901234567", "", "", "", "", "0123456789ABCD*#"};
  dtmf.wait = 10;
  dtmf.head = 22;
  dtmf.burst = 0;
  dtmf.pause = 22;
  dtmf.dial_ch = 0;
  std::string hex = EncodeDtmf(dtmf);
  ASSERT_EQ(hex.size(), 330u);
  struct Case {
    int byte;
    std::string hex;  // expected digits from `byte` on
  };
  // clang-format off
  const Case cases[] = {
      {0, "0A1600"},                               // wait, head, burst
      {3, Repeat("11", 16)},                       // the reserved slot
      {19, "01020E0F" + Repeat("11", 12)},         // memory 1
      {35, Repeat("11", 16)},                      // empty memory 2
      {51, "011002" + Repeat("11", 13)},           // non-digits skipped
      {67, "0102030405060708090001020304050611"},  // 17 digits: the 17th is dropped
      {147, "000102030405060708090A0B0C0D0E0F"},   // memory 9, every digit code
      {163, "0116"},                               // dial channel position 0, pause
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(hex.substr(static_cast<size_t>(2 * c.byte), c.hex.size()), c.hex) << c.byte;
  }
  dtmf.dial_ch = 8;
  EXPECT_EQ(EncodeDtmf(dtmf).substr(326), "0916");
}

TEST(DtmfTest, MergeKeepsTheRadiosBytes) {
  DtmfState dtmf;
  dtmf.memories[0] = "12*#";
  dtmf.memories[8] = "9";
  std::string encoded = EncodeDtmf(dtmf);
  std::string area = RadioArea();
  for (std::string hex : {area, area.substr(0, 100), std::string()}) {
    std::string before = hex;
    before.resize(384, '0');
    MergeDtmf(dtmf, hex);
    ASSERT_EQ(hex.size(), 384u);
    EXPECT_EQ(hex.substr(0, 6), encoded.substr(0, 6));
    EXPECT_EQ(hex.substr(6, 32), before.substr(6, 32)) << "bytes 3..18";
    EXPECT_EQ(hex.substr(38, 292), encoded.substr(38, 292));
    EXPECT_EQ(hex.substr(330), before.substr(330)) << "bytes 165..191";
  }
}

TEST(DtmfTest, ShowDecodesTheArea) {
  const DtmfState start{{"1", "", "", "", "", "", "", "", "9"}, 3, 4, 6, 8, 5};
  auto shown_from = [&start](int byte, const std::string& hex) {
    std::string area = RadioArea();
    MergeDtmf(start, area);
    area.replace(static_cast<size_t>(2 * byte), hex.size(), hex);
    DtmfState shown = start;
    shown.memories[1] = "stale";
    ShowDtmfArea(area, shown);
    return shown;
  };
  EXPECT_EQ(shown_from(0, ""), start);
  struct ChoiceCase {
    int byte, value;
    std::array<int, 5> choices;  // wait, head, burst, pause, dial channel
  };
  // clang-format off
  const ChoiceCase choice_cases[] = {
      {0, 10, {10, 4, 6, 8, 5}},  {0, 11, {3, 4, 6, 8, 5}},     {1, 22, {3, 22, 6, 8, 5}},
      {1, 0xFF, {3, 4, 6, 8, 5}}, {2, 23, {3, 4, 6, 8, 5}},     {164, 22, {3, 4, 6, 22, 5}},
      {164, 23, {3, 4, 6, 2, 5}}, {164, 0xFF, {3, 4, 6, 2, 5}}, {163, 0, {3, 4, 6, 8, 0}},
      {163, 9, {3, 4, 6, 8, 8}},  {163, 10, {3, 4, 6, 8, 0}},
  };
  // clang-format on
  for (const ChoiceCase& c : choice_cases) {
    DtmfState d = shown_from(c.byte, HexPad(c.value, 2));
    EXPECT_EQ((std::array<int, 5>{d.wait, d.head, d.burst, d.pause, d.dial_ch}), c.choices)
        << "byte " << c.byte << " = " << c.value;
  }
  struct MemoryCase {
    std::string hex;  // at the start of memory 2
    const char* text;
  };
  // clang-format off
  const MemoryCase memory_cases[] = {
      {Repeat("FF", 16), ""},
      {"0111101205", "1-5"},  // 0x11 and 0x12 add nothing, wherever they are
      {Repeat("11", 15) + "0F", "#"},
  };
  // clang-format on
  for (const MemoryCase& c : memory_cases) {
    EXPECT_EQ(shown_from(35, c.hex).memories[1], c.text) << c.hex;
  }
}

TEST(DtmfTest, TypingAndFocusLoss) {
  struct Case {
    std::string current;
    char32_t c;
    bool accepted;
  };
  const std::string k15(15, '1');
  // clang-format off
  const Case cases[] = {
      {"", U'0', true},  {"", U'D', true},  {"", U'-', true},
      {"", U'a', false}, {"", U'E', false}, {"", U'１', false},
      {"", U' ', false}, {k15, U'#', true}, {k15 + "2", U'#', false},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(DtmfAcceptsChar(c.current, c.c), c.accepted)
        << c.current << " + " << static_cast<uint32_t>(c.c);
  }
  EXPECT_EQ(FilterDtmf("1a2"), "12");
  EXPECT_EQ(FilterDtmf("Ａ9 b*#-dD１"), "9*#-D");
}

}  // namespace
}  // namespace tqm5
