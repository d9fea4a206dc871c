#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

namespace tqm5 {
namespace {

using enum SettingGroup;

// An item's default and its choices, "|" between entries; the Japanese list is empty when it
// reads like the English one. "#from:to:step:width:unit" stands for the numbers from..to,
// right-aligned in `width` characters, each followed by `unit`.
struct ItemRow {
  SettingGroup group;
  int item, default_choice;
  const char *en, *ja;
};
// clang-format off
const ItemRow kItems[] = {
    {kDisplay, 0, 0, "日本語|English", ""},
    {kDisplay, 1, 1, "Always Lit| 5sec.|10sec.|15sec.|20sec.|25sec.|30sec.|Disable all|Turn out",
                     "常灯| 5秒|10秒|15秒|20秒|25秒|30秒|全て消灯|消灯"},
    {kDisplay, 2, 0, "1|2|3|4|5", ""}, {kDisplay, 3, 7, "#1:10:1:2:", ""},
    {kDisplay, 4, 0, "Small|Large", "小|大"},
    {kDisplay, 5, 0, "Bold all|Op. band bold|Op. band thin|Thin all", "太字|操作バンド太字|操作バンド細字|細字"},
    {kDisplay, 6, 0, "Normal|Center(Active)|Center(Non act.)", "右端に小さく|中心(同バンド)|中心(逆バンド)"},
    {kDisplay, 7, 0, "Dual band|Single band", "ﾃﾞｭｱﾙﾊﾞﾝﾄﾞ表示|ｼﾝｸﾞﾙﾊﾞﾝﾄﾞ表示"},
    {kDisplay, 8, 1, "Normal|Simple", "ノーマル|シンプル"}, {kDisplay, 9, 0, "OFF|ON", ""},
    {kDisplay, 10, 0, "OFF|ON", ""}, {kDisplay, 11, 0, "#0:56:1:0:", ""}, {kDisplay, 12, 0, "#0:56:1:0:", ""},
    {kDisplay, 13, 0, "#1:62:1:0:", ""}, {kDisplay, 14, 0, "UHF|1200MHz", ""}, {kDisplay, 15, 0, "AM|FM|TV", ""},
    {kPower, 0, 0, "OFF|30 min.|1 hour|2 hrs.|3 hrs.|5 hrs.|8 hrs.", "解除|30分|1時間|2時間|3時間|5時間|8時間"},
    {kPower, 1, 3, "Batt. save off|0.2 : 0.2|0.2 : 0.4|0.2 : 0.8|0.2 : 1.2|0.2 : 1.8",
                   "OFF|0.2秒:0.2秒|0.2秒:0.4秒|0.2秒:0.8秒|0.2秒:1.2秒|0.2秒:1.8秒"},
    {kPower, 2, 0, "Battery pack|Dry battery", "バッテリーパック|乾電池"},
    {kSend, 0, 0, "OFF|Internal mic|Option mic", "OFF|内蔵マイク|外部マイク"}, {kSend, 1, 0, "#0:7:1:0:", ""},
    {kSend, 2, 0, "OFF|#30:450:30:3:sec.", "無効|#30:450:30:3:秒"},
    {kSend, 3, 0, "OFF|#1:15:1:2:sec.", "無効|#1:15:1:2:秒"}, {kSend, 4, 0, "OFF|ON", ""},
    {kSend, 5, 0, "DISABLE|CALL|1000Hz|1450Hz|1750Hz|2100Hz", "無効|CALL|1000Hz|1450Hz|1750Hz|2100Hz"},
    {kSend, 6, 0, "MANUAL|AUTO", ""}, {kSend, 7, 0, "MANUAL|AUTO", ""}, {kSend, 8, 0, "OFF|1|2|3|4", ""},
    {kSend, 9, 0, "Prohibited|Permitted", "禁止|許可"},
    {kSend, 10, 0, "Low Power1|Low Power2|Middle Power|High Power", "ﾛｰﾊﾟﾜｰ1|ﾛｰﾊﾟﾜｰ2|ﾐﾄﾞﾙﾊﾟﾜｰ|ﾊｲﾊﾟﾜｰ"},
    {kSend, 11, 0, "Low Power1|Low Power2|Middle Power|High Power", "ﾛｰﾊﾟﾜｰ1|ﾛｰﾊﾟﾜｰ2|ﾐﾄﾞﾙﾊﾟﾜｰ|ﾊｲﾊﾟﾜｰ"},
    {kSend, 12, 0, "LOW POWER|High Power", "ﾛｰﾊﾟﾜｰ|ﾊｲﾊﾟﾜｰ"},
    {kRepeater, 0, 1, "OFF|ON", ""}, {kRepeater, 1, 0, "OFF|ON", ""},
    {kRecv, 0, 0, "OFF|ON", ""}, {kRecv, 1, 0, "OFF|ON", ""},
    {kRecv, 2, 0, "Active band|Main band|Sub band", "操作バンド優先|メイン優先|サブ優先"},
    {kRecv, 3, 0, "Nomal|Keep", "ノーマル|キープ"}, {kRecv, 4, 0, "Always|Temporary stop", "常時|一時休止"},
    {kRecv, 5, 0, "Wideband RX|Amateur Bands", "全周波数|アマチュア限定"},
    {kRecv, 6, 0, "#0:9:1:0:", ""}, {kRecv, 7, 0, "#0:9:1:0:", ""},
    {kScan, 0, 0, "BUSY SCAN|#1:25:1:2:sec. timer|  1sec. elapse|  2sec. elapse|  3sec. elapse|  4sec. elapse|"
                  "  5sec. elapse| 10sec. elapse| 15sec. elapse| 30sec. elapse|  1min. elapse|1.5min. elapse|"
                  "  2min. elapse|  3min. elapse|  4min. elapse|  5min. elapse",
                  "ﾋﾞｼﾞｰｽｷｬﾝ|#1:25:1:2:秒(ﾀｲﾏｰｽｷｬﾝ)|  1秒(時間指定)|  2秒(時間指定)|  3秒(時間指定)|  4秒(時間指定)|"
                  "  5秒(時間指定)| 10秒(時間指定)| 15秒(時間指定)| 30秒(時間指定)|  1分(時間指定)|1.5分(時間指定)|"
                  "  2分(時間指定)|  3分(時間指定)|  4分(時間指定)|  5分(時間指定)"},
    {kScan, 1, 1, " OFF| ON", " 無効| 有効"}, {kScan, 2, 0, "#5:60:5:2:sec.", "#5:60:5:2:秒"},
    {kScan, 3, 0, "BUSY|#1:25:1:2:sec.", "ﾋﾞｼﾞｰ|#1:25:1:2:秒"}, {kScan, 4, 0, "Busy|#1:25:1:2:SEC", ""},
    {kScan, 5, 0, "Busy|#1:25:1:2:SEC", ""}, {kScan, 6, 0, "Busy|#1:25:1:2:SEC", ""},
    {kScan, 7, 0, "Busy|#1:25:1:2:SEC", ""}, {kScan, 8, 0, "OFF|ON", ""}, {kScan, 9, 0, "OFF|ON", ""},
    {kSound, 0, 2, "OFF|1|2|3|4", ""},
    {kSound, 1, 0, "OFF|Main-band only|Sub-band only|Either band", "無効|ﾒｲﾝ受信時|ｻﾌﾞ受信時|どちらか受信時"},
    {kSound, 2, 0, "OFF|ON", ""}, {kSound, 3, 0, "1|2|3|4", ""}, {kSound, 4, 0, "#0:20:1:0:", ""},
    {kSound, 5, 0, "#0:20:1:0:", ""},
    {kKey, 0, 5, "PTT|17-key pad|Dials|PTT + 17-key|PTT + dials|17-key + dials|All",
                 "PTTｷｰのみ|ｷｰﾎﾞｰﾄﾞのみ|ﾀﾞｲﾔﾙのみ|PTT+ｷｰﾎﾞｰﾄﾞ|PTT+ﾀﾞｲﾔﾙ|ｷｰﾎﾞｰﾄﾞ+ﾀﾞｲﾔﾙ|全て"},
    {kKey, 1, 0, "Monitor|Mute", "ﾓﾆﾀｰ|ﾐｭｰﾄ"}, {kKey, 2, 0, "Push|Hold", "ﾌﾟｯｼｭ|ﾎｰﾙﾄﾞ"},
    {kKey, 3, 0, "Main-band only|Sub-band only|operating-band|Both bands", "ﾒｲﾝﾊﾞﾝﾄﾞ|ｻﾌﾞﾊﾞﾝﾄﾞ|操作ﾊﾞﾝﾄﾞ|両ﾊﾞﾝﾄﾞ"},
    {kKey, 4, 0, "L:MAIN / SUB:R|L:SUB / MAIN:R", "左:ﾒｲﾝ  ｻﾌﾞ:右|左:ｻﾌﾞ  ﾒｲﾝ:右"},
    {kKey, 5, 0, "Freq:↑　Vol:↓|Freq:↓　Vol:↑|Squelch:↑　Freq:↓|Squelch:↓　Freq:↑", ""},
    {kKey, 6, 0, nullptr, nullptr}, {kKey, 7, 1, nullptr, nullptr},  // key functions: codec test
    {kKey, 8, 0, "NO|YES", "移動しない|移動する"}, {kKey, 9, 0, "OFF|LOCK1|LOCK2", ""},
    {kKey, 10, 0, "Main|Sub", ""},
    {kKey, 11, 0, "DISABLE|Sub-band|Main-band L pow.|Main-band H pow.", "無効|ｻﾌﾞﾊﾞﾝﾄﾞ|ﾒｲﾝﾊﾞﾝﾄﾞﾛｰﾊﾟﾜｰ|ﾒｲﾝﾊﾞﾝﾄﾞﾊｲﾊﾟﾜｰ"},
    {kKey, 12, 0, "Manual|5SEC|10SEC|15SEC|30SEC|1MIN|1.5MIN|2MIN|3MIN|4MIN|5MIN",
                  "手動|5秒|10秒|15秒|30秒|1分|1.5分|2分|3分|4分|5分"},
    {kToutyou, 0, 0, "Silent|Sound", "サイレント|サウンド"}, {kToutyou, 1, 2, "1|2|3|4|5", ""},
    {kPreset, 0, 1, "Activate|Deactivate", "表示する|表示しない"}, {kMem, 0, 0, "OFF|ON|一時解除", ""},
    {kChMode, 0, 0, "OFF|ON", ""}};
// clang-format on

std::vector<std::string> Expand(std::string_view list) {
  std::vector<std::string> texts;
  std::istringstream in{std::string(list)};
  for (std::string entry; std::getline(in, entry, '|');) {
    if (entry.empty() || entry[0] != '#') {
      texts.push_back(entry);
      continue;
    }
    int from, to, step, width;
    char unit[64] = "";
    sscanf(entry.c_str(), "#%d:%d:%d:%d:%63[^|]", &from, &to, &step, &width, unit);
    for (int n = from; n <= to; n += step) {
      std::string number = std::to_string(n);
      texts.push_back(std::string(std::max<int>(0, width - int(number.size())), ' ') + number +
                      unit);
    }
  }
  return texts;
}

TEST(CatalogueTest, EveryItemsChoicesInBothLanguagesAndItsDefault) {
  // Lists re-filled by the language switch although they read the same in both languages, and
  // the two "OFF", "ON" lists re-filled by every switch.
  const std::set<int> both = {SettingIndex({kDisplay, 0}), SettingIndex({kSend, 8}),
                              SettingIndex({kRepeater, 0})};
  const std::set<int> every = {SettingIndex({kRepeater, 1}), SettingIndex({kChMode, 0})};
  SettingsChoices defaults;
  defaults.choice.fill(9);  // no item's default
  ApplySettingsDefaults(defaults);
  std::set<int> seen;
  for (const ItemRow& row : kItems) {
    SettingId id{row.group, row.item};
    const SettingItem& item = CatalogueItem(id);
    SCOPED_TRACE(std::string(item.caption_en));
    EXPECT_TRUE(seen.insert(SettingIndex(id)).second);
    EXPECT_EQ(item.id, id);
    EXPECT_EQ(item.default_choice, row.default_choice);
    EXPECT_EQ(defaults[id], row.default_choice);
    bool by_language = row.ja == nullptr || *row.ja != '\0';  // key functions: by language
    EXPECT_EQ(item.language_dependent, by_language || both.count(SettingIndex(id)) == 1);
    EXPECT_EQ(item.refilled_every_switch, every.count(SettingIndex(id)) == 1);
    if (row.en == nullptr) continue;
    EXPECT_EQ(item.choices_en, Expand(row.en));
    EXPECT_EQ(item.choices_ja, Expand(by_language ? row.ja : row.en));
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kSettingCount));
  EXPECT_EQ(SettingCaption({kDisplay, 4}, kJapanese), "非操作側  表示サイズ");
  EXPECT_EQ(SettingCaption({kDisplay, 10}, kJapanese), "チャンネル　スコープ表示");
  EXPECT_EQ(SettingCaption({kDisplay, 8}, kJapanese), "Ｓﾒｰﾀの種類");
}

TEST(CatalogueTest, HeadingsHoldEveryItemExactlyOnce) {
  std::set<int> seen;
  for (const SettingHeading& heading : SettingHeadings()) {
    for (SettingId id : heading.items) EXPECT_TRUE(seen.insert(SettingIndex(id)).second);
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kSettingCount));
  EXPECT_EQ(SettingHeadings()[4].caption_en, "<RECEIVER>");
  EXPECT_EQ(SettingHeadings()[4].items.back(), (SettingId{kPreset, 0}));
  EXPECT_EQ(SettingHeadings().back().tab, kCommonSetTab);
}

}  // namespace
}  // namespace tqm5
