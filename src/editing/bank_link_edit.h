// The bank-link editor's rules: the state of each of its 11 x 50 cells from the groups and the
// bank sizes, a click on a cell, storing what is shown, and where each bank sits in the grid.
// The editor takes the bank sizes once, as `ExportBankSizes` gives them, when it opens; "Clear"
// is `ResetBankLink`.
#ifndef TQM5_EDITING_BANK_LINK_EDIT_H_
#define TQM5_EDITING_BANK_LINK_EDIT_H_

#include <array>
#include <string_view>

#include "groups/bank_link.h"

namespace tqm5 {

enum class GroupCell {
  kNotInUse,    // the bank has no channels: grey in every group, cannot be switched on
  kInGroup,     // the bank belongs to the group
  kNotInGroup,  // the bank has channels but does not belong to the group
};

// The cell of group g (0..10), bank b (0..49) as `ShowGroups` paints it.
GroupCell GroupCellState(const BankLinkHex& groups, std::string_view bank_size_hex, int group,
                         int bank);

// The membership the cells show: a bank without channels is never a member.
std::array<GroupBanks, kBankLinkGroupCount> ShownGroups(const BankLinkHex& groups,
                                                        std::string_view bank_size_hex);

// `StoreGroups` of what is shown: every entry rebuilt from the cells, so a bank without channels
// is stored as 0 even when the radio had it set.
void StoreShownGroups(BankLinkHex& groups, std::string_view bank_size_hex);

// A click on the cell of group g, bank b: a bank with channels switches in or out of the group,
// whose entry is stored as its cells show it; a bank without channels changes nothing (false).
bool ClickGroupCell(BankLinkHex& groups, std::string_view bank_size_hex, int group, int bank);

// Grid geometry: column 0 holds the group names, banks come in blocks of ten with a narrow
// separator column after each block but the last (columns 11, 22, 33, 44), then column 55.
inline constexpr int kGroupGridRows = 1 + kBankLinkGroupCount;
inline constexpr int kGroupGridColumns = 56;
// Column of bank b: b + 1 + b div 10.
int BankColumn(int bank);
// Bank shown in grid column `column`, or -1 for the name, separator and last columns.
int BankOfColumn(int column);

}  // namespace tqm5

#endif  // TQM5_EDITING_BANK_LINK_EDIT_H_
