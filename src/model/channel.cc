#include "model/channel.h"

#include <algorithm>
#include <utility>

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

// Status byte: 0x02 on the 144, 430 and 1200 MHz amateur bands, 0x01 elsewhere and always on
// the bug-detector channels.
uint8_t StatusByte(int number, uint32_t hertz) {
  if (IsBugChannel(number)) return 0x01;
  bool amateur = (hertz >= 136000000 && hertz < 170000000) ||
                 (hertz >= 420000000 && hertz < 470000000) ||
                 (hertz >= 1240000000 && hertz < 1300000000);
  return amateur ? 0x02 : 0x01;
}

// Record codes of the modulation and the tone mode, by the value's number.
constexpr std::array<uint8_t, kModulationCount> kModulationCodes = {0x01, 0x02, 0x00, 0x03};
constexpr std::array<uint8_t, kToneModeCount> kToneModeCodes = {0x00, 0x02, 0x03, 0x04, 0x05, 0x01};

// The value of a record code, or nullopt for a code no value has.
template <typename Enum, size_t N>
std::optional<Enum> OfCode(const std::array<uint8_t, N>& codes, int code) {
  for (size_t i = 0; i < N; ++i) {
    if (codes[i] == code) return static_cast<Enum>(i);
  }
  return std::nullopt;
}

// An empty cell sends code 0, as does "Train" on a variant without train tones.
uint8_t ModeCode(std::optional<Modulation> mode) {
  return mode ? kModulationCodes[static_cast<size_t>(*mode)] : 0x00;
}

uint8_t ToneModeCode(std::optional<ToneMode> mode, std::string_view model_command) {
  if (!mode) return 0x00;
  if (*mode == ToneMode::kTrain && model_command != kModelJ && model_command != kModelPlain) {
    return 0x00;
  }
  return kToneModeCodes[static_cast<size_t>(*mode)];
}

uint8_t ToneByte(uint8_t index) { return index == 0 ? 0 : static_cast<uint8_t>(index + 1); }

void PutLittleEndian32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
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

std::string CellText(const Channel& channel, int column) {
  if (column == kColLabel) return channel.label;
  if (channel.blank) return "";
  auto list_text = [](const auto& list, uint8_t index) {
    return index < list.size() ? std::string(list[index]) : std::string();
  };
  switch (column) {
    case kColFreq:
      return channel.frequency_hz ? FrequencyText(*channel.frequency_hz) : "";
    case kColMode:
      return channel.mode ? std::string(ModulationText(*channel.mode)) : "";
    case kColStep:
      return list_text(kStepList, channel.step_index);
    case kColCarrier:
      return channel.half_width_jr ? std::string(kHalfWidthJr)
                                   : list_text(kTrainList, channel.train_index);
    case kColToneMode:
      return channel.tone_mode ? std::string(ToneModeText(*channel.tone_mode)) : "";
    case kColTxTone:
      return list_text(kToneList, channel.tx_tone_index);
    case kColRxTone:
      return list_text(kToneList, channel.rx_tone_index);
    case kColDcs:
      return list_text(kDcsList, channel.dcs_index);
    case kColShift:
      return std::string(ShiftText(channel.shift));
    case kColShiftFreq:
      return OffsetText(channel.offset_hz);
    case kColSkip:
      return std::string(SkipText(channel.skip));
    case kColName:
      return channel.name;
    default:
      return "";
  }
}

void ClearChannel(Channel& channel) {
  // Field by field, so that neither the label nor the name's storage is moved: a load clears
  // some 1600 channels. A field added to `Channel` is reset here too.
  static const Channel kEmpty;
  channel.frequency_hz = kEmpty.frequency_hz;
  channel.mode = kEmpty.mode;
  channel.step_index = kEmpty.step_index;
  channel.train_index = kEmpty.train_index;
  channel.half_width_jr = kEmpty.half_width_jr;
  channel.tone_mode = kEmpty.tone_mode;
  channel.tx_tone_index = kEmpty.tx_tone_index;
  channel.rx_tone_index = kEmpty.rx_tone_index;
  channel.dcs_index = kEmpty.dcs_index;
  channel.shift = kEmpty.shift;
  channel.offset_hz = kEmpty.offset_hz;
  channel.skip = kEmpty.skip;
  channel.name.clear();
  channel.blank = kEmpty.blank;
  channel.used = kEmpty.used;
}

std::string EncodeChannel(const Channel& channel, int number, std::string_view model_command) {
  std::string empty(kRecordHexLength, '0');
  if (!channel.used) return empty;
  uint32_t hertz = channel.frequency_hz.value_or(0);
  if (model_command == kModelT && BlockedForModelT(hertz)) return empty;

  uint8_t record[32] = {};
  record[0] = StatusByte(number, hertz);
  PutLittleEndian32(&record[1], hertz);
  record[5] = ModeCode(channel.mode);
  record[6] = channel.step_index;
  PutLittleEndian32(&record[7], channel.offset_hz);
  record[11] = static_cast<uint8_t>(ShiftDirection(channel.shift));
  record[12] = ToneModeCode(channel.tone_mode, model_command);
  record[13] = ToneByte(channel.tx_tone_index);
  record[14] = ToneByte(channel.rx_tone_index);
  record[15] = channel.dcs_index;
  record[16] = channel.train_index;
  record[17] = 0x00;
  record[18] = 0x3E;
  record[19] = IsSkipped(channel.skip) ? 0x01 : 0x00;
  record[20] = 0x0A;
  return BytesToHex(record) + EncodeTitleCode(channel.name);
}

void DecodeChannel(Channel& channel, std::string_view record_hex, bool model_j) {
  uint8_t record[kNameOffset];
  for (int i = 0; i < kNameOffset; ++i) record[i] = HexByteAt(record_hex, i);
  if ((record[0] & 0x0F) == 0) {
    ClearChannel(channel);
    return;
  }
  channel.blank = false;
  channel.mode = OfCode<Modulation>(kModulationCodes, record[5] & 0x0F);
  channel.step_index = record[6] & 0x0F;
  channel.train_index = record[16] < kTrainCount ? record[16] : kJrTrainIndex;
  channel.half_width_jr = false;
  std::optional<ToneMode> tone_mode = OfCode<ToneMode>(kToneModeCodes, record[12] & 0x0F);
  if (tone_mode) channel.tone_mode = tone_mode;
  auto tone_index = [](uint8_t byte) -> uint8_t {
    int index = byte == 0 ? 0 : byte - 1;
    return index < kToneCount ? static_cast<uint8_t>(index) : 8;
  };
  channel.tx_tone_index = tone_index(record[13]);
  channel.rx_tone_index = tone_index(record[14]);
  channel.dcs_index = record[15] < kDcsCount ? record[15] : 0;
  // The grid shows the frequency to 10 Hz and the offset to 1 kHz, and a write sends what it
  // shows.
  uint32_t hertz = GetLittleEndian32(&record[1]);
  channel.frequency_hz = hertz - hertz % 10;
  int shift = record[11] & 0x0F;
  channel.shift = shift < kShiftDirectionCount ? static_cast<Shift>(shift) : Shift::kOff;
  uint32_t offset = GetLittleEndian32(&record[7]);
  channel.offset_hz = offset - offset % 1000;
  channel.skip = (record[19] & 0x0F) == 1 ? Skip::kYes : Skip::kNo;
  std::string_view name_hex =
      record_hex.size() > 2 * kNameOffset ? record_hex.substr(2 * kNameOffset) : "";
  channel.name = DecodeTitleCode(name_hex, model_j);
  channel.used = true;
}

}  // namespace tqm5
