#include "groups/bank_link.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tqm5 {
namespace {

// Bank b is bit 7 - b % 8 of byte b / 8; group 10 always has bit 0x80 of its last byte set.
TEST(BankLinkTest, GroupsEncodeMostSignificantBitFirstWithTheirFixedTail) {
  // clang-format off
  for (auto [group, members, hex] : {std::tuple{0, std::vector<int>{0, 49}, "8000000000004000"},
       {10, {0}, "8000000000000080"}, {10, {}, "0000000000000080"}, {3, {}, "0000000000000000"},
       {5, {1, 2, 3, 4}, "7800000000000000"}, {9, {46, 47, 48}, "0000000000038000"}}) {
    // clang-format on
    GroupBanks banks{};
    for (int b : members) banks[static_cast<size_t>(b)] = true;
    EXPECT_EQ(GroupHexOf(group, banks), hex) << "group " << group;
    EXPECT_EQ(GroupBanksOf(hex), banks) << hex;
  }
  // Every bank asked for, but only banks 0 and 2 have channels.
  BankLinkHex groups;
  std::array<GroupBanks, kBankLinkGroupCount> membership{};
  membership[0] = GroupBanksOf("FFFFFFFFFFFFC000");
  StoreGroups(membership, "E800" + std::string("0000") + "0003" + std::string(47 * 4, '0'), groups);
  EXPECT_EQ(groups[0] + groups[10], "A0000000000000000000000000000080");  // groups 0 and 10
}

TEST(BankLinkTest, AreaSplitsIntoElevenEntries) {
  std::string area;  // entry g is sixteen digits g (group 10: "A")
  BankLinkHex groups, entries;
  for (size_t g = 0; g < entries.size(); ++g)
    area += entries[g] = std::string(16, "0123456789A"[g]);
  ASSERT_TRUE(SplitBankLinkArea(area + std::string(80, 'F'), groups));
  EXPECT_EQ(groups, entries);
  BankLinkHex untouched;
  ResetBankLink(untouched);
  const BankLinkHex before = untouched;
  EXPECT_FALSE(SplitBankLinkArea(area.substr(0, 175), untouched));
  EXPECT_EQ(untouched, before);
}

}  // namespace
}  // namespace tqm5
