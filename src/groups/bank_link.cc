#include "groups/bank_link.h"

#include "image/hex.h"

namespace tqm5 {
namespace {

constexpr std::string_view kTailBits = "00000000000000";
constexpr std::string_view kLastGroupTailBits = "00000010000000";

}  // namespace

std::string EmptyGroupHex(int group) {
  return group == kBankLinkGroupCount - 1 ? "0000000000000080" : "0000000000000000";
}

void ResetBankLink(BankLinkHex& groups) {
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    groups[static_cast<size_t>(g)] = EmptyGroupHex(g);
  }
}

GroupBanks GroupBanksOf(std::string_view entry_hex) {
  GroupBanks banks{};
  for (int b = 0; b < kBankCount; ++b) {
    size_t digit = static_cast<size_t>(b / 4);
    uint32_t value = digit < entry_hex.size() ? HexToNumber(entry_hex.substr(digit, 1)) : 0;
    banks[static_cast<size_t>(b)] = (value >> (3 - b % 4)) & 1;
  }
  return banks;
}

std::string GroupHexOf(int group, const GroupBanks& banks) {
  std::string bits;
  bits.reserve(64);
  for (bool member : banks) bits.push_back(member ? '1' : '0');
  bits += group == kBankLinkGroupCount - 1 ? kLastGroupTailBits : kTailBits;
  std::string hex;
  for (size_t i = 0; i < bits.size(); i += 4) {
    int value = 0;
    for (size_t k = 0; k < 4; ++k) value = value * 2 + (bits[i + k] - '0');
    hex += HexPad(value, 1);
  }
  return hex;
}

bool BankHasChannels(std::string_view bank_size_hex, int bank) {
  size_t pos = static_cast<size_t>(bank) * 4;
  if (pos + 4 > bank_size_hex.size()) return false;
  return bank_size_hex.substr(pos, 4) != "0000";
}

void StoreGroups(const std::array<GroupBanks, kBankLinkGroupCount>& membership,
                 std::string_view bank_size_hex, BankLinkHex& groups) {
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    GroupBanks banks = membership[static_cast<size_t>(g)];
    for (int b = 0; b < kBankCount; ++b) {
      if (!BankHasChannels(bank_size_hex, b)) banks[static_cast<size_t>(b)] = false;
    }
    groups[static_cast<size_t>(g)] = GroupHexOf(g, banks);
  }
}

bool SplitBankLinkArea(std::string_view area_hex, BankLinkHex& groups) {
  if (area_hex.size() < 16 * kBankLinkGroupCount) return false;
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    groups[static_cast<size_t>(g)] = std::string(area_hex.substr(static_cast<size_t>(16 * g), 16));
  }
  return true;
}

}  // namespace tqm5
