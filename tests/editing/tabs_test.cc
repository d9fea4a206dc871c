#include "editing/tabs.h"

#include <gtest/gtest.h>

#include "model/banks.h"

namespace tqm5 {
namespace {

TEST(TabsTest, OnlyTheBankPageOpensWhileTheBanksDoNotAddUp) {
  MemoryImage valid;
  MemoryImage short_by_one;
  short_by_one.bank_sizes[0] = 99;  // total 999
  struct Case {
    const MemoryImage& image;
    int current, selected;
    TabSwitch expected;
  };
  const Case cases[] = {
      {valid, 0, kMemoryTab, TabSwitch::kShow},
      {valid, kMemoryTab, kSetModeTab, TabSwitch::kShow},
      {short_by_one, kMemoryTab, kMemoryTab, TabSwitch::kStay},
      {short_by_one, kBankTab, kBankTab, TabSwitch::kStay},
      {short_by_one, kMemoryTab, kBankTab, TabSwitch::kResetAndShow},
      {short_by_one, kBankTab, kSetModeTab, TabSwitch::kAsk},
      {short_by_one, kBankTab, kMemoryTab, TabSwitch::kAsk},
      {short_by_one, kBankTab, kCommonTab, TabSwitch::kAsk},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideTabSwitch(c.image, c.current, c.selected), c.expected)
        << c.current << " -> " << c.selected;
  }
}

TEST(TabsTest, EnteringPagesRebuildsWhatTheyShowFromTheBanks) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[3] = 400;
  image.bank_sizes[7] = 600;
  EnterTab(image, kSetModeTab);
  EXPECT_EQ(image.channel(401).row[kColLabel], "Bank04-000");  // untouched
  EnterTab(image, kMemoryTab);
  EXPECT_EQ(image.channel(401).row[kColLabel], "Bank07-000");
  EXPECT_EQ(image.channel(400).row[kColLabel], "Bank03-399");

  // A key on bank 7, channel 5 keeps them when the used banks move; a key whose bank is gone
  // falls back to the first entries.
  EnterTab(image, kCommonTab);         // used banks 3, 7
  image.one_touch[0] = {false, 1, 5};  // position 1: bank 7
  image.one_touch[1] = {false, 0, 2};  // bank 3
  image.bank_sizes[3] = 0;
  image.bank_sizes[2] = 400;
  EnterTab(image, kCommonTab);
  EXPECT_EQ(image.used_banks[0] * 100 + image.used_banks[1], 207);
  EXPECT_EQ(image.one_touch[0], (OneTouchKey{false, 1, 5}));
  EXPECT_EQ(image.one_touch[1].bank_position * 10 + image.one_touch[1].channel_position, 0);
}

}  // namespace
}  // namespace tqm5
