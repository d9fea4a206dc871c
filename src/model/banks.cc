#include "model/banks.h"

#include <vector>

#include "image/channel_numbering.h"
#include "image/hex.h"

namespace tqm5 {

int BankTotal(const MemoryImage& image) {
  int total = 0;
  for (int size : image.bank_sizes) total += size;
  return total;
}

void ResetBankSizes(MemoryImage& image) {
  for (int b = 0; b < kBankCount; ++b) image.bank_sizes[static_cast<size_t>(b)] = b < 10 ? 100 : 0;
}

void RebuildRowLabels(MemoryImage& image) {
  if (BankTotalValid(image)) RebuildRowLabelsForAnyTotal(image);
}

void RebuildRowLabelsForAnyTotal(MemoryImage& image) {
  // A label is written only when it changes: a load rebuilds them all, and most stay as they
  // were. Each label is compared where it is formed, without a string built for it.
  auto set = [](Channel& channel, std::string_view label) {
    if (channel.label != label) channel.label = label;
  };
  // The rows past the banks always carry the same labels.
  static const std::vector<std::string> kFixedLabels = [] {
    std::vector<std::string> labels;
    for (int n = kFirstProgramScanChannel; n <= kChannelCount; ++n) {
      labels.push_back(FixedRowLabel(n));
    }
    return labels;
  }();
  std::string bank_label = BankRowLabel(0, 0);
  int number = 1;
  for (int b = 0; b < kBankCount; ++b) {
    int size = image.bank_sizes[static_cast<size_t>(b)];
    // Positions stay below 1000 and banks below 100, the digits a label has room for.
    for (int p = 0; p < size && number <= kMemoryChannelCount; ++p) {
      SetBankRowDigits(bank_label, b, p);
      set(image.channel(number++), bank_label);
    }
  }
  for (; number <= kMemoryChannelCount; ++number) set(image.channel(number), kNoBankLabel);
  for (int n = kFirstProgramScanChannel; n <= kChannelCount; ++n) {
    set(image.channel(n), kFixedLabels[static_cast<size_t>(n - kFirstProgramScanChannel)]);
  }
}

void RebuildUsedBanks(MemoryImage& image) {
  image.used_banks.fill(kUsedBankEnd);
  size_t next = 0;
  for (int b = 0; b < kBankCount; ++b) {
    if (image.bank_sizes[static_cast<size_t>(b)] > 0) image.used_banks[next++] = b;
  }
}

int UsedBankCount(const MemoryImage& image) {
  int count = 0;
  while (count < kBankCount && image.used_banks[static_cast<size_t>(count)] != kUsedBankEnd) {
    ++count;
  }
  return count;
}

int UsedBankPosition(const MemoryImage& image, int bank) {
  int count = UsedBankCount(image);
  for (int p = 0; p < count; ++p) {
    if (image.used_banks[static_cast<size_t>(p)] == bank) return p;
  }
  return -1;
}

int OneTouchBank(const MemoryImage& image, int key) {
  int position = image.one_touch[static_cast<size_t>(key)].bank_position;
  if (position < 0 || position >= kBankCount) return kUsedBankEnd;
  return image.used_banks[static_cast<size_t>(position)];
}

int OneTouchChannelCount(const MemoryImage& image, int key) {
  int bank = OneTouchBank(image, key);
  if (bank < 0 || bank >= kBankCount) return 0;
  return image.bank_sizes[static_cast<size_t>(bank)];
}

void SelectOneTouchBank(MemoryImage& image, int key, int bank_position) {
  OneTouchKey& k = image.one_touch[static_cast<size_t>(key)];
  k.bank_position = bank_position;
  k.channel_position = 0;
}

void ResetOneTouch(MemoryImage& image) {
  for (OneTouchKey& key : image.one_touch) key = OneTouchKey{};
}

void RefreshOneTouchLists(MemoryImage& image) {
  std::array<int, kOneTouchKeyCount> banks{};
  std::array<int, kOneTouchKeyCount> channels{};
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    banks[static_cast<size_t>(k)] = OneTouchBank(image, k);
    channels[static_cast<size_t>(k)] = image.one_touch[static_cast<size_t>(k)].channel_position;
  }
  RebuildUsedBanks(image);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    key.bank_position = 0;
    key.channel_position = 0;
    int position = UsedBankPosition(image, banks[static_cast<size_t>(k)]);
    if (position < 0) continue;
    SelectOneTouchBank(image, k, position);
    if (OneTouchChannelCount(image, k) > channels[static_cast<size_t>(k)]) {
      key.channel_position = channels[static_cast<size_t>(k)];
    }
  }
}

std::string EncodeOneTouch(const MemoryImage& image) {
  std::string hex;
  hex.reserve(54);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    const OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    if (key.no_setting) {
      hex += "FFFFFF";
      continue;
    }
    hex += HexPad(OneTouchBank(image, k) & 0xFF, 2);
    hex += HexPad(key.channel_position & 0xFFFF, 4);
  }
  return hex;
}

void DecodeOneTouch(std::string_view hex, MemoryImage& image) {
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    int bank = HexByteAt(hex, 3 * k);
    int position = HexByteAt(hex, 3 * k + 1) << 8 | HexByteAt(hex, 3 * k + 2);
    key.no_setting = bank == 0xFF;
    key.bank_position = 0;
    key.channel_position = 0;
    if (key.no_setting) continue;
    int bank_position = UsedBankPosition(image, bank);
    if (bank_position < 0) continue;
    SelectOneTouchBank(image, k, bank_position);
    if (position < OneTouchChannelCount(image, k)) key.channel_position = position;
  }
}

std::string ExportBankSizes(const MemoryImage& image) {
  std::string hex;
  hex.reserve(200);
  for (int size : image.bank_sizes) {
    hex += HexPad(size & 0xFF, 2);
    hex += HexPad((size >> 8) & 0xFF, 2);
  }
  return hex;
}

bool ImportBankSizes(std::string_view hex, MemoryImage& image) {
  std::array<int, kBankCount> sizes{};
  for (int b = 0; b < kBankCount; ++b) {
    int size = HexByteAt(hex, 2 * b) | HexByteAt(hex, 2 * b + 1) << 8;
    if (size > kMemoryChannelCount) return false;
    sizes[static_cast<size_t>(b)] = size;
  }
  image.bank_sizes = sizes;
  RebuildRowLabels(image);
  return true;
}

}  // namespace tqm5
