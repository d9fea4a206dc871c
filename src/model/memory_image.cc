#include "model/memory_image.h"

#include <algorithm>

#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/vocabulary.h"
#include "model/banks.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

// Frequencies of the call channels 1401..1403 and the bug-detector channels 1604..1623 that
// the program starts with.
constexpr std::array<std::string_view, 3> kCallFrequencies = {"145.00000MHz", "433.00000MHz",
                                                              "1295.00000MHz"};
constexpr std::array<std::string_view, 20> kBugFrequencies = {
    "398.60500MHz", "399.45500MHz", "139.97000MHz", "399.03000MHz", "400.00000MHz",
    "397.25000MHz", "140.00000MHz", "399.60500MHz", "398.64000MHz", "134.00000MHz",
    "399.25000MHz", "399.00000MHz", "134.90000MHz", "139.96000MHz", "139.60000MHz",
    "149.00000MHz", "361.82500MHz", "320.23500MHz", "320.67500MHz", "321.13500MHz"};

void SetPresetChannel(Channel& channel, std::string_view frequency) {
  ClearChannel(channel);
  channel.row[kColFreq] = frequency;
  channel.row[kColMode] = "FM";
  channel.row[kColStep] = kStepList[0];
  channel.row[kColCarrier] = "2300Hz";
  channel.row[kColToneMode] = "None";
  channel.row[kColTxTone] = kToneList[8];
  channel.row[kColRxTone] = kToneList[8];
  channel.row[kColDcs] = kDcsList[0];
  channel.row[kColShift] = "Off";
  channel.row[kColShiftFreq] = "0.000MHz";
  channel.step_index = 0;
  channel.train_index = 20;  // "2300Hz"
  channel.tx_tone_index = 8;
  channel.rx_tone_index = 8;
  channel.dcs_index = 0;
  channel.used = true;
}

}  // namespace

MemoryImage::MemoryImage() {
  ResetBankLink(bank_link_hex);
  ResetBankSizes(*this);
  RebuildRowLabels(*this);
  // The one-touch bank lists start out showing banks 0..9.
  RebuildUsedBanks(*this);
  for (size_t i = 0; i < kCallFrequencies.size(); ++i) {
    SetPresetChannel(channel(kFirstCallChannel + static_cast<int>(i)), kCallFrequencies[i]);
  }
  for (size_t i = 0; i < kBugFrequencies.size(); ++i) {
    SetPresetChannel(channel(kFirstBugChannel + static_cast<int>(i)), kBugFrequencies[i]);
  }
  ResetSettings(*this);
}

void ResetSettings(MemoryImage& image) {
  ApplySettingsDefaults(image.settings);
  image.language = image.settings[kLanguageItem];
  image.title_scroll = 0;
  DtmfState defaults;
  image.dtmf = defaults;
}

void SelectModelOption(MemoryImage& image, ModelOption option) {
  image.model_option = option;
  if (option == ModelOption::kNone) return;
  int language = option == ModelOption::kJ ? kJapanese : kEnglish;
  image.settings[kLanguageItem] = static_cast<int16_t>(language);
  image.language = language;
}

void ClearUnprotectedChannels(MemoryImage& image, int first, int last) {
  for (int n = std::max(first, 1); n <= std::min(last, kChannelCount); ++n) {
    if (!IsProtectedChannel(n)) ClearChannel(image.channel(n));
  }
}

void ClearAllChannels(MemoryImage& image) {
  for (int n = 1; n < kFirstBugChannel; ++n) {
    if (!IsProtectedChannel(n)) ClearChannel(image.channel(n));
  }
}

}  // namespace tqm5
