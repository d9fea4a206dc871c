#include "model/channel.h"

#include <algorithm>

#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

constexpr std::string_view kModelT = "ZR~TQ-M5T";
constexpr std::string_view kModelJ = "ZR~TQ-M5J";
constexpr std::string_view kModelPlain = "ZR~TQ-M5";

constexpr int kNameOffset = 32;

// Hertz of a frequency text: its numeric prefix in MHz, rounded to the nearest hertz. The
// record field is 32 bits wide; larger texts saturate rather than wrap.
uint32_t TextToHertz(std::string_view text) {
  int64_t hertz = ScaledPrefix(text, 6);
  return static_cast<uint32_t>(std::min<int64_t>(hertz, 0xFFFFFFFF));
}

// Status byte: 0x02 on the 144, 430 and 1200 MHz amateur bands, 0x01 elsewhere and always on
// the bug-detector channels.
uint8_t StatusByte(int number, uint32_t hertz) {
  if (IsBugChannel(number)) return 0x01;
  bool amateur = (hertz >= 136000000 && hertz < 170000000) ||
                 (hertz >= 420000000 && hertz < 470000000) ||
                 (hertz >= 1240000000 && hertz < 1300000000);
  return amateur ? 0x02 : 0x01;
}

uint8_t ModeCode(std::string_view text) {
  if (text == "FM") return 0x01;
  if (text == "AM") return 0x02;
  if (text == "WFM") return 0x03;
  return 0x00;
}

uint8_t ShiftCode(std::string_view text) {
  if (text == "+" || text == "＋") return 0x01;
  if (text == "-" || text == "－") return 0x02;
  return 0x00;
}

uint8_t ToneModeCode(std::string_view text, std::string_view model_command) {
  if (text == "Tone") return 0x02;
  if (text == "TSQ") return 0x03;
  if (text == "SQ") return 0x04;
  if (text == "DCS") return 0x05;
  if (text == "Train") return (model_command == kModelJ || model_command == kModelPlain) ? 1 : 0;
  return 0x00;
}

uint8_t ToneByte(uint8_t index) { return index == 0 ? 0 : static_cast<uint8_t>(index + 1); }

void PutLittleEndian32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// `value` / 1,000,000, ".", then the first `digits` of the six-digit remainder, then "MHz".
std::string MegahertzText(uint32_t hertz, int digits) {
  std::string text = std::to_string(hertz / 1000000);
  text += '.';
  text.append(ZeroPad(hertz % 1000000, 6), 0, static_cast<size_t>(digits));
  text += "MHz";
  return text;
}

}  // namespace

std::string FrequencyRangeFault(int64_t hertz) {
  if (hertz >= kLowestFrequencyHertz && hertz <= kHighestFrequencyHertz) return "";
  return "out of range 0.53099..1299.99999 MHz";
}

std::string OffsetRangeFault(int64_t hertz) {
  if (hertz >= 0 && hertz <= kHighestOffsetHertz) return "";
  return "out of range 0..999.995 MHz";
}

bool BlockedForModelT(int64_t hertz) {
  return (hertz >= 824000000 && hertz < 850000000) || (hertz >= 869000000 && hertz < 895000000);
}

void ClearChannel(Channel& channel) {
  // In place: a load clears every channel, and most of them are empty already.
  for (int column = kColLabel + 1; column < kColumnCount; ++column) channel.row[column].clear();
  static const Channel* const empty = new Channel();  // the empty channel's index bytes
  channel.step_index = empty->step_index;
  channel.tx_tone_index = empty->tx_tone_index;
  channel.rx_tone_index = empty->rx_tone_index;
  channel.dcs_index = empty->dcs_index;
  channel.train_index = empty->train_index;
  channel.used = empty->used;
}

std::string EncodeChannel(const Channel& channel, int number, std::string_view model_command) {
  std::string empty(kRecordHexLength, '0');
  if (!channel.used) return empty;
  const ChannelRow& row = channel.row;
  uint32_t hertz = TextToHertz(row[kColFreq]);
  if (model_command == kModelT && BlockedForModelT(hertz)) return empty;

  uint8_t record[32] = {};
  record[0] = StatusByte(number, hertz);
  PutLittleEndian32(&record[1], hertz);
  record[5] = ModeCode(row[kColMode]);
  record[6] = channel.step_index;
  PutLittleEndian32(&record[7], TextToHertz(row[kColShiftFreq]));
  record[11] = ShiftCode(row[kColShift]);
  record[12] = ToneModeCode(row[kColToneMode], model_command);
  record[13] = ToneByte(channel.tx_tone_index);
  record[14] = ToneByte(channel.rx_tone_index);
  record[15] = channel.dcs_index;
  record[16] = channel.train_index;
  record[17] = 0x00;
  record[18] = 0x3E;
  record[19] = (row[kColSkip] == "*" || row[kColSkip] == "※") ? 0x01 : 0x00;
  record[20] = 0x0A;
  return BytesToHex(record) + EncodeTitleCode(row[kColName]);
}

void DecodeChannel(Channel& channel, std::string_view record_hex, bool model_j) {
  uint8_t record[kNameOffset];
  for (int i = 0; i < kNameOffset; ++i) record[i] = HexByteAt(record_hex, i);
  if ((record[0] & 0x0F) == 0) {
    ClearChannel(channel);
    return;
  }
  ChannelRow& row = channel.row;
  int mode = record[5] & 0x0F;
  row[kColMode] = mode < 4 ? std::string(kRecordModeText[static_cast<size_t>(mode)]) : "";

  channel.step_index = record[6] & 0x0F;
  row[kColStep] = kStepList[channel.step_index];

  channel.train_index = record[16] < kTrainCount ? record[16] : 28;
  row[kColCarrier] = kTrainList[channel.train_index];

  int tone_mode = record[12] & 0x0F;
  if (tone_mode < 6) row[kColToneMode] = kRecordToneModeText[static_cast<size_t>(tone_mode)];

  auto tone_index = [](uint8_t byte) -> uint8_t {
    int index = byte == 0 ? 0 : byte - 1;
    return index < kToneCount ? static_cast<uint8_t>(index) : 8;
  };
  channel.tx_tone_index = tone_index(record[13]);
  row[kColTxTone] = kToneList[channel.tx_tone_index];
  channel.rx_tone_index = tone_index(record[14]);
  row[kColRxTone] = kToneList[channel.rx_tone_index];

  channel.dcs_index = record[15] < kDcsCount ? record[15] : 0;
  row[kColDcs] = kDcsList[channel.dcs_index];

  row[kColFreq] = FrequencyText(GetLittleEndian32(&record[1]));
  int shift = record[11] & 0x0F;
  row[kColShift] = shift < 3 ? kShiftText[static_cast<size_t>(shift)] : kShiftText[0];
  row[kColShiftFreq] = OffsetText(GetLittleEndian32(&record[7]));
  row[kColSkip].assign((record[19] & 0x0F) == 1 ? 1 : 0, '*');
  std::string_view name_hex =
      record_hex.size() > 2 * kNameOffset ? record_hex.substr(2 * kNameOffset) : "";
  row[kColName] = DecodeTitleCode(name_hex, model_j);
  channel.used = true;
}

std::string FrequencyText(uint32_t hertz) { return MegahertzText(hertz, 5); }

std::string OffsetText(uint32_t hertz) { return MegahertzText(hertz, 3); }

}  // namespace tqm5
