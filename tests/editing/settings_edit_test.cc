#include "editing/settings_edit.h"

#include <gtest/gtest.h>

#include "model/banks.h"

namespace tqm5 {
namespace {

using G = SettingGroup;

// The list lengths are the catalogue's: the last entry is taken, the one after it refused.
TEST(SettingsEdit, ChoicesInsideTheListAreTakenAndTheLanguageItemSwitchesTheTexts) {
  const struct Case {
    SettingId id;
    int choice;
    bool taken;
  } cases[] = {{{G::kDisplay, 0}, 1, true},   {{G::kDisplay, 0}, 2, false},
               {{G::kDisplay, 13}, 61, true}, {{G::kDisplay, 13}, 62, false},
               {{G::kMem, 0}, 2, true},       {{G::kChMode, 0}, -1, false}};
  for (const Case& c : cases) {
    MemoryImage image, expected;
    if (c.taken) expected.settings[c.id] = static_cast<int16_t>(c.choice);
    EXPECT_EQ(ChooseSetting(image, c.id, c.choice), c.taken) << SettingIndex(c.id) << c.choice;
    EXPECT_EQ(image.settings, expected.settings) << SettingIndex(c.id) << " " << c.choice;
    EXPECT_EQ(image.language, c.id == kLanguageItem && c.taken ? kEnglish : kJapanese);
  }
}

TEST(SettingsEdit, CrossBandIsHiddenOnlyUnderModelJ) {
  for (auto [model, id, shown] : {std::tuple{ModelOption::kJ, kCrossBandItem, false},
                                  {ModelOption::kT, kCrossBandItem, true},
                                  {ModelOption::kOther, kCrossBandItem, true},
                                  {ModelOption::kJ, SettingId{G::kRepeater, 0}, true}}) {
    MemoryImage image;
    SelectModelOption(image, model);
    EXPECT_EQ(SettingShown(image, id), shown);
  }
}

// Used banks 0, 2 and 5 (sizes 400, 100, 500): the lists show three banks, bank 5 has 500
// channels, and the key's bytes are written out by hand.
TEST(SettingsEdit, OneTouchEditsStayInsideTheListsShown) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[0] = 400;
  image.bank_sizes[2] = 100;
  image.bank_sizes[5] = 500;
  RefreshOneTouchLists(image);
  const struct Step {
    int kind;  // 0 no setting, 1 bank position, 2 channel position
    int key, value;
    bool taken;
  } steps[] = {{0, 4, 0, true},   {1, 4, 3, false}, {1, 4, 2, true},  {2, 4, 500, false},
               {2, 4, 499, true}, {1, 9, 0, false}, {0, 9, 0, false}, {2, 4, -1, false}};
  for (const Step& s : steps) {
    bool taken = s.kind == 0   ? SetOneTouchNoSetting(image, s.key, s.value != 0)
                 : s.kind == 1 ? ChooseOneTouchBank(image, s.key, s.value)
                               : ChooseOneTouchChannel(image, s.key, s.value);
    EXPECT_EQ(taken, s.taken) << s.kind << " " << s.key << " " << s.value;
  }
  EXPECT_EQ(EncodeOneTouch(image).substr(18, 12), "FFFFFF0501F3");
  ASSERT_TRUE(ChooseOneTouchBank(image, 4, 1));  // bank 2: back to its channel 0
  EXPECT_EQ(EncodeOneTouch(image).substr(24, 6), "020000");
}

TEST(SettingsEdit, TitleAndDtmfBoxes) {
  const std::string a14(14, 'A'), a15(15, 'A'), a16(16, 'A');
  // Title: Backspace always, a paste never, else the radio text's width; 16 bytes, a token
  // counting 2. DTMF: 16 digits.
  EXPECT_EQ(std::vector<bool>({TitleBoxAccepts(a15, U'B', false), TitleBoxAccepts(a16, U'B', false),
                               TitleBoxAccepts(a16, 8, false), TitleBoxAccepts("", 22, false),
                               TitleBoxFits(a14 + ":1~", false), TitleBoxFits(a15 + ":1~", false),
                               DtmfBoxAccepts(a16, 8), DtmfBoxAccepts("12", U'a'), DtmfBoxFits(a16),
                               DtmfBoxFits(a16 + "1")}),
            std::vector<bool>({1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));

  MemoryImage image;
  image.title = "AあΩ₤B";  // あ (0x82A0) the radio shows, Ω (0x83B6) not; ₤ is not CP932
  image.dtmf.memories[8] = "1a2*";
  LeaveTitleBox(image);
  LeaveDtmfBox(image, 8);
  EXPECT_EQ(image.title + image.dtmf.memories[8], "AあB12*");
  image.title_scroll = 1;
  ClearTitle(image);
  EXPECT_EQ(image.title + std::to_string(image.title_scroll), "0");
  EXPECT_FALSE(ChooseTitleScroll(image, 2));

  // The last position of each DTMF list is taken, the one after it refused.
  using enum DtmfList;
  for (auto [list, last] :
       {std::pair{kWait, 10}, {kHead, 22}, {kBurst, 22}, {kPause, 22}, {kDialCh, 8}}) {
    EXPECT_TRUE(ChooseDtmf(image, list, last));
    EXPECT_FALSE(ChooseDtmf(image, list, last + 1));
  }
  image.dtmf.memories = {};
  EXPECT_EQ(image.dtmf, (DtmfState{{}, 10, 22, 22, 22, 8}));
}

}  // namespace
}  // namespace tqm5
