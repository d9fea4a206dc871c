#include "textdata/cp932.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

TEST(Cp932Test, CodesCharactersAndFileText) {
  // 0x1A, 0x1C and 0x7F are control bytes that some Shift-JIS converters turn into other
  // characters; the radio's text must keep them as they are.
  // clang-format off
  for (auto [code, utf8] : {std::pair{0x1A, "\x1A"}, {0x1C, "\x1C"}, {0x7F, "\x7F"}, {0x5C, "\\"},
       {0x7E, "~"}, {0xB1, "ｱ"}, {0x829F, "ぁ"}, {0x8740, "①"}, {0x8160, "～"}, {0x815F, "＼"}}) {
    // clang-format on
    std::u32string chars = Utf8ToU32(utf8);
    ASSERT_EQ(chars.size(), 1u) << utf8;
    EXPECT_EQ(Cp932CodeOf(chars[0]), code) << utf8;
    EXPECT_EQ(CharOfCp932Code(code), chars[0]) << std::hex << code;
  }
  EXPECT_EQ(Cp932CodeOf(U'\U0001F600'), -1);
  EXPECT_EQ(CharOfCp932Code(0x80), 0u);
  EXPECT_EQ(CharOfCp932Code(0x81), 0u);  // a lead byte alone
  std::string text = "CH01 ｱｲｳ 東京①\\~";
  EXPECT_EQ(Utf8ToCp932(text), "CH01 \xB1\xB2\xB3 \x93\x8C\x8B\x9E\x87\x40\\~");
  EXPECT_EQ(Cp932ByteLength(text), 17);
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text);
  EXPECT_EQ(Utf8ToCp932("a\U0001F600b"), "a?b");
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\uFFFD");  // a truncated double-byte character
  EXPECT_EQ(Utf8ToU32(std::string("a\xFF") + "b"), U"a\uFFFDb");
}

TEST(Cp932Test, AsciiRunsMeetOtherCharactersAtEitherEnd) {
  // clang-format off
  for (auto [cp932, utf8] : {std::pair{"ab\x93\x8C" "cd", "ab東cd"}, {"\x93\x8C" "a", "東a"},
       {"a\xB1", "aｱ"}, {"ab\x80", "ab\uFFFD"}, {"", ""}}) {
    // clang-format on
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8) << cp932;
  }
  for (auto [utf8, chars] : {std::pair{"ab\xC3", U"ab\uFFFD"},
                             {"\xC3\xA9x", U"éx"},
                             {"x\xE6\x9D\xB1", U"x東"},
                             {"\xE6\x9D", U"\uFFFD\uFFFD"}}) {
    EXPECT_EQ(Utf8ToU32(utf8), chars) << utf8;
  }
  std::u32string reused = U"a longer text held before";
  Utf8ToU32("xy", reused);
  EXPECT_EQ(reused, U"xy");
}

}  // namespace
}  // namespace tqm5
