#include "model/channel.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

// The 145 MHz repeater channel 1: FM, 5KHz, "+" 0.600MHz, Tone 88.5Hz, DCS 023, carrier ＪＲ,
// and its record as written by hand, byte by byte.
// Record digits written with a space between fields; the rest of the 128 digits are "0".
std::string Record(std::string_view spaced) {
  std::string digits;
  for (char c : spaced) {
    if (c != ' ') digits += c;
  }
  return digits.append(128 - digits.size(), '0');
}

const std::string kRepeaterRecord =
    Record("02 4086A408 01 00 C0270900 01 02 09 09 00 1C 00 3E 00 0A");

Channel RepeaterChannel(std::string frequency = "145.00000MHz") {
  Channel channel;
  channel.used = true;
  channel.row.cells = {"",       frequency, "FM", "5KHz",     "ＪＲ", "Tone", "88.5Hz",
                       "88.5Hz", "023",     "+",  "0.600MHz", "",     ""};
  return channel;
}

// kRepeaterRecord with the byte at `offset` replaced by `digits`.
std::string RecordWith(int offset, const char* digits) {
  return std::string(kRepeaterRecord).replace(static_cast<size_t>(2 * offset), 2, digits);
}

TEST(ChannelCodecTest, RecordsByteForByteBothWays) {
  Channel repeater = RepeaterChannel();
  // Every field unlike the repeater's: tone index 0 is written 0x00, index 38 as 0x27, DCS
  // index 93 is "654", full-width "－" and "※".
  Channel other;
  other.used = true;
  other.row.cells = {"",        "433.12345MHz", "WFM", "1MHz",     "300Hz", "DCS", "67.0Hz",
                     "250.3Hz", "654",          "－",  "5.000MHz", "※",     "AB"};
  other.step_index = 15, other.tx_tone_index = 0, other.rx_tone_index = 38;
  other.dcs_index = 93, other.train_index = 0;
  std::string other_record = Record(
      "02 7AF0D019 03 0F 404B4C00 02 05 00 27 5D 00 00 3E 01 0A 0000000000000000000000 41004200");
  Channel swapped = repeater;  // tone 0 on receive only, tone 1 (0x02) on transmit
  swapped.tx_tone_index = 1, swapped.rx_tone_index = 0;
  swapped.row[kColTxTone] = "69.3Hz", swapped.row[kColRxTone] = "67.0Hz";
  struct Case {
    const Channel& channel;
    std::string record;
  };
  for (const Case& c : {Case{repeater, kRepeaterRecord}, Case{other, other_record},
                        Case{swapped, RecordWith(13, "02").replace(28, 2, "00")}}) {
    EXPECT_EQ(EncodeChannel(c.channel, 2, "ZR~TQ-M5"), c.record);
    Channel decoded;
    DecodeChannel(decoded, c.record, false);
    if (c.channel.row[kColSkip] == "※") decoded.row[kColSkip] = "※";      // shown as "*"
    if (c.channel.row[kColShift] == "－") decoded.row[kColShift] = "－";  // shown as "-"
    EXPECT_EQ(decoded, c.channel) << c.record;
  }
}

// Texts of the enumerated columns and their bytes; `both` cases also decode back to the text.
TEST(ChannelCodecTest, ColumnTextsAndTheirBytes) {
  struct Case {
    int column;
    const char* text;
    int offset;
    const char* byte;
    bool both;
  };
  // clang-format off
  const Case cases[] = {
      {kColMode, "NFM", 5, "00", true}, {kColMode, "FM", 5, "01", true},
      {kColMode, "AM", 5, "02", true}, {kColMode, "WFM", 5, "03", true},
      {kColMode, "fm", 5, "00", false}, {kColShift, "Off", 11, "00", true},
      {kColShift, "+", 11, "01", true}, {kColShift, "-", 11, "02", true},
      {kColShift, "＋", 11, "01", false}, {kColShift, "?", 11, "00", false},
      {kColToneMode, "None", 12, "00", true}, {kColToneMode, "Train", 12, "01", true},
      {kColToneMode, "Tone", 12, "02", true}, {kColToneMode, "TSQ", 12, "03", true},
      {kColToneMode, "SQ", 12, "04", true}, {kColToneMode, "DCS", 12, "05", true},
      {kColToneMode, "tone", 12, "00", false}, {kColSkip, "*", 19, "01", true},
      {kColSkip, "", 19, "00", true}, {kColSkip, "x", 19, "00", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    Channel channel = RepeaterChannel();
    channel.row[c.column] = c.text;
    EXPECT_EQ(EncodeChannel(channel, 1, "ZR~TQ-M5").substr(2 * c.offset, 2), c.byte) << c.text;
    if (!c.both) continue;
    Channel decoded;
    DecodeChannel(decoded, RecordWith(c.offset, c.byte), false);
    EXPECT_EQ(decoded.row[c.column], c.text) << c.byte;
  }
}

TEST(ChannelCodecTest, StatusByteFollowsBandChannelAndVariant) {
  struct Case {
    const char* frequency;
    int number;
    const char* model;
    const char* status;  // first two digits, or "zero" for a record sent empty
  };
  // clang-format off
  const Case cases[] = {
      {"440.00000MHz", 1, "ZR~TQ-M5", "02"}, {"118.00000MHz", 1, "ZR~TQ-M5", "01"},
      {"145.00000MHz", 1605, "ZR~TQ-M5", "01"}, {"1299.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"1300.00000MHz", 1, "ZR~TQ-M5", "01"}, {"136.00000MHz", 1, "ZR~TQ-M5", "02"},
      {"135.99999MHz", 1, "ZR~TQ-M5", "01"}, {"169.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"170.00000MHz", 1, "ZR~TQ-M5", "01"}, {"469.99999MHz", 1, "ZR~TQ-M5", "02"},
      {"470.00000MHz", 1, "ZR~TQ-M5", "01"}, {"1240.00000MHz", 1, "ZR~TQ-M5", "02"},
      {"849.99000MHz", 1, "ZR~TQ-M5T", "zero"}, {"850.00000MHz", 1, "ZR~TQ-M5T", "01"},
      {"824.00000MHz", 1, "ZR~TQ-M5T", "zero"}, {"823.99999MHz", 1, "ZR~TQ-M5T", "01"},
      {"894.99999MHz", 1, "ZR~TQ-M5T", "zero"}, {"895.00000MHz", 1, "ZR~TQ-M5T", "01"},
      {"849.99000MHz", 1, "ZR~TQ-M5E", "01"},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string record = EncodeChannel(RepeaterChannel(c.frequency), c.number, c.model);
    ASSERT_EQ(record.size(), 128u);
    if (std::string(c.status) == "zero") {
      EXPECT_EQ(record, std::string(128, '0')) << c.frequency << " " << c.model;
    } else {
      EXPECT_EQ(record.substr(0, 2), c.status) << c.frequency << " ch " << c.number;
    }
  }
  Channel unused = RepeaterChannel();
  unused.used = false;
  EXPECT_EQ(EncodeChannel(unused, 1, "ZR~TQ-M5"), std::string(128, '0'));
}

TEST(ChannelCodecTest, TrainToneModeDependsOnTheIdentifiedVariant) {
  for (auto [model, byte] : {std::pair{"ZR~TQ-M5", "01"},
                             {"ZR~TQ-M5J", "01"},
                             {"ZR~TQ-M5E", "00"},
                             {"ZR~TQ-M5T", "00"},
                             {"", "00"}}) {
    Channel channel = RepeaterChannel();
    channel.row[kColToneMode] = "Train";
    EXPECT_EQ(EncodeChannel(channel, 1, model).substr(24, 2), byte) << model;
  }
}

TEST(ChannelCodecTest, DecodeToleratesBytesOutsideTheTables) {
  struct Case {
    std::string record;
    int column;
    const char* text;
  };
  // clang-format off
  const Case cases[] = {
      {RecordWith(13, "01"), kColTxTone, "67.0Hz"}, {RecordWith(13, "28"), kColTxTone, "88.5Hz"},
      {RecordWith(14, "FF"), kColRxTone, "88.5Hz"}, {RecordWith(16, "1D"), kColCarrier, "ＪＲ"},
      {RecordWith(16, "1B"), kColCarrier, "3000Hz"}, {RecordWith(15, "68"), kColDcs, "023"},
      {RecordWith(15, "67"), kColDcs, "754"}, {RecordWith(5, "F3"), kColMode, "WFM"},
      {RecordWith(5, "04"), kColMode, ""}, {RecordWith(11, "03"), kColShift, "Off"},
      {RecordWith(11, "12"), kColShift, "-"}, {RecordWith(19, "11"), kColSkip, "*"},
      {RecordWith(19, "02"), kColSkip, ""}, {RecordWith(6, "1F"), kColStep, "1MHz"},
      {RecordWith(12, "06"), kColToneMode, "DCS"},  // an unknown tone mode keeps the column
      // 0x08A4B71D = 145012509 Hz: the last hertz digit is dropped.
      {RecordWith(1, "1D").replace(4, 4, "B7A4"), kColFreq, "145.01250MHz"},
      {RecordWith(7, "00").replace(16, 4, "0000"), kColShiftFreq, "0.000MHz"},
  };
  // clang-format on
  for (const Case& c : cases) {
    Channel channel;
    channel.row[kColToneMode] = "DCS";
    DecodeChannel(channel, c.record, false);
    EXPECT_TRUE(channel.used) << c.record;
    EXPECT_EQ(channel.row[c.column], c.text) << c.record;
  }
  // Index bytes outside the tables take the empty channel's value, in step with the texts.
  Channel channel;
  DecodeChannel(channel, RecordWith(13, "FF").replace(30, 4, "681D"), false);
  EXPECT_EQ(std::vector<int>({channel.tx_tone_index, channel.dcs_index, channel.train_index}),
            std::vector<int>({8, 0, 28}));
}

TEST(ChannelCodecTest, StatusNibbleZeroClearsTheChannelButKeepsItsLabel) {
  Channel channel = RepeaterChannel();
  channel.row[kColLabel] = "Bank00-000";
  channel.tx_tone_index = 3;
  DecodeChannel(channel, RecordWith(0, "10"), false);
  Channel cleared;
  cleared.row[kColLabel] = "Bank00-000";
  EXPECT_EQ(channel, cleared);
}

}  // namespace
}  // namespace tqm5
