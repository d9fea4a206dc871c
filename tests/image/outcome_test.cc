#include "image/outcome.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

// Values of more than 40 characters are cut to 40 and their length given; a character of
// several bytes counts once and is never split.
TEST(OutcomeTest, QuotedValuesAreCutToFortyCharacters) {
  std::string kana_40;
  for (int i = 0; i < 40; ++i) kana_40 += "あ";
  const std::string a_40(40, 'a');
  struct Case {
    std::string value, quoted;
  };
  const Case cases[] = {
      {"", "\"\""},
      {a_40, "\"" + a_40 + "\""},
      {a_40 + "b", "\"" + a_40 + "...\" (41 characters)"},
      {kana_40 + "いう", "\"" + kana_40 + "...\" (42 characters)"},
  };
  for (const Case& c : cases) EXPECT_EQ(QuotedValue(c.value), c.quoted);
}

}  // namespace
}  // namespace tqm5
