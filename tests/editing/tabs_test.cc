#include "editing/tabs.h"

#include <gtest/gtest.h>

#include "model/banks.h"

namespace tqm5 {
namespace {

TEST(TabsTest, OnlyTheBankPageOpensWhileTheBanksDoNotAddUp) {
  MemoryImage valid;
  MemoryImage short_by_one;
  short_by_one.bank_sizes[0] = 99;  // total 999
  using enum TabSwitch;
  const MemoryImage *ok = &valid, *bad = &short_by_one;
  // clang-format off
  for (auto [image, current, selected, expected] : {std::tuple{ok, 0, kMemoryTab, kShow},
       {bad, kBankTab, kBankTab, kStay},
       {bad, kMemoryTab, kBankTab, kResetAndShow}, {bad, kBankTab, kSetModeTab, kAsk}}) {
    // clang-format on
    EXPECT_EQ(DecideTabSwitch(*image, current, selected), expected)
        << current << " -> " << selected;
  }
}

TEST(TabsTest, EnteringPagesRebuildsWhatTheyShowFromTheBanks) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[3] = 400;
  image.bank_sizes[7] = 600;
  EnterTab(image, kSetModeTab);
  EXPECT_EQ(image.channel(401).label, "Bank04-000");  // untouched
  EnterTab(image, kMemoryTab);
  EXPECT_EQ(image.channel(400).label + image.channel(401).label, "Bank03-399Bank07-000");

  // Which keys survive is the one-touch rule's; entering "Common Set" runs it.
  EnterTab(image, kCommonTab);         // used banks 3, 7
  image.one_touch[0] = {false, 1, 5};  // position 1: bank 7, emptied
  image.bank_sizes[7] = 0;
  image.bank_sizes[2] = 600;
  EnterTab(image, kCommonTab);
  EXPECT_EQ(image.used_banks[0] * 100 + image.used_banks[1], 203);
  EXPECT_EQ(image.one_touch[0], (OneTouchKey{false, 0, 0}));
}

}  // namespace
}  // namespace tqm5
