#include "groups/bank_link.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

TEST(BankLinkTest, GroupsEncodeMostSignificantBitFirstWithTheirFixedTail) {
  struct Case {
    int group;
    std::vector<int> banks;
    const char* hex;
  };
  // clang-format off
  const Case cases[] = {
      {0, {0, 49}, "8000000000004000"},      {10, {0}, "8000000000000080"},
      {10, {}, "0000000000000080"},          {3, {}, "0000000000000000"},
      {5, {1, 2, 3, 4}, "7800000000000000"}, {9, {46, 47, 48}, "0000000000038000"},
  };
  // clang-format on
  for (const Case& c : cases) {
    GroupBanks banks{};
    for (int b : c.banks) banks[static_cast<size_t>(b)] = true;
    EXPECT_EQ(GroupHexOf(c.group, banks), c.hex) << "group " << c.group;
    EXPECT_EQ(GroupBanksOf(c.hex), banks) << c.hex;
  }
}

TEST(BankLinkTest, BanksWithoutChannelsAreStoredAsZero) {
  BankLinkHex groups;
  std::array<GroupBanks, kBankLinkGroupCount> membership{};
  membership[0] = GroupBanksOf("FFFFFFFFFFFFC000");  // every bank
  // Banks 0 and 2 have channels, the others none.
  std::string sizes = "0100" + std::string("0000") + "E703" + std::string(47 * 4, '0');
  StoreGroups(membership, sizes, groups);
  EXPECT_EQ(groups[0], "A000000000000000");
  EXPECT_EQ(groups[10], "0000000000000080");
}

TEST(BankLinkTest, AreaSplitsIntoElevenEntries) {
  BankLinkHex groups;
  std::string area;
  for (int g = 0; g < kBankLinkGroupCount; ++g)
    area += GroupHexOf(g, GroupBanksOf("0" + std::to_string(g % 10)));
  area += std::string(256 - area.size(), 'F');
  ASSERT_TRUE(SplitBankLinkArea(area, groups));
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    EXPECT_EQ(groups[static_cast<size_t>(g)], area.substr(static_cast<size_t>(16 * g), 16));
  }
  BankLinkHex untouched;
  ResetBankLink(untouched);
  const BankLinkHex before = untouched;
  EXPECT_FALSE(SplitBankLinkArea(area.substr(0, 175), untouched));
  EXPECT_EQ(untouched, before);
}

}  // namespace
}  // namespace tqm5
