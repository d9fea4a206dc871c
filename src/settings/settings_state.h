// The set-mode settings as the program holds them: one choice index per item, items named by
// their group and item number.
#ifndef TQM5_SETTINGS_SETTINGS_STATE_H_
#define TQM5_SETTINGS_SETTINGS_STATE_H_

#include <array>
#include <cstdint>

namespace tqm5 {

// The groups of set-mode items, in the order of their item counts below. The names follow the
// radio's own menu groups (`Set_Mode_Display`, `Set_Mode_Power`, ...).
enum class SettingGroup : uint8_t {
  kDisplay,   // `Set_Mode_Display` 0-15
  kPower,     // `Set_Mode_Power` 0-2
  kSend,      // `Set_Mode_Send` 0-12
  kRepeater,  // `Set_Mode_Repeater` 0-1
  kRecv,      // `Set_Mode_Recv` 0-7
  kScan,      // `Set_Mode_Scan` 0-9
  kSound,     // `Set_Mode_Sound` 0-5
  kKey,       // `Set_Mode_Key` 0-12
  kToutyou,   // `Set_Mode_Toutyou` 0-1 (bug detector)
  kPreset,    // `Set_Mode_Preset`, one item
  kMem,       // `Set_Mode_Mem` 0, the memory write protection
  kChMode,    // `Set_Mode_Ch_Mode`, one item
};

inline constexpr int kSettingGroupCount = 12;
inline constexpr std::array<int, kSettingGroupCount> kSettingGroupSizes = {16, 3,  13, 2, 8, 10,
                                                                           6,  13, 2,  1, 1, 1};
inline constexpr int kSettingCount = 76;

struct SettingId {
  SettingGroup group;
  int item = 0;
  friend constexpr bool operator==(SettingId, SettingId) = default;
};

// Position of an item in a flat array of all 76 items, groups in enum order.
constexpr int SettingIndex(SettingId id) {
  int index = 0;
  for (int g = 0; g < static_cast<int>(id.group); ++g) index += kSettingGroupSizes[g];
  return index + id.item;
}

// Language of the settings texts (and the choice index of the language item).
inline constexpr int kJapanese = 0;
inline constexpr int kEnglish = 1;

// One choice index per item.
struct SettingsChoices {
  std::array<int16_t, kSettingCount> choice{};

  int16_t& operator[](SettingId id) { return choice[static_cast<size_t>(SettingIndex(id))]; }
  int16_t operator[](SettingId id) const { return choice[static_cast<size_t>(SettingIndex(id))]; }
  friend bool operator==(const SettingsChoices&, const SettingsChoices&) = default;
};

// Frequently named items.
inline constexpr SettingId kLanguageItem{SettingGroup::kDisplay, 0};
inline constexpr SettingId kWriteProtectItem{SettingGroup::kMem, 0};
inline constexpr SettingId kCrossBandItem{SettingGroup::kRepeater, 1};

}  // namespace tqm5

#endif  // TQM5_SETTINGS_SETTINGS_STATE_H_
