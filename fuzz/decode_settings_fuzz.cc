// DecodeSettings on any settings area: every choice must stay inside its list, and encoding
// must leave the bytes no item owns as they were.
#include <cstdlib>
#include <string>

#include "settings/catalogue.h"
#include "settings/settings_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string hex(reinterpret_cast<const char*>(data), size);
  tqm5::SettingsChoices settings;
  tqm5::ApplySettingsDefaults(settings);
  int language = tqm5::kJapanese;
  tqm5::DecodeSettings(hex, settings, language);
  for (const tqm5::SettingItem& item : tqm5::SettingsCatalogue()) {
    int choice = settings[item.id];
    if (choice < 0 || choice >= tqm5::SettingChoiceCount(item.id)) std::abort();
  }
  if (language != tqm5::kJapanese && language != tqm5::kEnglish) std::abort();
  std::string encoded = hex;
  tqm5::EncodeSettings(settings, tqm5::ModelOption::kT, encoded);
  if (hex.size() >= 384 && encoded.substr(0, 4) != hex.substr(0, 4)) std::abort();
  return 0;
}
