#include "model/channel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "support/channel_cells.h"

namespace tqm5 {
namespace {

using testing::Cells;
using testing::CellsOf;
using testing::SetCells;

// The 145 MHz repeater channel 1: FM, 5KHz, "+" 0.600MHz, Tone 88.5Hz, DCS 023, carrier ＪＲ,
// and its record as written by hand, byte by byte.
// Record digits written with a space between fields; the rest of the 128 digits are "0".
std::string Record(std::string digits) {
  std::erase(digits, ' ');
  return digits.append(128 - digits.size(), '0');
}

const std::string kRepeaterRecord =
    Record("02 4086A408 01 00 C0270900 01 02 09 09 00 1C 00 3E 00 0A");

Channel RepeaterChannel(std::string frequency = "145.00000MHz") {
  Channel channel;
  channel.used = true;
  SetCells(channel, {frequency, "FM", "5KHz", "ＪＲ", "Tone", "88.5Hz", "88.5Hz", "023", "+",
                     "0.600MHz", "", ""});
  return channel;
}

// kRepeaterRecord with the bytes from `offset` on replaced by `digits`.
std::string RecordWith(int offset, std::string_view digits) {
  return std::string(kRepeaterRecord).replace(2 * offset, digits.size(), digits);
}

TEST(ChannelCodecTest, RecordsByteForByteBothWays) {
  Channel repeater = RepeaterChannel();
  // Every field unlike the repeater's: tone index 0 is written 0x00, index 38 as 0x27, DCS
  // index 93 is "654", full-width "－" and "※".
  Channel other;
  other.used = true;
  SetCells(other, {"433.12345MHz", "WFM", "1MHz", "300Hz", "DCS", "67.0Hz", "250.3Hz", "654", "－",
                   "5.000MHz", "※", "AB"});
  EXPECT_EQ(std::vector<int>({other.step_index, other.tx_tone_index, other.rx_tone_index,
                              other.dcs_index, other.train_index}),
            std::vector<int>({15, 0, 38, 93, 0}));
  std::string other_record = Record(
      "02 7AF0D019 03 0F 404B4C00 02 05 00 27 5D 00 00 3E 01 0A 0000000000000000000000 41004200");
  Channel swapped = repeater;  // tone 0 on receive only, tone 1 (0x02) on transmit
  swapped.tx_tone_index = 1, swapped.rx_tone_index = 0;
  for (auto [channel, record] : {std::pair{&repeater, kRepeaterRecord},
                                 {&other, other_record},
                                 {&swapped, RecordWith(13, "02").replace(28, 2, "00")}}) {
    EXPECT_EQ(EncodeChannel(*channel, 2, "ZR~TQ-M5"), record);
    Channel decoded;
    DecodeChannel(decoded, record, false);
    if (channel->skip == Skip::kYesMark) decoded.skip = Skip::kYesMark;  // shown as "*"
    if (channel->shift == Shift::kMinusFullWidth) decoded.shift = Shift::kMinusFullWidth;
    EXPECT_EQ(decoded, *channel) << record;
  }
}

// Column texts and the record bytes at `offset`: "E" cases encode the text, "D" cases decode
// the bytes (a byte outside the tables decodes to a fixed text), "B" cases go both ways. A text
// that names no value is an empty cell, which sends code 0.
TEST(ChannelCodecTest, ColumnTextsAndTheirBytes) {
  // An unknown tone mode keeps the column; 145012509 Hz drops its last digit.
  // Rows of text, bytes and way for each column and its offset.
  using Rows = std::vector<std::tuple<const char*, const char*, char>>;
  // clang-format off
  for (const auto& [column, offset, rows] : {std::tuple{kColMode, 5, Rows{{"NFM", "00", 'B'},
       {"FM", "01", 'B'}, {"AM", "02", 'B'}, {"WFM", "03", 'B'}, {"fm", "00", 'E'},
       {"WFM", "F3", 'D'}, {"", "04", 'D'}}}, {kColShift, 11, {{"Off", "00", 'B'}, {"+", "01", 'B'},
       {"-", "02", 'B'}, {"＋", "01", 'E'}, {"?", "00", 'E'}, {"Off", "03", 'D'}, {"-", "12", 'D'}}},
       {kColToneMode, 12, {{"None", "00", 'B'}, {"Train", "01", 'B'}, {"Tone", "02", 'B'},
        {"TSQ", "03", 'B'}, {"SQ", "04", 'B'}, {"DCS", "05", 'B'}, {"tone", "00", 'E'},
        {"DCS", "06", 'D'}}}, {kColSkip, 19, {{"*", "01", 'B'}, {"", "00", 'B'}, {"x", "00", 'E'},
        {"*", "11", 'D'}, {"", "02", 'D'}}}, {kColRxTone, 14, {{"88.5Hz", "FF", 'D'}}},
       {kColTxTone, 13, {{"67.0Hz", "01", 'D'}, {"88.5Hz", "28", 'D'}}},
       {kColCarrier, 16, {{"ＪＲ", "1D", 'D'}, {"3000Hz", "1B", 'D'}}},
       {kColDcs, 15, {{"023", "68", 'D'}, {"754", "67", 'D'}}},
       {kColStep, 6, {{"1MHz", "1F", 'D'}}}, {kColShiftFreq, 7, {{"0.000MHz", "000000", 'D'}}},
       {kColFreq, 1, {{"145.01250MHz", "1DB7A408", 'D'}}}}) for (auto [text, bytes, way] : rows) {
      // clang-format on
      if (way != 'D') {
        Channel channel = RepeaterChannel();
        Cells cells = CellsOf(channel);
        cells[static_cast<size_t>(column - 1)] = text;
        SetCells(channel, cells);
        EXPECT_EQ(EncodeChannel(channel, 1, "ZR~TQ-M5").substr(2 * offset, strlen(bytes)), bytes)
            << text;
      }
      if (way == 'E') continue;
      Channel decoded;
      decoded.tone_mode = ToneMode::kDcs;
      DecodeChannel(decoded, RecordWith(offset, bytes), false);
      EXPECT_TRUE(decoded.used) << bytes;
      EXPECT_EQ(CellText(decoded, column), text) << bytes;
    }
  // A record read and written back sends what the grid shows: the frequency to 10 Hz (145012509
  // Hz goes back as 145012500), the offset to 1 kHz (600500 Hz as 600000).
  for (auto [offset, read, written] :
       {std::tuple{1, "1DB7A408", "14B7A408"}, {7, "F4290900", "C0270900"}}) {
    Channel channel;
    DecodeChannel(channel, RecordWith(offset, read), false);
    EXPECT_EQ(EncodeChannel(channel, 2, "ZR~TQ-M5").substr(2 * offset, 8), written) << read;
  }
  // Index bytes outside the tables take the empty channel's value, in step with the texts.
  Channel channel;
  DecodeChannel(channel, RecordWith(13, "FF").replace(30, 4, "681D"), false);
  EXPECT_EQ(std::vector<int>({channel.tx_tone_index, channel.dcs_index, channel.train_index}),
            std::vector<int>({8, 0, 28}));
  // Status nibble 0 clears the channel but keeps its label.
  channel = RepeaterChannel();
  channel.label = "Bank00-000", channel.tx_tone_index = 3;
  DecodeChannel(channel, RecordWith(0, "10"), false);
  Channel cleared;
  cleared.label = "Bank00-000";
  EXPECT_EQ(channel, cleared);
}

// First record byte by band, channel and identified variant ("" for a record sent empty), and
// the tone-mode byte of "Train" by variant.
TEST(ChannelCodecTest, StatusAndTrainBytesFollowBandChannelAndVariant) {
  // clang-format off
  for (auto [frequency, number, variant, status] : {std::tuple{"440.00000MHz", 1, "", "02"},
       {"118.00000MHz", 1, "", "01"}, {"145.00000MHz", 1605, "", "01"},
       {"1299.99999MHz", 1, "", "02"}, {"1300.00000MHz", 1, "", "01"},
       {"136.00000MHz", 1, "", "02"}, {"135.99999MHz", 1, "", "01"}, {"169.99999MHz", 1, "", "02"},
       {"170.00000MHz", 1, "", "01"}, {"469.99999MHz", 1, "", "02"}, {"470.00000MHz", 1, "", "01"},
       {"1240.00000MHz", 1, "", "02"}, {"849.99000MHz", 1, "T", ""}, {"850.00000MHz", 1, "T", "01"},
       {"824.00000MHz", 1, "T", ""}, {"823.99999MHz", 1, "T", "01"}, {"894.99999MHz", 1, "T", ""},
       {"895.00000MHz", 1, "T", "01"}, {"849.99000MHz", 1, "E", "01"}}) {
    // clang-format on
    std::string record =
        EncodeChannel(RepeaterChannel(frequency), number, std::string("ZR~TQ-M5") + variant);
    EXPECT_EQ(record.substr(0, *status ? 2 : 128), *status ? status : std::string(128, '0'))
        << frequency << " " << variant;
  }
  Channel channel = RepeaterChannel();
  channel.used = false;
  EXPECT_EQ(EncodeChannel(channel, 1, "ZR~TQ-M5"), std::string(128, '0'));
  channel.used = true;
  channel.tone_mode = ToneMode::kTrain;
  // clang-format off
  for (auto [model, byte] : {std::pair{"ZR~TQ-M5", "01"}, {"ZR~TQ-M5J", "01"}, {"ZR~TQ-M5E", "00"},
                             {"ZR~TQ-M5T", "00"}, {"", "00"}}) {
    // clang-format on
    EXPECT_EQ(EncodeChannel(channel, 1, model).substr(24, 2), byte) << model;
  }
}

}  // namespace
}  // namespace tqm5
