#include "textdata/dtmf.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "image/hex.h"

namespace tqm5 {
namespace {

std::string Rep(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Bytes 0..164 for: wait 10, head 22, burst 0, memories "12*#", "", "1a-x2 E" (non-digits
// skipped), 17 digits (the 17th dropped), four empty, every digit code; dial channel 0, pause 22.
const std::string kEncoded = "0A1600" + Rep("11", 16) + "01020E0F" + Rep("11", 12) + Rep("11", 16) +
                             "011002" + Rep("11", 13) + "01020304050607080900010203040506" +
                             Rep("11", 64) + "000102030405060708090A0B0C0D0E0F" + "0116";

TEST(DtmfTest, EncodeAndMergeKeepTheRadiosBytes) {
  DtmfState dtmf{{"12*#", "", "1a-x2 E", "12345678901234567", "", "", "", "", "0123456789ABCD*#"}};
  dtmf.wait = 10, dtmf.head = 22, dtmf.burst = 0, dtmf.pause = 22;
  EXPECT_EQ(EncodeDtmf(dtmf), kEncoded);
  // Radio bytes 3..18 and 165..191 stay; a short area is padded with "0" first.
  const std::string kept = "303132333435363738393A3B3C3D3E3F";
  const std::string tail = "404142434445464748494A4B4C4D4E4F505152535455565758595A";
  const std::string body = kEncoded.substr(38);
  for (auto [radio, merged] :
       {std::pair{"AAAAAA" + kept + Rep("EE", 144) + "DDDD" + tail, "0A1600" + kept + body + tail},
        {std::string("ABCDEF0123"), "0A16000123" + std::string(28, '0') + body + Rep("00", 27)}}) {
    MergeDtmf(dtmf, radio);
    EXPECT_EQ(radio, merged);
  }
  dtmf.dial_ch = 8;
  EXPECT_EQ(EncodeDtmf(dtmf).substr(326), "0916");
}

TEST(DtmfTest, ShowDecodesTheArea) {
  const DtmfState start{{"1", "", "", "", "", "", "", "", "9"}, 3, 4, 6, 8, 5};
  const std::string area = "030406" + Rep("11", 16) + "01" + Rep("11", 127) + "09" + Rep("11", 15) +
                           "0608" + Rep("FF", 27);
  auto shown_from = [&](int byte, const std::string& hex) {
    DtmfState shown = start;
    shown.memories[1] = "stale";
    ShowDtmfArea(std::string(area).replace(static_cast<size_t>(2 * byte), hex.size(), hex), shown);
    return shown;
  };
  EXPECT_EQ(shown_from(0, ""), start);
  // clang-format off
  for (auto [byte, value, choices] : {  // choices: wait, head, burst, pause, dial channel
       std::tuple{0, 10, std::array{10, 4, 6, 8, 5}}, {0, 11, {3, 4, 6, 8, 5}},
       {1, 22, {3, 22, 6, 8, 5}}, {1, 0xFF, {3, 4, 6, 8, 5}}, {2, 23, {3, 4, 6, 8, 5}},
       {164, 22, {3, 4, 6, 22, 5}}, {164, 23, {3, 4, 6, 2, 5}}, {164, 0xFF, {3, 4, 6, 2, 5}},
       {163, 0, {3, 4, 6, 8, 0}}, {163, 9, {3, 4, 6, 8, 8}}, {163, 10, {3, 4, 6, 8, 0}}}) {
    // clang-format on
    DtmfState d = shown_from(byte, HexPad(value, 2));
    EXPECT_EQ((std::array{d.wait, d.head, d.burst, d.pause, d.dial_ch}), choices)
        << "byte " << byte << " = " << value;
  }
  // Memory 2; codes 0x11 and above add nothing, wherever they are.
  for (auto [hex, text] :
       {std::pair{Rep("FF", 16), ""}, {"0111101205", "1-5"}, {Rep("11", 15) + "0F", "#"}}) {
    EXPECT_EQ(shown_from(35, hex).memories[1], text) << hex;
  }
}

TEST(DtmfTest, TypingAndFocusLoss) {
  const std::string k15(15, '1');
  // clang-format off
  for (auto [current, c, accepted] : {std::tuple{std::string(), U'0', true}, {"", U'D', true},
       {"", U'-', true}, {"", U'a', false}, {"", U'E', false}, {"", U'１', false},
       {"", U' ', false}, {k15, U'#', true}, {k15 + "2", U'#', false}}) {
    // clang-format on
    EXPECT_EQ(DtmfAcceptsChar(current, c), accepted) << current << " + " << uint32_t{c};
  }
  EXPECT_EQ(FilterDtmf("1a2") + "|" + FilterDtmf("Ａ9 b*#-dD１"), "12|9*#-D");
}

}  // namespace
}  // namespace tqm5
