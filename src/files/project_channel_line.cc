// The project loader's parser of a channel line ("CH"), and the checks that keep a channel from
// taking on the radio a value other than the line's without a word.
#include <string>

#include "files/project_parsers.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/channel.h"
#include "textdata/title_code.h"

namespace tqm5::project_line {
namespace {

// The fixed part of a channel line holds digits, with the decimal points of the frequency and the
// offset at positions 11 and 34. A line of another shape would put its characters into the
// wrong fields; the first position that is wrong, or "" when none is.
std::string ChannelShapeFault(Line line) {
  if (line.size() < kChannelFixedLength) {
    return std::to_string(line.size()) + " characters, the fixed fields need " +
           std::to_string(kChannelFixedLength);
  }
  for (size_t position = 3; position <= kChannelFixedLength; ++position) {
    char32_t c = line[position - 1];
    bool point = position == 11 || position == 34;
    if (point ? c == U'.' : c >= U'0' && c <= U'9') continue;
    return "position " + std::to_string(position) + " should be " + (point ? "\".\"" : "a digit") +
           ", found " + Shown(c);
  }
  return "";
}

// The code of a field that selects an entry of a list of `count` (the mode, the step, a tone);
// a code beyond the list is reported with the codes it may hold (`codes`) and gives `fallback`.
int ListCode(const LineLoad& l, int number, size_t position, size_t width, int count, int column,
             std::string_view codes, int fallback, std::string_view fallback_text) {
  int code = NumberAt(l.line, position, width);
  if (code < count) return code;
  l.Report(std::string(kColumnCaptions[column]), TextAt(l.line, position, width),
           std::to_string(code) + " is not " + std::string(codes) + "; loaded as " +
               std::string(fallback_text),
           number);
  return fallback;
}

// The frequency and offset decide whether the channel can be loaded at all: out of range the
// channel is emptied. Returns false after reporting.
bool FrequenciesInRange(const LineLoad& l, int number, Channel& channel) {
  int64_t hertz = int64_t{NumberAt(l.line, 7, 4)} * 1000000 + NumberAt(l.line, 12, 5) * 10;
  int64_t offset = int64_t{NumberAt(l.line, 31, 3)} * 1000000 + NumberAt(l.line, 35, 3) * 1000;
  std::string fault = FrequencyRangeFault(hertz);
  int column = kColFreq;
  std::string value = TextAt(l.line, 7, 10);
  if (fault.empty()) {
    fault = OffsetRangeFault(offset);
    column = kColShiftFreq;
    value = TextAt(l.line, 31, 7);
  }
  if (fault.empty()) return true;
  ClearChannel(channel);
  l.Report(std::string(kColumnCaptions[column]), value, fault, number, true);
  return false;
}

// The codes of an enumeration's first `count` values with their texts: "0..3 (FM, AM, NFM, WFM)".
template <typename Enum>
std::string CodesOf(std::string_view (*text)(Enum), int count) {
  std::string codes = "0.." + std::to_string(count - 1) + " (";
  for (int i = 0; i < count; ++i) {
    codes += std::string(i == 0 ? "" : ", ") + std::string(text(static_cast<Enum>(i)));
  }
  return codes + ")";
}

// What each coded field of a channel line may hold, as a problem names it; built once, since
// every channel line of every file reads them.
struct FieldCodes {
  std::string mode = CodesOf(ModulationText, kModulationCount);
  std::string train = "in the list " + ListRange(kTrainCount);
  std::string tone_mode = CodesOf(ToneModeText, kToneModeCount);
  std::string tones = "in the list " + ListRange(kToneCount);
  std::string dcs = "in the list " + ListRange(kDcsCount);
  std::string shift = CodesOf(ShiftText, kShiftDirectionCount);
};

const FieldCodes& Codes() {
  static const FieldCodes codes;
  return codes;
}

}  // namespace

void ParseChannel(const LineLoad& l) {
  Line line = l.line;
  std::optional<int> index = DigitsAt(line, 3, 4);
  int number = index ? *index + 1 : 0;
  if (number > kChannelCount) {
    l.Report(
        "", "",
        "channel number " + std::to_string(number) + " is beyond 1623" + std::string(kNotLoaded));
    return;
  }
  if (number > 0) l.ChannelKey(number);
  std::string shape = ChannelShapeFault(line);
  if (!shape.empty()) {
    if (number > 0) ClearChannel(l.image.channel(number));
    l.Report("", "", "channel line: " + shape + std::string(kNotLoaded), number, number > 0);
    return;
  }
  Channel& channel = l.image.channel(number);
  if (!FrequenciesInRange(l, number, channel)) return;

  Channel loaded;
  loaded.label = channel.label;
  loaded.blank = false;
  loaded.frequency_hz =
      static_cast<uint32_t>(int64_t{NumberAt(line, 7, 4)} * 1000000 + NumberAt(line, 12, 5) * 10);
  if (l.image.model_option == ModelOption::kT && BlockedForModelT(*loaded.frequency_hz)) {
    l.Report(std::string(kColumnCaptions[kColFreq]), TextAt(line, 7, 10),
             "the radio of model option T cannot hold 824..849.99999 or 869..894.99999 MHz and "
             "is sent an empty channel in its place; loaded as it is",
             number);
  }

  loaded.mode = static_cast<Modulation>(ListCode(l, number, 17, 1, kModulationCount, kColMode,
                                                 Codes().mode, 0, ModulationText(Modulation::kFm)));
  loaded.step_index = static_cast<uint8_t>(
      ListCode(l, number, 18, 2, kStepCount, kColStep, "0..15", 0, kStepList[0]));
  loaded.train_index =
      static_cast<uint8_t>(ListCode(l, number, 20, 2, kTrainCount, kColCarrier, Codes().train,
                                    kJrTrainIndex, kTrainList[kJrTrainIndex]));

  auto tone_mode =
      static_cast<ToneMode>(ListCode(l, number, 22, 1, kToneModeCount, kColToneMode,
                                     Codes().tone_mode, 0, ToneModeText(ToneMode::kNone)));
  if (tone_mode == ToneMode::kTrain && !UsesGlyphCharacters(l.image)) {
    // Train tones exist only on the "J" variant; the others are sent "None".
    l.Report(std::string(kColumnCaptions[kColToneMode]), "5",
             "Train: the radio of model option " +
                 std::string(ModelOptionName(l.image.model_option)) +
                 " has no train tones; loaded as None",
             number);
    tone_mode = ToneMode::kNone;
  }
  loaded.tone_mode = tone_mode;

  std::string_view tones = Codes().tones;
  loaded.tx_tone_index = static_cast<uint8_t>(
      ListCode(l, number, 23, 2, kToneCount, kColTxTone, tones, 8, kToneList[8]));
  loaded.rx_tone_index = static_cast<uint8_t>(
      ListCode(l, number, 25, 2, kToneCount, kColRxTone, tones, 8, kToneList[8]));
  loaded.dcs_index = static_cast<uint8_t>(
      ListCode(l, number, 27, 3, kDcsCount, kColDcs, Codes().dcs, 0, kDcsList[0]));

  loaded.shift = static_cast<Shift>(ListCode(l, number, 30, 1, kShiftDirectionCount, kColShift,
                                             Codes().shift, 0, ShiftText(Shift::kOff)));
  loaded.offset_hz = static_cast<uint32_t>(int64_t{NumberAt(line, 31, 3)} * 1000000 +
                                           NumberAt(line, 35, 3) * 1000);
  loaded.skip = ListCode(l, number, 38, 1, 2, kColSkip, "0 or 1", 0, "not skipped") == 1
                    ? Skip::kYes
                    : Skip::kNo;
  std::string name = TextAt(line, kChannelFixedLength + 1);
  RadioTextCheck check = CheckRadioText(name);
  if (!check.fault.empty()) {
    l.Report(std::string(kColumnCaptions[kColName]), name,
             check.fault + "; loaded as " + Quote(check.kept), number);
  }
  loaded.name = std::move(check.kept);
  loaded.used = true;
  channel = std::move(loaded);
}

}  // namespace tqm5::project_line
