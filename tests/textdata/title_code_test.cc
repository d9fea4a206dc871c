#include "textdata/title_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "textdata/cp932.h"

namespace tqm5 {
namespace {

// The codes the radio can show, written down as code ranges independently of the table's
// index layout.
constexpr std::string_view kRadioCharRanges = R"(
813F-81AC 81B8-81BF 81C8-81CE 81DA-81E8 81F0-81F7 81FC 824F-8258 8260-8279 8281-829A 829F-82F1
8340-8396 88A4 88B3 88C8-88CA 88CD 88D5 88DA 88E4 88E6-88E7 88EA 88EF 8942 8945-8946 8948 895E 8969
8970-8971 897A 897E 8980 8993 899E-899F 89A1 89AA-89AB 89AE 89B7 89B9-89BB 89BD 89C2 89C6 89CC-89CE
89E6 89EA 89F0-89F1 8A43 8A4A 8A4F 8A51 8A60 8A67 8A69 8A6D 8A75 8A77 8A79 8A83-8A84 8A88 8A8D 8AA3
8AAE 8AB2 8AB4 8AC4 8AC7-8AC8 8AD4 8AD6 8ADB 8ADD 8AE2 8AEC-8AEE 8AF2 8B40-8B41 8B43 8B45 8B49 8B4B
8B50 8B74 8B76 8B78 8B7B 8B7D-8B7E 8B8C 8B8E 8B97 8B9E 8BA4 8BAD 8BB3-8BB4 8BBB 8BC6-8BC7 8BCA 8BCF
8BD6 8BDF-8BE0 8BE3 8BE6 8BF3 8C46 8C51 8C5E 8C60 8C6E-8C70 8C78 8C85 8C9F 8CA7 8CA9 8CB4 8CB8-8CB9
8CBB 8CBE 8CC0 8CC3 8CC5 8CC9 8CCB 8CD0 8CDC 8CE3-8CE4 8CEA 8CEC 8CF5-8CF6 8CF8 8CFB-8CFC 8D4C 8D58
8D5C-8D5D 8D5F-8D60 8D62 8D71 8D73 8D7E 8D80-8D82 8D86-8D87 8D8F 8D91 8D95 8D9E 8DAA 8DB2 8DB6 8DCB
8DD0 8DD7 8DDD 8DE2-8DE3 8DE8-8DE9 8DEC-8DED 8DF5 8E40 8E44 8E4F 8E52 8E64 8E6C-8E6E 8E71 8E73
8E76-8E77 8E7B 8E7E 8E84 8E86 8E8B 8E99-8E9A 8E9E 8EA0 8EA6 8EA9 8EAD-8EAE 8EB5 8EC0 8ED4-8ED5 8EE6
8EE8 8EED 8EF3 8EFC 8F42 8F48-8F49 8F57 8F5B 8F64 8F68 8F6F 8F72 8F75 8F88 8F8A 8F90 8F9C 8FAC 8FBC
8FC0-8FC1 8FC6 8FDB 8FE3 8FE9 8FED 904D 9053 9055-9056 9058 905F 9085 908A 9094 909B 90A2-90A3 90A7
90AC-90AD 90B7 90BC 90C2-90C3 90CE 90D5 90DA 90DD 90E5-90E7 90EA 90EC 90FC 9144 9149 914F 9153 9180
918A 918D 9197 919D 91A0 91A4-91A5 91A9-91AA 91B1 91BA 91BC 91BE 91CE 91D1-91D2 91D8 91E0 91E4-91E6
91EA 91F0 91F2 9245 924A 924F-9250 9254 925A-925B 9263 9266 926C-926E 9272 9286 92A1 92A3 92A9 92AC
92AE 92B7 92B9 92C3 92C7 92CA 92E2 92E8 92F7 9353 9356 935D 9363-9364 936F 9373 9378-9379 9387 938C
9390 9392 9394 9396 939A 93A1 93AE-93AF 93B9 93BF 93C1 93C6-93C8 93DE-93E0 93EA 93EC 93F1 93FA 9446
945A 945C 9464-9465 9467 946E 9484 9495 94AA 94AD 94B2 94BC 94CD 94D1 94F1 94F6 9550-9551 9553 955C
9562 9569 956C 9573 9576 9578 957B 958C 9590 9594 959C-959D 959F 95A1 95AA 95B6-95B7 95BA 95BD 95C0
95CA 95CF 95D2 95DB 95F1 95FA-95FB 9646 9668 966B 9679 967B 9681 9688 9698 969C 96AF 96B1 96B3 96BC
96BE 96CA 96D8 96DA 96EC 9744 974C 976C 9770 9774 977A 9788 978D 979C-979D 97A0 97A3-97A4 97AF 97B9
97BC 97C7 97CA 97CD 97D1 97DE-97DF 97E9 97F1 9841 9848 985A 985E 9861 E056
)";

std::string U8(char32_t c) { return U32ToUtf8(std::u32string(1, c)); }

// The table holds exactly the listed codes, once each, and a code that CP932 gives a character
// comes back as the same code (or the filters would drop a character the radio can show).
TEST(RadioCharTableTest, HoldsExactlyTheListedCodes) {
  std::set<int> listed;
  std::istringstream in{std::string(kRadioCharRanges)};
  for (std::string item; in >> item;) {
    int first = std::stoi(item.substr(0, 4), nullptr, 16);
    int last = item.size() > 4 ? std::stoi(item.substr(5), nullptr, 16) : first;
    for (int code = first; code <= last; ++code) listed.insert(code);
  }
  ASSERT_EQ(listed.size(), 825u);
  std::vector<int> entries;
  for (uint32_t code : kRadioCharTable)
    if (code != 0) entries.push_back(static_cast<int>(code));
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, std::vector<int>(listed.begin(), listed.end()));
  for (int code = -1; code <= 0x10000; ++code) {
    ASSERT_EQ(IsRadioChar(code), listed.count(code) == 1) << std::hex << code;
  }
  int without_char = 0;  // 0x813F, 0x817F, 0x837F: trail bytes 0x3F and 0x7F are invalid
  for (int code : entries) {
    char32_t c = CharOfCp932Code(code);
    without_char += c == 0;
    if (c == 0) continue;
    EXPECT_EQ(Cp932CodeOf(c), code) << std::hex << code;
    EXPECT_EQ(FilterRadioText(U8(c)), U8(c)) << std::hex << code;
  }
  EXPECT_EQ(without_char, 3);
}

// Title text to the 64 digits of its code (shown up to the last non-zero digit) and back;
// "J" marks decoding under model option "J", where the glyphs are the characters "①".."⑧".
TEST(TitleCodeTest, Vectors) {
  // clang-format off
  for (auto [text, hex] : {std::pair{"", ""}, {"AB", "41004200"}, {":3~", "4287"},
       {"::8~:", "3A0047873A00"}, {":9~:0~:3", "3A0039007E003A0030007E003A003300"},
       {"あｱ①", "A082B1004087"}, {"\U0001F600€", "3F003F00"},  // no CP932 code: "?"
       {"ABCDEFGHIJKLMNOPQ", "4100420043004400450046004700480049004A004B004C004D004E004F005000"},
       {"ABCDEFGHIJKLMNO:1~",
        "4100420043004400450046004700480049004A004B004C004D004E004F004087"}}) {
    EXPECT_EQ(EncodeTitleCode(text), hex + std::string(64 - strlen(hex), '0')) << text;
  }
  for (auto [hex, j, text] : {std::tuple{"4187", false, ":2~"}, {"4187", true, "②"},
       {"40874787", false, ":1~:8~"}, {"48873F87", true, "⑨"},  // 0x8748 is CP932, not a glyph
       {"4", false, "@"},  // read as "4000"
       {"41000000000000000000000000000000000000000000000000000000000000004200", false, "A"},
       {"01001F0020007F00", false, " \x7F"},
       {"8000A000FF00B100B1DF", false, "ｱ"},  // 0x80, 0xA0, 0xFF, 0xDFB1 have no character
       {"81003F817F814081", false, "　"},     // lone lead byte, invalid trail bytes
       {"56E0FFEF40F0FFFF", false, "澤"}}) {  // 0xEFFF unassigned; 0xF040 is cut
    // clang-format on
    EXPECT_EQ(DecodeTitleCode(hex, j), text) << hex << " j=" << j;
  }
}

// Whether the title box and the name box take one more character: the title holds 16 radio
// characters (a glyph token is one, or three bytes under "J"), the name 16 CP932 bytes.
TEST(TitleCodeTest, WidthTypingAndGlyphButtons) {
  const std::string k13 = "ABCDEFGHIJKLM", k14 = k13 + "N", k15 = k14 + "O", k16 = k15 + "P";
  // clang-format off
  for (auto [current, c, j, title, name] : {std::tuple{k15, U'Z', false, true, true},
       {k16, U'Z', false, false, false}, {k14, U'あ', false, true, true},
       {k15, U'あ', false, false, false},
       {"", U'亜', false, false, true},  // not in the table: only the name box takes it
       {"", U'①', true, false, true}, {"", U'\U0001F600', false, false, false},
       {k13 + ":1~", U'Z', false, true, false}, {k13 + ":1~", U'Z', true, false, false},
       {k13.substr(1) + ":1~", U'あ', false, true, false},
       {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ", U'ﾀ', false, true, true},
       {":1~:9~ｱｲｳｴｵｶｷｸ", U'あ', false, true, true}}) {  // ":9~" is no token: width 13
    // clang-format on
    EXPECT_EQ(std::pair(TitleAcceptsChar(current, c, j), NameAcceptsChar(current, c)),
              std::pair(title, name))
        << current << " + " << U8(c) << " j=" << j;
  }
  // 亜, 纊 and 漢 are CP932 characters missing from the table; the glyphs ① and ⑧ stay, ⑨ does
  // not (0x8748 is an ordinary CP932 character outside the table); control characters go.
  EXPECT_EQ(FilterRadioText("亜A纊あ①ｱ\U0001F600:1~漢Ａ⑧⑨\x01\x7F" + std::string(1, 0)),
            "Aあ①ｱ:1~Ａ⑧");
  // What the radio holds of a name or title from a file, and why that differs.
  // clang-format off
  for (auto [text, kept, fault] : {std::tuple{std::string(":1~東京ﾀﾜｰ①ABCDEFGHI"), ":1~東京ﾀﾜｰ①ABCDEFGHI", ""},
       {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP", "17 characters, the radio holds 16"},
       {"AΩ\xFF" + std::string(1, 0) + "B", "AB",
        "characters the radio cannot show: \"Ω\", an invalid byte, character code 0"}}) {
    // clang-format on
    RadioTextCheck check = CheckRadioText(text);
    EXPECT_EQ(check.kept + "|" + check.fault, std::string(kept) + "|" + fault) << text;
  }
  // The glyph buttons append ":n~" (or the character under "J") while it still fits.
  const std::string k0, k4 = "ABC:1~:2~:3~:4~";
  // clang-format off
  for (auto [text, n, j, title, name] : {std::tuple{k0, 3, false, k0 + ":3~", k0 + ":3~"},
       {k14, 1, false, k14 + ":1~", k14 + ":1~"}, {k15, 1, false, k15, k15},
       {k14, 2, true, k14 + "②", k14 + "②"}, {k15, 8, true, k15, k15},
       {k4, 5, false, k4 + ":5~", k4}, {k0, 9, true, k0, k0}}) {
    // clang-format on
    EXPECT_EQ(AppendTitleGlyph(text, n, j), title) << text << " n=" << n;
    EXPECT_EQ(AppendNameGlyph(text, n, j), name) << text << " n=" << n;
  }
}

}  // namespace
}  // namespace tqm5
