#include "editing/bank_link_edit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tqm5 {
namespace {

// Bank 0 holds 100 channels, bank 2 holds 900, every other bank none (sizes little-endian).
const std::string kSizes = "640000008403" + std::string(47 * 4, '0');

BankLinkHex Groups() {
  BankLinkHex groups;
  ResetBankLink(groups);
  groups[0] = "E000000000004000";  // banks 0, 1, 2 and 49 as the radio had them
  return groups;
}

TEST(BankLinkEditTest, ClicksToggleBanksInUseAndStoreWhatIsShown) {
  // clang-format off
  for (auto [group, bank, stored, changed] : {
       std::tuple{0, 0, "2000000000000000", true},    // bank 0 out; banks 1 and 49 dropped
       {10, 0, "8000000000000080", true}, {3, 2, "2000000000000000", true},
       {0, 49, "E000000000004000", false}, {7, 1, "0000000000000000", false}}) {
    // clang-format on
    BankLinkHex groups = Groups();
    EXPECT_EQ(ClickGroupCell(groups, kSizes, group, bank), changed);
    EXPECT_EQ(groups[static_cast<size_t>(group)], stored) << group << "/" << bank;
    EXPECT_EQ(groups[0], group == 0 ? stored : "E000000000004000");  // the others wait for "OK"
  }
  BankLinkHex groups = Groups();
  StoreShownGroups(groups, kSizes);
  EXPECT_EQ(groups[0] + groups[10], "A0000000000000000000000000000080");
}

TEST(BankLinkEditTest, BankColumnsSkipTheSeparators) {
  for (auto [bank, column] : {std::pair{0, 1}, {9, 10}, {10, 12}, {19, 21}, {40, 45}, {49, 54}}) {
    EXPECT_EQ(BankColumn(bank), column);
    EXPECT_EQ(BankOfColumn(column), bank);
  }
  for (int column : {0, 11, 22, 33, 44, 55, 56}) EXPECT_EQ(BankOfColumn(column), -1) << column;
}

}  // namespace
}  // namespace tqm5
