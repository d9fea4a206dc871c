#include "editing/bank_tools.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tqm5 {
namespace {

TEST(BankToolsTest, NumberBoxTypingEnterAndLeave) {
  // clang-format off
  for (auto [current, c, accepted] : {std::tuple{"123", U'9', true}, {"1234", U'5', false},
       {"12", U'a', false}, {"1234", char32_t{8}, true}, {"", char32_t{22}, false},
       {"", U'５', false}}) {
    EXPECT_EQ(BankBoxAccepts(current, c), accepted) << current << " + " << int(c);
  }
  // Text, value on Enter, value on leaving.
  for (auto [text, enter, leave] : {std::tuple{"", 0, 0}, {"0100", 100, 100}, {"1000", 1000, 1000},
       {"1001", 100, 100}, {"12a3", 12, 123}, {"a7", 0, 7},
       {"99999999999999999999", 100, 100}}) {
    // clang-format on
    EXPECT_EQ(std::pair(BankBoxEnterValue(text), BankBoxLeaveValue(text)), std::pair(enter, leave))
        << text;
  }
}

TEST(BankToolsTest, SettingASizeLeavesTheLabelsToTheMemoryPage) {
  MemoryImage image;
  ASSERT_TRUE(SetBankSize(image, 0, 50) && SetBankSize(image, 49, 50));
  EXPECT_EQ(image.channel(101).label, "Bank01-000");
  EXPECT_FALSE(SetBankSize(image, 3, 1001) || SetBankSize(image, 50, 1));
}

}  // namespace
}  // namespace tqm5
