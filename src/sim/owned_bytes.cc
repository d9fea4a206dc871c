#include "sim/owned_bytes.h"

#include "image/memory_map.h"
#include "model/channel.h"
#include "settings/settings_codec.h"

namespace tqm5 {
namespace {

std::vector<bool> BuildOwnedBytes() {
  std::vector<bool> owned(kMemorySize, false);
  auto range = [&owned](int first, int count) {
    for (int a = first; a < first + count; ++a) owned[static_cast<size_t>(a)] = true;
  };
  for (const SettingField& field : kSettingFields) owned[static_cast<size_t>(field.address)] = true;
  range(kWriteProtectAddress, 1);
  range(kDtmfAddress, 3);         // wait, head, burst
  range(kDtmfAddress + 19, 146);  // the nine memories, dial channel, pause
  range(kBankLinkAddress, 88);
  range(kOneTouchAddress, 27);
  range(kTitleAddress, 34);
  range(kBankSizeAddress, 128);
  range(kOrderTableAddress, 808);
  range(kFontAddress, 256);
  range(kChannelAddress, kChannelCount * kBlockSize);
  return owned;
}

}  // namespace

const std::vector<bool>& ProgramOwnedBytes() {
  static const auto* owned = new std::vector<bool>(BuildOwnedBytes());
  return *owned;
}

}  // namespace tqm5
