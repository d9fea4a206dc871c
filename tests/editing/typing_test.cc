#include "editing/typing.h"

#include <gtest/gtest.h>

#include "editing/channel_edit.h"
#include "editing/settings_edit.h"

namespace tqm5 {
namespace {

// Pasted text goes through the box's own typing rule, character by character, with the text
// around the insertion point counting towards the box's length.
TEST(Typing, PastedTextIsTakenAsIfTyped) {
  const TypingRule dtmf = DtmfBoxAccepts;
  const TypingRule title = [](std::string_view current, char32_t c) {
    return TitleBoxAccepts(current, c, false);
  };
  const TypingRule mhz = [](std::string_view current, char32_t c) {
    return DigitBoxAccepts(current, c, 4);
  };
  const std::string a14(14, 'A');
  const struct Case {
    const TypingRule* rule;
    std::string before, text, after, kept;
    int dropped;
  } cases[] = {
      {&dtmf, "", "1a2", "", "12", 1},
      {&dtmf, "0123456789", "ABCD*#-", "9", "ABCD*", 2},  // 16 characters in all
      {&title, a14, "XYZ", "", "XY", 1},                  // 16 bytes in all
      {&title, "", "あ漢\tB", "", "あB", 2},  // 漢 is no radio character; a tab types nothing
      {&mhz, "", "145.500", "", "1455", 3},
  };
  for (const Case& c : cases) {
    TypedText typed = TypeText(c.before, c.text, c.after, *c.rule);
    EXPECT_EQ(typed.kept, c.kept) << c.text;
    EXPECT_EQ(typed.dropped, c.dropped) << c.text;
  }
}

}  // namespace
}  // namespace tqm5
