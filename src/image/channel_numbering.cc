#include "image/channel_numbering.h"

#include "image/hex.h"

namespace tqm5 {
namespace {

std::array<int, 200> BuildDualPairRemap() {
  std::array<int, 200> remap{};
  for (int j = 0; j < 100; ++j) {
    remap[static_cast<size_t>(2 * j)] = 1101 + j;
    remap[static_cast<size_t>(2 * j + 1)] = 1201 + j;
  }
  return remap;
}

}  // namespace

const std::array<int, 200> kDualPairRemap = BuildDualPairRemap();

int ChannelSlot(int number) {
  if (number >= kFirstDualChannel && number <= kLastDualChannel) {
    return kDualPairRemap[static_cast<size_t>(number - kFirstDualChannel)];
  }
  return number;
}

int ChannelAddress(int number) { return 0x01200 + (ChannelSlot(number) - 1) * 0x40; }

bool IsProtectedChannel(int number) {
  return (number >= kFirstCallChannel && number <= kLastCallChannel) || IsBugChannel(number);
}

bool IsPassChannel(int number) { return number >= kFirstPassChannel && number <= kLastPassChannel; }

bool IsBugChannel(int number) { return number >= kFirstBugChannel && number <= kLastBugChannel; }

std::string FixedRowLabel(int number) {
  if (number < kFirstDualChannel) {
    int pair = (number - kFirstProgramScanChannel) / 2;
    return "PRG - " + std::to_string(pair) + ((number % 2 == 1) ? "A" : "B");
  }
  if (number <= kLastDualChannel) {
    int pair = (number - kFirstDualChannel) / 2;
    return "Dual" + std::to_string(pair) + ((number % 2 == 1) ? "(Main) " : "(Sub) ");
  }
  if (number < kFirstCallChannel) return "PRIO - " + std::to_string(number - kFirstPriorityChannel);
  if (number == 1401) return "CALL-VHF";
  if (number == 1402) return "CALL-UHF";
  if (number == 1403) return "CALL-1.2";
  if (number < kFirstTsfChannel) return "PASS - " + std::to_string(number - kFirstPassChannel);
  if (number < kFirstBugChannel) return "TSF - " + std::to_string(number - kFirstTsfChannel);
  return "BUG - " + std::to_string(number - kFirstBugChannel);
}

std::string BankRowLabel(int bank, int position) {
  if (bank < 0 || bank > 99 || position < 0 || position > 999) {
    return "Bank" + ZeroPad(bank, 2) + "-" + ZeroPad(position, 3);
  }
  std::string label = "Bank00-000";
  SetBankRowDigits(label, bank, position);
  return label;
}

void SetBankRowDigits(std::string& label, int bank, int position) {
  label[4] = static_cast<char>('0' + bank / 10);
  label[5] = static_cast<char>('0' + bank % 10);
  label[7] = static_cast<char>('0' + position / 100);
  label[8] = static_cast<char>('0' + position / 10 % 10);
  label[9] = static_cast<char>('0' + position % 10);
}

}  // namespace tqm5
