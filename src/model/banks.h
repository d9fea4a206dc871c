// Banks and one-touch keys: the fifty bank sizes that cut memories 1..1000 into banks, the row
// labels they give, the used-bank table behind the one-touch bank lists, and the nine one-touch
// keys with their three bytes each.
#ifndef TQM5_MODEL_BANKS_H_
#define TQM5_MODEL_BANKS_H_

#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace tqm5 {

// The sum of the fifty bank sizes (`Total_Mem`). Bank sizes are valid when it is 1000.
int BankTotal(const MemoryImage& image);
inline bool BankTotalValid(const MemoryImage& image) {
  return BankTotal(image) == kMemoryChannelCount;
}

// The bank page's "Reset": 100 channels in banks 0..9, none in banks 10..49.
void ResetBankSizes(MemoryImage& image);

// Rewrites the row label of every channel from the bank sizes. Does nothing unless the total is
// 1000, so memories keep their old labels while the sizes are being edited.
void RebuildRowLabels(MemoryImage& image);
// The row labels of a load, whatever the total: every memory the banks reach gets its bank label
// ("Bank03-012"), every memory beyond their total `kNoBankLabel`, rows 1001..1623 their fixed
// labels. A project file keeps the sizes the user had, so they may not add up to 1000.
void RebuildRowLabelsForAnyTotal(MemoryImage& image);
inline constexpr std::string_view kNoBankLabel = "No bank";

// Rebuilds the used-bank table: the banks with at least one channel, ascending, then 100 in
// every remaining entry.
void RebuildUsedBanks(MemoryImage& image);
// Number of entries the one-touch bank lists show (the used-bank table up to its end mark).
int UsedBankCount(const MemoryImage& image);
// Position of `bank` in the used-bank table, or -1.
int UsedBankPosition(const MemoryImage& image, int bank);

// The bank a one-touch key points at (the used-bank table entry at its bank list position).
int OneTouchBank(const MemoryImage& image, int key);
// Entries of a key's channel list: "0" .. size - 1 of its bank.
int OneTouchChannelCount(const MemoryImage& image, int key);

// Choosing a bank list position for a key: the channel list is refilled for that bank and its
// first entry selected.
void SelectOneTouchBank(MemoryImage& image, int key, int bank_position);

// The one-touch "Reset": every key "No Setting", both lists at their first entry.
void ResetOneTouch(MemoryImage& image);

// Rebuilds the used-bank table from the bank sizes and re-selects, for every key, the bank and
// channel it showed before where that bank is still used (and still has that channel);
// otherwise the key falls back to the first entries. Run whenever the one-touch page is shown.
void RefreshOneTouchLists(MemoryImage& image);

// The 54 hex digits of the nine keys: FF FF FF for "No Setting", else the bank byte and the
// channel position big-endian.
std::string EncodeOneTouch(const MemoryImage& image);
// Sets the keys from the first 54 digits of the one-touch block, through the current used-bank
// table. A key whose bank is not in the table, or whose position lies beyond the bank, comes up
// at the first entries.
void DecodeOneTouch(std::string_view hex, MemoryImage& image);

// `ExportBankSizes`: the fifty sizes as 200 hex digits, 16-bit little-endian each.
std::string ExportBankSizes(const MemoryImage& image);
// The 28 bytes after the sizes, always written as this constant and ignored on reading.
inline constexpr std::string_view kBankSizeTail =
    "6400C800640003006400640014000000000000000000000000000000";
// Sets the fifty sizes from the bank-size blocks (at least 200 digits) and rebuilds the row
// labels. A size above 1000 cannot be a bank of this radio (a blank radio reads 0xFFFF): the
// sizes are then left as they were and the result is false.
bool ImportBankSizes(std::string_view hex, MemoryImage& image);

}  // namespace tqm5

#endif  // TQM5_MODEL_BANKS_H_
