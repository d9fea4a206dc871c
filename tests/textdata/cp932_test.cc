#include "textdata/cp932.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

TEST(Cp932Test, CodesAndCharactersAgree) {
  struct Case {
    int code;
    const char* utf8;
  };
  // 0x1A, 0x1C and 0x7F are control bytes that some Shift-JIS converters turn into other
  // characters; the radio's text must keep them as they are.
  for (const Case& c : {Case{0x1A, "\x1A"}, Case{0x1C, "\x1C"}, Case{0x7F, "\x7F"},
                        Case{0x5C, "\\"}, Case{0x7E, "~"}, Case{0xB1, "ｱ"}, Case{0x829F, "ぁ"},
                        Case{0x8740, "①"}, Case{0x8160, "～"}, Case{0x815F, "＼"}}) {
    std::u32string chars = Utf8ToU32(c.utf8);
    ASSERT_EQ(chars.size(), 1u) << c.utf8;
    EXPECT_EQ(Cp932CodeOf(chars[0]), c.code) << c.utf8;
    EXPECT_EQ(CharOfCp932Code(c.code), chars[0]) << std::hex << c.code;
  }
  EXPECT_EQ(Cp932CodeOf(U'\U0001F600'), -1);
  EXPECT_EQ(CharOfCp932Code(0x80), 0u);
  EXPECT_EQ(CharOfCp932Code(0x81), 0u);  // a lead byte alone
}

TEST(Cp932Test, FileTextRoundTripsAndCountsBytes) {
  std::string text = "CH01 ｱｲｳ 東京①\\~";
  std::string bytes = Utf8ToCp932(text);
  EXPECT_EQ(bytes.size(), 17u);
  EXPECT_EQ(Cp932ByteLength(text), 17);
  EXPECT_EQ(Cp932ToUtf8(bytes), text);
  EXPECT_EQ(Utf8ToCp932("a\U0001F600b"), "a?b");
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\uFFFD");  // a truncated double-byte character
  EXPECT_EQ(Utf8ToU32("a\xFF"
                      "b"),
            U"a\uFFFDb");
}

}  // namespace
}  // namespace tqm5
