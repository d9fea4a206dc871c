// The fixed vocabulary of the set-mode settings: every item with its captions and choice lists
// in Japanese and English, its default choice, and the headings the settings pages group the
// items under. Everything here is static data, built once on first use.
#ifndef TQM5_SETTINGS_CATALOGUE_H_
#define TQM5_SETTINGS_CATALOGUE_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_state.h"

namespace tqm5 {

struct SettingItem {
  SettingId id;
  std::string_view caption_ja;
  std::string_view caption_en;
  // The choice list in each language. A fixed list holds the same texts in both.
  std::vector<std::string> choices_ja;
  std::vector<std::string> choices_en;
  // True when the language switch re-fills the list in the new language. Some of these lists
  // have the same texts in both languages and are re-filled all the same.
  bool language_dependent;
  int default_choice;
  // True for the two fixed "OFF", "ON" lists (`Set_Mode_Ch_Mode`, `Set_Mode_Repeater` 1) that
  // the language switch re-fills on every switch, whichever language it switches to.
  bool refilled_every_switch = false;
};

// All 76 items, entry i being the item whose SettingIndex is i.
const std::vector<SettingItem>& SettingsCatalogue();

const SettingItem& CatalogueItem(SettingId id);
// The choice list shown in `language` (kJapanese, anything else is English).
const std::vector<std::string>& SettingChoices(SettingId id, int language);
std::string_view SettingCaption(SettingId id, int language);
// Number of choices of the item; the same in both languages.
int SettingChoiceCount(SettingId id);

// The tabs of the main window that carry settings headings.
inline constexpr int kCommonSetTab = 3;  // "Common Set"
inline constexpr int kSetModeTab = 4;    // "Set Mode"

// A heading of a settings page and the items shown under it, in order.
struct SettingHeading {
  int tab;
  std::string_view caption_en;
  std::string_view caption_ja;
  std::vector<SettingId> items;
};

// The twelve headings, those of "Set Mode" first in page order, then "Setting" of "Common Set".
// Every item is under exactly one heading.
const std::vector<SettingHeading>& SettingHeadings();

// Caption of the opening-title scroll choice, which switches language with the settings.
inline constexpr std::string_view kOpeningSlideCaptionEn = "Opening Slide";
inline constexpr std::string_view kOpeningSlideCaptionJa = "ｵｰﾌﾟﾆﾝｸﾞｽﾗｲﾄﾞ 動作";

// Sets every item to its default choice, the way start-up and the settings reset command do.
// The language item becomes Japanese; switching the views is the caller's business.
void ApplySettingsDefaults(SettingsChoices& settings);

// The groups kept by the project file records "SD01" to "SD11", in record order. Each record
// holds the group's choices in item order. `Set_Mode_Ch_Mode` is not kept.
inline constexpr std::array<SettingGroup, 11> kProjectSettingRecords = {
    SettingGroup::kDisplay,  SettingGroup::kPower, SettingGroup::kSend, SettingGroup::kPreset,
    SettingGroup::kToutyou,  SettingGroup::kMem,   SettingGroup::kRecv, SettingGroup::kScan,
    SettingGroup::kRepeater, SettingGroup::kKey,   SettingGroup::kSound};

}  // namespace tqm5

#endif  // TQM5_SETTINGS_CATALOGUE_H_
