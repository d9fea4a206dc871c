#include "editing/bank_link_edit.h"

namespace tqm5 {
namespace {

constexpr int kBanksPerBlock = 10;
constexpr int kBlockWidth = kBanksPerBlock + 1;  // ten banks and a separator

bool ValidCell(int group, int bank) {
  return group >= 0 && group < kBankLinkGroupCount && bank >= 0 && bank < kBankCount;
}

}  // namespace

GroupCell GroupCellState(const BankLinkHex& groups, std::string_view bank_size_hex, int group,
                         int bank) {
  if (!BankHasChannels(bank_size_hex, bank)) return GroupCell::kNotInUse;
  return GroupBanksOf(groups[static_cast<size_t>(group)])[static_cast<size_t>(bank)]
             ? GroupCell::kInGroup
             : GroupCell::kNotInGroup;
}

std::array<GroupBanks, kBankLinkGroupCount> ShownGroups(const BankLinkHex& groups,
                                                        std::string_view bank_size_hex) {
  std::array<GroupBanks, kBankLinkGroupCount> shown{};
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    for (int b = 0; b < kBankCount; ++b) {
      shown[static_cast<size_t>(g)][static_cast<size_t>(b)] =
          GroupCellState(groups, bank_size_hex, g, b) == GroupCell::kInGroup;
    }
  }
  return shown;
}

void StoreShownGroups(BankLinkHex& groups, std::string_view bank_size_hex) {
  StoreGroups(ShownGroups(groups, bank_size_hex), bank_size_hex, groups);
}

bool ClickGroupCell(BankLinkHex& groups, std::string_view bank_size_hex, int group, int bank) {
  if (!ValidCell(group, bank) || !BankHasChannels(bank_size_hex, bank)) return false;
  GroupBanks shown = ShownGroups(groups, bank_size_hex)[static_cast<size_t>(group)];
  shown[static_cast<size_t>(bank)] = !shown[static_cast<size_t>(bank)];
  groups[static_cast<size_t>(group)] = GroupHexOf(group, shown);
  return true;
}

int BankColumn(int bank) { return bank + 1 + bank / kBanksPerBlock; }

int BankOfColumn(int column) {
  if (column < 1 || column >= kGroupGridColumns - 1) return -1;
  int block = (column - 1) / kBlockWidth;
  int offset = (column - 1) % kBlockWidth;
  if (offset == kBanksPerBlock) return -1;  // separator
  return block * kBanksPerBlock + offset;
}

}  // namespace tqm5
