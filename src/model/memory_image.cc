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
constexpr std::array<uint32_t, 3> kCallFrequencies = {145000000, 433000000, 1295000000};
constexpr std::array<uint32_t, 20> kBugFrequencies = {
    398605000, 399455000, 139970000, 399030000, 400000000, 397250000, 140000000,
    399605000, 398640000, 134000000, 399250000, 399000000, 134900000, 139960000,
    139600000, 149000000, 361825000, 320235000, 320675000, 321135000};

void SetPresetChannel(Channel& channel, uint32_t hertz) {
  ClearChannel(channel);
  channel.blank = false;
  channel.frequency_hz = hertz;
  channel.mode = Modulation::kFm;
  channel.train_index = 20;  // "2300Hz"
  channel.tone_mode = ToneMode::kNone;
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
