// Channel numbers, their roles and row labels, and the memory slot that holds each number.
#ifndef TQM5_IMAGE_CHANNEL_NUMBERING_H_
#define TQM5_IMAGE_CHANNEL_NUMBERING_H_

#include <array>
#include <string>

namespace tqm5 {

inline constexpr int kChannelCount = 1623;
inline constexpr int kBankCount = 50;
inline constexpr int kMemoryChannelCount = 1000;  // channels 1..1000 are grouped into banks
inline constexpr int kOneTouchKeyCount = 9;
inline constexpr int kUsedBankEnd = 100;  // end mark of the used-bank table

// First numbers of the channel ranges.
inline constexpr int kFirstProgramScanChannel = 1001;  // 1001..1100, 50 edge pairs
inline constexpr int kFirstDualChannel = 1101;         // 1101..1300, 100 main/sub pairs
inline constexpr int kLastDualChannel = 1300;
inline constexpr int kFirstPriorityChannel = 1301;  // 1301..1400
inline constexpr int kFirstCallChannel = 1401;      // 1401 VHF, 1402 UHF, 1403 1.2 GHz
inline constexpr int kLastCallChannel = 1403;
inline constexpr int kFirstPassChannel = 1404;  // 1404..1503
inline constexpr int kLastPassChannel = 1503;
inline constexpr int kPassChannelCount = 100;
inline constexpr int kFirstTsfChannel = 1504;  // 1504..1603
inline constexpr int kFirstBugChannel = 1604;  // 1604..1623, bug detector
inline constexpr int kLastBugChannel = 1623;

// `DualPairRemap`: slot of dual channel 1101 + i. Main channels (even i) occupy slots
// 1101..1200 and sub channels (odd i) slots 1201..1300.
extern const std::array<int, 200> kDualPairRemap;

// Storage slot of channel `number` (1..1623).
int ChannelSlot(int number);
// Address of the 64-byte record of channel `number`: 0x01200 + (slot - 1) * 0x40.
int ChannelAddress(int number);

// Call and bug-detector channels: never emptied by the clear commands.
bool IsProtectedChannel(int number);
bool IsPassChannel(int number);
bool IsBugChannel(int number);

// Row label of a channel outside the banks (1001..1623): "PRG - 0A", "Dual0(Main) ",
// "PRIO - 0", "CALL-VHF", "PASS - 0", "TSF - 0", "BUG - 0", ...
std::string FixedRowLabel(int number);
// Row label of position `position` of bank `bank`: "Bank00-000".
std::string BankRowLabel(int bank, int position);
// Writes the digits of bank `bank` (0..99) and position `position` (0..999) into `label`, a
// label as `BankRowLabel` gives it, so that a loop over the rows reuses one label.
void SetBankRowDigits(std::string& label, int bank, int position);

}  // namespace tqm5

#endif  // TQM5_IMAGE_CHANNEL_NUMBERING_H_
