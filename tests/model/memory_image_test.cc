#include "model/memory_image.h"

#include <gtest/gtest.h>

#include "image/channel_numbering.h"
#include "image/memory_map.h"
#include "model/banks.h"
#include "model/title_area.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

TEST(StartupImageTest, WriteAllRightAfterStartupSendsOnlyThePresetChannels) {
  MemoryImage image;
  int zero_records = 0;
  std::vector<int> preset;
  for (int n = 1; n <= kChannelCount; ++n) {
    std::string record = EncodeChannel(image.channel(n), n, "ZR~TQ-M5");
    if (record == std::string(128, '0')) {
      ++zero_records;
    } else {
      preset.push_back(n);
    }
  }
  EXPECT_EQ(zero_records, 1600);
  ASSERT_EQ(preset.size(), 23u);
  EXPECT_EQ(preset.front(), 1401);
  EXPECT_EQ(preset[2], 1403);
  EXPECT_EQ(preset[3], 1604);
  // CALL-VHF: 145 MHz, FM, carrier 2300Hz (index 20), tones 88.5Hz, shift off.
  EXPECT_EQ(EncodeChannel(image.channel(1401), 1401, "ZR~TQ-M5"),
            "024086A408010000000000000009090014003E000A" + std::string(86, '0'));
  // Bug-detector channels are always status 0x01, even on amateur bands.
  EXPECT_EQ(EncodeChannel(image.channel(1606), 1606, "ZR~TQ-M5").substr(0, 10), "01D0C55708");
}

TEST(StartupImageTest, HoldsTheFactoryLayoutAndDefaults) {
  MemoryImage image;
  EXPECT_EQ(BankTotal(image), 1000);
  EXPECT_EQ(image.channel(1).row[kColLabel], "Bank00-000");
  EXPECT_EQ(image.channel(1000).row[kColLabel], "Bank09-099");
  EXPECT_EQ(image.channel(1623).row[kColLabel], "BUG - 19");
  EXPECT_EQ(UsedBankCount(image), 10);
  EXPECT_EQ(image.used_banks[9], 9);
  EXPECT_EQ(image.used_banks[10], kUsedBankEnd);
  EXPECT_EQ(image.bank_link_hex[0], "0000000000000000");
  EXPECT_EQ(image.bank_link_hex[10], "0000000000000080");
  EXPECT_EQ(image.channel(1403).row[kColFreq], "1295.00000MHz");
  EXPECT_EQ(image.channel(1623).row[kColFreq], "321.13500MHz");
  EXPECT_EQ(image.channel(1623).row[kColCarrier], "2300Hz");
  EXPECT_EQ(image.com_port_number, 1);
  EXPECT_EQ(image.language, kJapanese);
  EXPECT_EQ(image.settings[kLanguageItem], 0);
  EXPECT_EQ(image.dtmf, DtmfState{});
  SettingsChoices defaults;
  ApplySettingsDefaults(defaults);
  EXPECT_EQ(image.settings, defaults);
}

TEST(StartupImageTest, ClearCommandsSpareProtectedChannels) {
  struct Case {
    int first;
    int last;
    std::vector<int> emptied;
    std::vector<int> kept;
  };
  // clang-format off
  const Case cases[] = {
      {1400, 1405, {1400, 1404, 1405}, {1401, 1402, 1403}},
      {1600, 1623, {1600, 1603}, {1604, 1623}},
  };
  // clang-format on
  for (const Case& c : cases) {
    MemoryImage image;
    for (int n = c.first; n <= c.last; ++n) image.channel(n).used = true;
    ClearUnprotectedChannels(image, c.first, c.last);
    for (int n : c.emptied) EXPECT_FALSE(image.channel(n).used) << n;
    for (int n : c.kept) EXPECT_TRUE(image.channel(n).used) << n;
  }
  MemoryImage image;
  for (Channel& channel : image.channels) channel.used = true;
  ClearAllChannels(image);
  for (int n = 1; n <= kChannelCount; ++n) {
    EXPECT_EQ(image.channel(n).used, IsProtectedChannel(n)) << n;
  }
}

TEST(StartupImageTest, ModelOptionSelectsTheSettingsLanguage) {
  struct Case {
    ModelOption option;
    int language;
  };
  for (const Case& c : {Case{ModelOption::kJ, kJapanese}, Case{ModelOption::kT, kEnglish},
                        Case{ModelOption::kOther, kEnglish}}) {
    MemoryImage image;
    SelectModelOption(image, c.option);
    EXPECT_EQ(image.language, c.language);
    EXPECT_EQ(image.settings[kLanguageItem], c.language);
  }
}

}  // namespace
}  // namespace tqm5

namespace tqm5 {
namespace {

TEST(TitleAreaTest, TitleScrollAndPaddingByteForByte) {
  struct Case {
    const char* title;
    int scroll;
    std::string area;
  };
  // clang-format off
  const Case cases[] = {
      {"AB", 1, "41004200" + std::string(56, '0') + "0100"}, {"", 0, std::string(64, '0') + "0000"},
      {":3~", 0, "4287" + std::string(60, '0') + "0000"},
  };
  // clang-format on
  for (const Case& c : cases) {
    MemoryImage image;
    image.title = c.title;
    image.title_scroll = c.scroll;
    EXPECT_EQ(BuildTitleArea(image), c.area) << c.title;
    MemoryImage read;
    ParseTitleArea(c.area + std::string(60, 'F'), read);
    EXPECT_EQ(read.title, c.title);
    EXPECT_EQ(read.title_scroll, c.scroll);
  }
  MemoryImage image;
  image.title_scroll = 1;
  ParseTitleArea(std::string(64, '0') + "02", image);  // any scroll byte but 0 or 1 shows "OFF"
  EXPECT_EQ(image.title_scroll, 0);
}

}  // namespace
}  // namespace tqm5
