#include "model/memory_image.h"

#include <gtest/gtest.h>

#include "image/channel_numbering.h"
#include "model/banks.h"
#include "model/title_area.h"
#include "settings/catalogue.h"

namespace tqm5 {
namespace {

std::vector<int> Range(int first, int last, std::vector<int> numbers = {}) {
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}
// The call channels and the bug detectors.
const std::vector<int> kCallAndBug = Range(1604, 1623, {1401, 1402, 1403});

TEST(StartupImageTest, SendsOnlyThePresetChannelsAndHoldsTheFactoryDefaults) {
  MemoryImage image;
  std::vector<int> sent;
  for (int n = 1; n <= kChannelCount; ++n) {
    if (EncodeChannel(image.channel(n), n, "ZR~TQ-M5") != std::string(128, '0')) sent.push_back(n);
  }
  EXPECT_EQ(sent, kCallAndBug);
  // CALL-VHF: 145 MHz, FM, carrier 2300Hz (index 20), tones 88.5Hz, shift off.
  EXPECT_EQ(EncodeChannel(image.channel(1401), 1401, "ZR~TQ-M5"),
            "024086A408010000000000000009090014003E000A" + std::string(86, '0'));
  // Bug-detector channels are always status 0x01, even on amateur bands.
  EXPECT_EQ(EncodeChannel(image.channel(1606), 1606, "ZR~TQ-M5").substr(0, 10), "01D0C55708");
  // clang-format off
  for (auto [n, column, text] : {std::tuple{1, kColLabel, "Bank00-000"},
       {101, kColLabel, "Bank01-000"}, {1000, kColLabel, "Bank09-099"},
       {1623, kColLabel, "BUG - 19"}, {1403, kColFreq, "1295.00000MHz"},
       {1623, kColFreq, "321.13500MHz"}, {1623, kColCarrier, "2300Hz"}}) {
    // clang-format on
    EXPECT_EQ(CellText(image.channel(n), column), text) << n;
  }
  EXPECT_EQ(std::vector(image.used_banks.begin(), image.used_banks.begin() + 11),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, kUsedBankEnd}));
  EXPECT_EQ(image.bank_link_hex[0] + image.bank_link_hex[10], "00000000000000000000000000000080");
  EXPECT_EQ(std::tuple(image.com_port_number, image.language, image.dtmf),
            std::tuple(1, kJapanese, DtmfState{}));
  SettingsChoices defaults;
  ApplySettingsDefaults(defaults);
  EXPECT_EQ(image.settings, defaults);
  // clang-format off
  for (auto [option, language] : {std::pair{ModelOption::kJ, kJapanese},
       {ModelOption::kT, kEnglish}, {ModelOption::kOther, kEnglish}}) {
    // clang-format on
    SelectModelOption(image, option);
    EXPECT_EQ((std::pair<int, int>(image.language, image.settings[kLanguageItem])),
              std::pair(language, language));
  }
}

TEST(StartupImageTest, ClearCommandsSpareTheCallAndBugChannels) {
  // Channels first..last all in use, then cleared ("All Clear" for 1..1623): those kept.
  for (auto [first, last, kept] : {std::tuple{1, kChannelCount, kCallAndBug},
                                   {1400, 1405, {1401, 1402, 1403}},
                                   {1600, 1623, Range(1604, 1623)}}) {
    MemoryImage image;
    for (int n = first; n <= last; ++n) image.channel(n).used = true;
    last == kChannelCount ? ClearAllChannels(image) : ClearUnprotectedChannels(image, first, last);
    std::vector<int> used;
    for (int n = first; n <= last; ++n)
      if (image.channel(n).used) used.push_back(n);
    EXPECT_EQ(used, kept) << first;
  }
  // A cleared channel is the empty channel under its own label, whatever it held.
  MemoryImage image;
  Channel& channel = image.channel(5);
  channel.blank = false, channel.frequency_hz = 145000000, channel.name = "X", channel.used = true;
  channel.step_index = channel.tx_tone_index = channel.rx_tone_index = channel.dcs_index = 3;
  channel.train_index = 3;
  channel.mode = Modulation::kAm, channel.tone_mode = ToneMode::kDcs, channel.half_width_jr = true;
  channel.shift = Shift::kPlus, channel.offset_hz = 600000, channel.skip = Skip::kYes;
  Channel empty;
  empty.label = channel.label;
  ClearChannel(channel);
  EXPECT_EQ(channel, empty);
}

TEST(TitleAreaTest, TitleScrollAndPaddingByteForByte) {
  for (auto [title, scroll, area] :
       {std::tuple{"AB", 1, "41004200" + std::string(56, '0') + "0100"},
        {"", 0, std::string(64, '0') + "0000"},
        {":3~", 0, "4287" + std::string(60, '0') + "0000"},
        {"", 0, std::string(64, '0') + "02"}}) {  // a scroll byte but 0 or 1 shows "OFF"
    MemoryImage image;
    image.title = title;
    image.title_scroll = scroll;
    if (area.size() == 68) {
      EXPECT_EQ(BuildTitleArea(image), area) << title;
    }
    MemoryImage read;
    read.title_scroll = 1;
    ParseTitleArea(area + std::string(60, 'F'), read);
    EXPECT_EQ(std::pair(read.title, read.title_scroll), std::pair(std::string(title), scroll));
  }
}

}  // namespace
}  // namespace tqm5
