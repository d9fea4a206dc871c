// The eleven bank-link groups. Each group is 64 bits written as 16 hex digits, most significant
// bit first: bit b (b = 0..49) is bank b. Bits 50..63 are fixed, with bit 56 set in group 10 only.
#ifndef TQM5_GROUPS_BANK_LINK_H_
#define TQM5_GROUPS_BANK_LINK_H_

#include <array>
#include <string>
#include <string_view>

#include "image/channel_numbering.h"

namespace tqm5 {

inline constexpr int kBankLinkGroupCount = 11;

using GroupBanks = std::array<bool, kBankCount>;
// `BankLinkHex`: the eleven groups as 16 hex digits each.
using BankLinkHex = std::array<std::string, kBankLinkGroupCount>;

// Start-up and "Clear" value of group g.
std::string EmptyGroupHex(int group);
// Sets `BankLinkHex` to the start-up values.
void ResetBankLink(BankLinkHex& groups);

// Banks of one group entry. Digits that are not hex read as 0.
GroupBanks GroupBanksOf(std::string_view entry_hex);
// Entry of group g holding `banks`, with the group's fixed tail bits.
std::string GroupHexOf(int group, const GroupBanks& banks);

// True when bank b has channels according to `BankSizeHex` (its four digits are not "0000").
bool BankHasChannels(std::string_view bank_size_hex, int bank);

// `StoreGroups` as the editor does it: the membership shown, where a bank without channels is
// never a member, so it is stored as 0 even when the radio had it set.
void StoreGroups(const std::array<GroupBanks, kBankLinkGroupCount>& membership,
                 std::string_view bank_size_hex, BankLinkHex& groups);

// The bank-link area: blocks 00100 and 00140 read; their first 176 digits are the eleven
// entries. Returns false (and changes nothing) when fewer than 176 digits are given.
bool SplitBankLinkArea(std::string_view area_hex, BankLinkHex& groups);
// Address of group g's 8-byte record: 0x00100 + 8g.
inline int BankLinkRecordAddress(int group) { return 0x00100 + 8 * group; }

}  // namespace tqm5

#endif  // TQM5_GROUPS_BANK_LINK_H_
