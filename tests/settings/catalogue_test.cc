#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace tqm5 {
namespace {

using enum SettingGroup;

std::string Name(SettingId id) {
  return "group " + std::to_string(static_cast<int>(id.group)) + " item " + std::to_string(id.item);
}

TEST(CatalogueTest, EveryItemHasItsChoiceCountAndDefault) {
  struct Expected {
    int count;
    int default_choice;
    const char* default_en;
  };
  // Per group, items in order.
  // clang-format off
  const std::vector<std::pair<SettingGroup, std::vector<Expected>>> groups = {
      {kDisplay, {{2, 0, "日本語"}, {9, 1, " 5sec."}, {5, 0, "1"}, {10, 7, " 8"}, {2, 0, "Small"},
                  {4, 0, "Bold all"}, {3, 0, "Normal"}, {2, 0, "Dual band"}, {2, 1, "Simple"},
                  {2, 0, "OFF"}, {2, 0, "OFF"}, {57, 0, "0"}, {57, 0, "0"}, {62, 0, "1"},
                  {2, 0, "UHF"}, {3, 0, "AM"}}},
      {kPower, {{7, 0, "OFF"}, {6, 3, "0.2 : 0.8"}, {2, 0, "Battery pack"}}},
      {kSend, {{3, 0, "OFF"}, {8, 0, "0"}, {16, 0, "OFF"}, {16, 0, "OFF"}, {2, 0, "OFF"},
               {6, 0, "DISABLE"}, {2, 0, "MANUAL"}, {2, 0, "MANUAL"}, {5, 0, "OFF"},
               {2, 0, "Prohibited"}, {4, 0, "Low Power1"}, {4, 0, "Low Power1"},
               {2, 0, "LOW POWER"}}},
      {kRepeater, {{2, 1, "ON"}, {2, 0, "OFF"}}},
      {kRecv, {{2, 0, "OFF"}, {2, 0, "OFF"}, {3, 0, "Active band"}, {2, 0, "Nomal"},
               {2, 0, "Always"}, {2, 0, "Wideband RX"}, {10, 0, "0"}, {10, 0, "0"}}},
      {kScan, {{40, 0, "BUSY SCAN"}, {2, 1, " ON"}, {12, 0, " 5sec."}, {26, 0, "BUSY"},
               {26, 0, "Busy"}, {26, 0, "Busy"}, {26, 0, "Busy"}, {26, 0, "Busy"}, {2, 0, "OFF"},
               {2, 0, "OFF"}}},
      {kSound, {{5, 2, "2"}, {4, 0, "OFF"}, {2, 0, "OFF"}, {4, 0, "1"}, {21, 0, "0"},
                {21, 0, "0"}}},
      {kKey, {{7, 5, "17-key + dials"}, {2, 0, "Monitor"}, {2, 0, "Push"},
              {4, 0, "Main-band only"}, {2, 0, "L:MAIN / SUB:R"}, {4, 0, "Freq:↑　Vol:↓"},
              {51, 0, "Language"}, {51, 1, "Illumination"}, {2, 0, "NO"}, {3, 0, "OFF"},
              {2, 0, "Main"}, {4, 0, "DISABLE"}, {11, 0, "Manual"}}},
      {kToutyou, {{2, 0, "Silent"}, {5, 2, "3"}}},
      {kPreset, {{2, 1, "Deactivate"}}},
      {kMem, {{3, 0, "OFF"}}},
      {kChMode, {{2, 0, "OFF"}}}};
  // clang-format on
  int checked = 0;
  for (const auto& [group, items] : groups) {
    ASSERT_EQ(static_cast<int>(items.size()), kSettingGroupSizes[static_cast<size_t>(group)]);
    for (int i = 0; i < static_cast<int>(items.size()); ++i, ++checked) {
      const Expected& want = items[static_cast<size_t>(i)];
      const SettingItem& item = CatalogueItem({group, i});
      SCOPED_TRACE(Name({group, i}) + " (" + std::string(item.caption_en) + ")");
      EXPECT_EQ(item.id, (SettingId{group, i}));
      EXPECT_EQ(item.choices_en.size(), static_cast<size_t>(want.count));
      // The language switch keeps the index, so both forms need the same length.
      EXPECT_EQ(item.choices_ja.size(), item.choices_en.size());
      EXPECT_EQ(item.default_choice, want.default_choice);
      ASSERT_LT(item.default_choice, static_cast<int>(item.choices_en.size()));
      EXPECT_EQ(item.choices_en[static_cast<size_t>(item.default_choice)], want.default_en);
    }
  }
  EXPECT_EQ(checked, kSettingCount);
}

TEST(CatalogueTest, TextsAtRiskySpotsAreExact) {
  struct Case {
    SettingId id;
    int language;
    size_t choice;
    const char* text;
  };
  const std::vector<Case> cases = {
      {{kRecv, 3}, kEnglish, 0, "Nomal"},
      {{kPower, 0}, kJapanese, 0, "解除"},
      {{kPower, 1}, kJapanese, 0, "OFF"},
      {{kScan, 1}, kJapanese, 1, " 有効"},
      {{kKey, 4}, kJapanese, 1, "左:ｻﾌﾞ  ﾒｲﾝ:右"},
      {{kDisplay, 13}, kEnglish, 61, "62"},
      // Generated lists.
      {{kSend, 2}, kEnglish, 1, " 30sec."},
      {{kSend, 2}, kEnglish, 4, "120sec."},
      {{kSend, 2}, kJapanese, 15, "450秒"},
      {{kSend, 3}, kJapanese, 0, "無効"},
      {{kSend, 3}, kEnglish, 15, "15sec."},
      {{kScan, 2}, kJapanese, 0, " 5秒"},
      {{kScan, 3}, kJapanese, 0, "ﾋﾞｼﾞｰ"},
      {{kScan, 7}, kEnglish, 9, " 9SEC"},
      // The 40 scan modes: both ends and the joints between the three runs.
      {{kScan, 0}, kEnglish, 1, " 1sec. timer"},
      {{kScan, 0}, kJapanese, 25, "25秒(ﾀｲﾏｰｽｷｬﾝ)"},
      {{kScan, 0}, kEnglish, 26, "  1sec. elapse"},
      {{kScan, 0}, kJapanese, 35, "1.5分(時間指定)"},
      {{kScan, 0}, kEnglish, 39, "  5min. elapse"},
      // Key functions: the ends, and an entry spelt unlike the caption of its item.
      {{kKey, 6}, kJapanese, 0, "language／言語"},
      {{kKey, 7}, kEnglish, 10, "Beep Sound Lv."},
      {{kKey, 6}, kJapanese, 50, "セットモード復帰時間"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string>& choices = SettingChoices(c.id, c.language);
    ASSERT_LT(c.choice, choices.size()) << Name(c.id);
    EXPECT_EQ(choices[c.choice], c.text) << Name(c.id) << " choice " << c.choice;
  }
  EXPECT_EQ(SettingCaption({kDisplay, 4}, kJapanese), "非操作側  表示サイズ");
  EXPECT_EQ(SettingCaption({kDisplay, 10}, kJapanese), "チャンネル　スコープ表示");
  EXPECT_EQ(SettingCaption({kDisplay, 8}, kJapanese), "Ｓﾒｰﾀの種類");
}

TEST(CatalogueTest, LanguageSwitchFlags) {
  struct Case {
    SettingId id;
    bool language_dependent;
    bool refilled_every_switch;
  };
  for (const Case& c : {Case{{kDisplay, 0}, true, false}, Case{{kSend, 8}, true, false},
                        Case{{kRepeater, 1}, false, true}, Case{{kChMode, 0}, false, true},
                        Case{{kScan, 4}, false, false}}) {
    EXPECT_EQ(CatalogueItem(c.id).language_dependent, c.language_dependent) << Name(c.id);
    EXPECT_EQ(CatalogueItem(c.id).refilled_every_switch, c.refilled_every_switch) << Name(c.id);
  }
  // A list that is never re-filled must read the same in both languages.
  for (const SettingItem& item : SettingsCatalogue()) {
    if (!item.language_dependent) {
      EXPECT_EQ(item.choices_ja, item.choices_en) << Name(item.id);
    }
  }
}

TEST(CatalogueTest, HeadingsHoldEveryItemExactlyOnce) {
  std::set<int> seen;
  for (const SettingHeading& heading : SettingHeadings()) {
    for (SettingId id : heading.items) {
      EXPECT_TRUE(seen.insert(SettingIndex(id)).second) << Name(id) << " twice";
    }
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kSettingCount));
  const SettingHeading& receiver = SettingHeadings()[4];
  EXPECT_EQ(receiver.caption_en, "<RECEIVER>");
  EXPECT_EQ(receiver.items.back(), (SettingId{kPreset, 0}));
  EXPECT_EQ(SettingHeadings().back().tab, kCommonSetTab);
}

TEST(CatalogueTest, ApplyingDefaultsGivesEveryItemsDefault) {
  SettingsChoices settings;
  settings.choice.fill(9);  // no item's default
  ApplySettingsDefaults(settings);
  for (const SettingItem& item : SettingsCatalogue()) {
    EXPECT_EQ(settings[item.id], item.default_choice) << Name(item.id);
  }
}

}  // namespace
}  // namespace tqm5
