#include "model/channel.h"

#include <gtest/gtest.h>

#include <random>

#include "image/vocabulary.h"

namespace tqm5 {
namespace {

// The 145 MHz repeater channel: FM, 5KHz, "+" 0.600MHz, Tone 88.5Hz, DCS 023, carrier ＪＲ.
Channel RepeaterChannel(std::string frequency) {
  Channel channel;
  channel.used = true;
  channel.row[kColFreq] = std::move(frequency);
  channel.row[kColMode] = "FM";
  channel.row[kColStep] = "5KHz";
  channel.row[kColCarrier] = "ＪＲ";
  channel.row[kColToneMode] = "Tone";
  channel.row[kColTxTone] = "88.5Hz";
  channel.row[kColRxTone] = "88.5Hz";
  channel.row[kColDcs] = "023";
  channel.row[kColShift] = "+";
  channel.row[kColShiftFreq] = "0.600MHz";
  return channel;
}

TEST(ChannelCodecTest, EncodesTheRepeaterChannelByteForByte) {
  std::string expected = "024086A4080100C027090001020909001C003E000A" + std::string(86, '0');
  EXPECT_EQ(EncodeChannel(RepeaterChannel("145.00000MHz"), 1, "ZR~TQ-M5"), expected);
}

TEST(ChannelCodecTest, StatusByteFollowsBandAndChannel) {
  struct Case {
    const char* frequency;
    int number;
    const char* model;
    const char* status;  // first two digits, or "zero" for a record sent empty
  };
  const Case cases[] = {
      {"440.00000MHz", 1, "ZR~TQ-M5", "02"},    {"118.00000MHz", 1, "ZR~TQ-M5", "01"},
      {"145.00000MHz", 1605, "ZR~TQ-M5", "01"}, {"1299.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"1300.00000MHz", 1, "ZR~TQ-M5", "01"},   {"136.00000MHz", 1, "ZR~TQ-M5", "02"},
      {"135.99999MHz", 1, "ZR~TQ-M5", "01"},    {"169.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"170.00000MHz", 1, "ZR~TQ-M5", "01"},    {"469.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"470.00000MHz", 1, "ZR~TQ-M5", "01"},    {"1240.00000MHz", 1, "ZR~TQ-M5", "02"},
      {"849.99000MHz", 1, "ZR~TQ-M5T", "zero"}, {"850.00000MHz", 1, "ZR~TQ-M5T", "01"},
      {"824.00000MHz", 1, "ZR~TQ-M5T", "zero"}, {"823.99999MHz", 1, "ZR~TQ-M5T", "01"},
      {"894.99999MHz", 1, "ZR~TQ-M5T", "zero"}, {"895.00000MHz", 1, "ZR~TQ-M5T", "01"},
      {"849.99000MHz", 1, "ZR~TQ-M5E", "01"},
  };
  for (const Case& c : cases) {
    std::string record = EncodeChannel(RepeaterChannel(c.frequency), c.number, c.model);
    ASSERT_EQ(record.size(), 128u);
    if (std::string(c.status) == "zero") {
      EXPECT_EQ(record, std::string(128, '0')) << c.frequency << " " << c.model;
    } else {
      EXPECT_EQ(record.substr(0, 2), c.status) << c.frequency << " ch " << c.number;
    }
  }
}

TEST(ChannelCodecTest, TrainToneModeDependsOnTheIdentifiedVariant) {
  struct Case {
    const char* model;
    const char* tone_mode_byte;
    const char* decoded;
  };
  for (const Case& c :
       {Case{"ZR~TQ-M5", "01", "Train"}, Case{"ZR~TQ-M5J", "01", "Train"},
        Case{"ZR~TQ-M5E", "00", "None"}, Case{"ZR~TQ-M5T", "00", "None"}, Case{"", "00", "None"}}) {
    Channel channel = RepeaterChannel("145.00000MHz");
    channel.row[kColToneMode] = "Train";
    std::string record = EncodeChannel(channel, 1, c.model);
    EXPECT_EQ(record.substr(24, 2), c.tone_mode_byte) << c.model;
    Channel decoded;
    DecodeChannel(decoded, record, false);
    EXPECT_EQ(decoded.row[kColToneMode], c.decoded) << c.model;
  }
}

TEST(ChannelCodecTest, UnusedChannelsEncodeAsZeros) {
  Channel channel = RepeaterChannel("145.00000MHz");
  channel.used = false;
  EXPECT_EQ(EncodeChannel(channel, 1, "ZR~TQ-M5"), std::string(128, '0'));
}

// Record text with the given bytes set over a valid used record.
std::string RecordWith(std::initializer_list<std::pair<int, const char*>> bytes) {
  std::string record = EncodeChannel(RepeaterChannel("145.00000MHz"), 1, "ZR~TQ-M5");
  for (auto [offset, digits] : bytes) record.replace(static_cast<size_t>(2 * offset), 2, digits);
  return record;
}

TEST(ChannelCodecTest, DecodeToleratesBytesOutsideTheTables) {
  struct Case {
    const char* what;
    std::string record;
    int column;
    const char* text;
  };
  const Case cases[] = {
      {"tx tone byte 0x01", RecordWith({{13, "01"}}), kColTxTone, "67.0Hz"},
      {"tx tone byte 0x00", RecordWith({{13, "00"}}), kColTxTone, "67.0Hz"},
      {"tx tone byte 0x27", RecordWith({{13, "27"}}), kColTxTone, "250.3Hz"},
      {"tx tone byte 0x28", RecordWith({{13, "28"}}), kColTxTone, "88.5Hz"},
      {"rx tone byte 0xFF", RecordWith({{14, "FF"}}), kColRxTone, "88.5Hz"},
      {"carrier byte 29", RecordWith({{16, "1D"}}), kColCarrier, "ＪＲ"},
      {"carrier byte 27", RecordWith({{16, "1B"}}), kColCarrier, "3000Hz"},
      {"DCS byte 104", RecordWith({{15, "68"}}), kColDcs, "023"},
      {"DCS byte 103", RecordWith({{15, "67"}}), kColDcs, "754"},
      {"mode high nibble ignored", RecordWith({{5, "F3"}}), kColMode, "WFM"},
      {"mode nibble 4", RecordWith({{5, "04"}}), kColMode, ""},
      {"shift nibble 3", RecordWith({{11, "03"}}), kColShift, "Off"},
      {"shift 0x12", RecordWith({{11, "12"}}), kColShift, "-"},
      {"skip 0x11", RecordWith({{19, "11"}}), kColSkip, "*"},
      {"skip 0x02", RecordWith({{19, "02"}}), kColSkip, ""},
      {"frequency drops the last hertz digit", RecordWith({{1, "1D"}, {2, "B7"}, {3, "A4"}}),
       kColFreq, "145.01250MHz"},  // 0x08A4B71D = 145012509 Hz
      {"offset 5 MHz", RecordWith({{7, "40"}, {8, "4B"}, {9, "4C"}}), kColShiftFreq, "5.000MHz"},
      {"offset 0", RecordWith({{7, "00"}, {8, "00"}, {9, "00"}}), kColShiftFreq, "0.000MHz"},
  };
  for (const Case& c : cases) {
    Channel channel;
    DecodeChannel(channel, c.record, false);
    EXPECT_TRUE(channel.used) << c.what;
    EXPECT_EQ(channel.row[c.column], c.text) << c.what;
  }
}

TEST(ChannelCodecTest, DecodeKeepsIndexBytesInStepWithTheirTexts) {
  Channel channel;
  DecodeChannel(channel, RecordWith({{13, "FF"}, {16, "1D"}, {15, "68"}, {6, "1F"}}), false);
  EXPECT_EQ(channel.tx_tone_index, 8);
  EXPECT_EQ(channel.train_index, 28);
  EXPECT_EQ(channel.dcs_index, 0);
  EXPECT_EQ(channel.step_index, 15);
  EXPECT_EQ(channel.row[kColStep], "1MHz");
}

TEST(ChannelCodecTest, StatusNibbleZeroClearsTheChannelButKeepsItsLabel) {
  Channel channel = RepeaterChannel("145.00000MHz");
  channel.row[kColLabel] = "Bank00-000";
  channel.tx_tone_index = 3;
  DecodeChannel(channel, RecordWith({{0, "10"}}), false);
  Channel cleared;
  cleared.row[kColLabel] = "Bank00-000";
  EXPECT_EQ(channel, cleared);
}

TEST(ChannelCodecTest, UnknownToneModeNibbleLeavesTheColumnAsItWas) {
  Channel channel;
  channel.row[kColToneMode] = "DCS";
  DecodeChannel(channel, RecordWith({{12, "06"}}), false);
  EXPECT_EQ(channel.row[kColToneMode], "DCS");
}

TEST(ChannelCodecTest, GeneratedChannelsSurviveEncodeThenDecode) {
  std::mt19937 rng(1234);
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char* modes[] = {"NFM", "FM", "AM", "WFM"};
  const char* tone_modes[] = {"None", "Train", "Tone", "TSQ", "SQ", "DCS"};
  const char* names[] = {"", "ABC", "Repeater 1", "0123456789ABCDEF", "ｶﾀｶﾅ", "a-b_c"};
  for (int i = 0; i < 2000; ++i) {
    Channel channel;
    channel.used = true;
    channel.row[kColLabel] = "label";
    int number = 1 + pick(kChannelCount);
    uint32_t hertz = 10u * static_cast<uint32_t>(pick(130000000));
    channel.row[kColFreq] = FrequencyText(hertz);
    channel.row[kColMode] = modes[pick(4)];
    channel.step_index = static_cast<uint8_t>(pick(kStepCount));
    channel.row[kColStep] = kStepList[channel.step_index];
    channel.train_index = static_cast<uint8_t>(pick(kTrainCount));
    channel.row[kColCarrier] = kTrainList[channel.train_index];
    channel.row[kColToneMode] = tone_modes[pick(6)];
    channel.tx_tone_index = static_cast<uint8_t>(pick(kToneCount));
    channel.row[kColTxTone] = kToneList[channel.tx_tone_index];
    channel.rx_tone_index = static_cast<uint8_t>(pick(kToneCount));
    channel.row[kColRxTone] = kToneList[channel.rx_tone_index];
    channel.dcs_index = static_cast<uint8_t>(pick(kDcsCount));
    channel.row[kColDcs] = kDcsList[channel.dcs_index];
    channel.row[kColShift] = kShiftText[static_cast<size_t>(pick(3))];
    channel.row[kColShiftFreq] = OffsetText(1000u * static_cast<uint32_t>(pick(1000000)));
    channel.row[kColSkip] = pick(2) ? "*" : "";
    channel.row[kColName] = names[pick(6)];

    std::string record = EncodeChannel(channel, number, "ZR~TQ-M5J");
    Channel decoded;
    decoded.row[kColLabel] = "label";
    DecodeChannel(decoded, record, false);
    ASSERT_EQ(decoded, channel) << "channel " << number << " record " << record;
    ASSERT_EQ(EncodeChannel(decoded, number, "ZR~TQ-M5J"), record);
  }
}

}  // namespace
}  // namespace tqm5
