#include "editing/channel_edit.h"

#include <algorithm>
#include <cstdint>

#include "image/frequency_text.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "textdata/cp932.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

// Frequencies in units of 10 Hz (megahertz x 100000 + the five-digit fraction).
constexpr int64_t kLowestFrequency = 53099;       // 0.53099 MHz
constexpr int64_t kHighestFrequency = 129999999;  // 1299.99999 MHz
constexpr int64_t kHighestMhzBox = 1300;          // a larger megahertz box becomes "145"
constexpr int64_t kHighestOffset = 999995;        // kilohertz

// The band of each call channel and the frequency its boxes fall back to.
struct CallBand {
  int number;
  int64_t low, high;
  const char* mhz;
};
constexpr CallBand kCallBands[] = {{1401, 13600000, 16999999, "145"},
                                   {1402, 42000000, 46999999, "433"},
                                   {1403, 124000000, 129999999, "1295"}};

bool IsCallChannel(int number) { return number >= kFirstCallChannel && number <= kLastCallChannel; }
bool IsDualChannel(int number) { return number >= kFirstDualChannel && number <= kLastDualChannel; }

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

// Value of a text of digits, capped far above every limit the dialog checks.
int64_t DigitValue(std::string_view digits) {
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = std::min<int64_t>(value * 10 + (c - '0'), int64_t{1} << 40);
  }
  return value;
}

// The number a text of digits forms, without leading zeros ("0" for zeros only).
std::string WithoutLeadingZeros(std::string_view digits) {
  size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

// The frequency of the boxes in units of 10 Hz; the fraction counts as five digits.
int64_t BoxFrequency(const ChannelForm& form) {
  std::string fraction = form.freq_fraction.substr(0, kFreqFractionDigits);
  fraction.resize(kFreqFractionDigits, '0');
  return DigitValue(form.freq_mhz) * 100000 + DigitValue(fraction);
}

bool InRange(int64_t frequency) {
  return frequency >= kLowestFrequency && frequency <= kHighestFrequency;
}

void FillColumn(ChannelForm& form, const Channel& channel, int number, bool model_j) {
  form.label = channel.label;
  // The frequency as the grid shows it: the megahertz, and the five digits after the point.
  if (!channel.blank && channel.frequency_hz) {
    form.freq_mhz = std::to_string(*channel.frequency_hz / 1000000);
    form.freq_fraction = ZeroPad(*channel.frequency_hz % 1000000 / 10, kFreqFractionDigits);
  }
  form.mode = channel.blank || !channel.mode ? 0 : static_cast<int>(*channel.mode);
  form.step = channel.step_index < kStepCount ? channel.step_index : 0;
  form.train = channel.train_index < kTrainCount ? channel.train_index : kDefaultTrain;
  form.tone_mode = channel.blank || !channel.tone_mode ? 0 : static_cast<int>(*channel.tone_mode);
  // Train tones exist only on the "J" variant; elsewhere such a channel shows "None".
  if (form.tone_mode == static_cast<int>(ToneMode::kTrain) && !model_j) form.tone_mode = 0;
  form.tx_tone = channel.tx_tone_index < kToneCount ? channel.tx_tone_index : kDefaultTone;
  form.rx_tone = channel.rx_tone_index < kToneCount ? channel.rx_tone_index : kDefaultTone;
  form.dcs = channel.dcs_index < kDcsCount ? channel.dcs_index : 0;
  form.shift = ShiftDirection(channel.shift);
  // The offset's megahertz and kilohertz, when the boxes can hold them (three digits each).
  std::string offset_mhz = std::to_string(channel.offset_hz / 1000000);
  if (!channel.blank && offset_mhz.size() <= kOffsetMhzDigits) {
    form.offset_mhz = offset_mhz;
    form.offset_khz = ZeroPad(channel.offset_hz % 1000000 / 1000, kOffsetKhzDigits);
  }
  // "※" is the skip mark a CSV file may carry; the dialog shows it checked like "*", so that
  // OK does not drop the mark.
  form.skip = IsSkipped(channel.skip);
  form.name = channel.name;
  form.am_wfm_enabled = !IsCallChannel(number) && !IsDualChannel(number);
}

// OK's first cleaning of the frequency boxes: digits only, a megahertz value above 1300 becomes
// "145", and the fraction is completed with "0" on the right to five digits.
void CleanFrequencyBoxes(ChannelForm& form) {
  form.freq_mhz = DigitsOf(form.freq_mhz);
  if (DigitValue(form.freq_mhz) > kHighestMhzBox) form.freq_mhz = "145";
  form.freq_fraction = DigitsOf(form.freq_fraction);
  if (form.freq_fraction.size() < kFreqFractionDigits) {
    form.freq_fraction.resize(kFreqFractionDigits, '0');
  }
}

// A call channel stays in its band: any other frequency becomes the band's default.
void KeepCallBand(ChannelForm& form, int number) {
  for (const CallBand& band : kCallBands) {
    if (band.number != number) continue;
    int64_t frequency = BoxFrequency(form);
    if (frequency < band.low || frequency > band.high) {
      form.freq_mhz = band.mhz;
      form.freq_fraction = "00000";
    }
  }
}

// Channels that are neither call nor dual channels: the boxes are normalised and a frequency
// the radio cannot receive empties them.
void NormaliseFrequencyBoxes(ChannelForm& form) {
  size_t mhz_length = form.freq_mhz.size();
  form.freq_mhz = mhz_length >= 1 && mhz_length <= kFreqMhzDigits
                      ? WithoutLeadingZeros(form.freq_mhz)
                      : std::string();
  size_t fraction_length = form.freq_fraction.size();
  if (fraction_length < 1 || fraction_length > kFreqFractionDigits) form.freq_fraction = "00000";
  if (!InRange(BoxFrequency(form))) {
    form.freq_mhz.clear();
    form.freq_fraction.clear();
  }
}

// The stored frequency text of a column; empty (and the boxes emptied) when the channel is to be
// emptied.
std::string FrequencyTextOf(ChannelForm& form) {
  if (form.freq_mhz.empty() && form.freq_fraction.empty()) return "";
  std::string text = (form.freq_mhz.empty() ? "0" : form.freq_mhz) + "." +
                     (form.freq_fraction.empty() ? "00000" : form.freq_fraction);
  if (!InRange(BoxFrequency(form))) {
    form.freq_mhz.clear();
    form.freq_fraction.clear();
    return "";
  }
  return text;
}

// The stored offset text; boxes of the wrong length, or an offset above 999.995 MHz, fall back
// to 0.000.
std::string OffsetTextOf(ChannelForm& form) {
  size_t mhz_length = Utf8ToU32(form.offset_mhz).size();
  size_t khz_length = Utf8ToU32(form.offset_khz).size();
  if (mhz_length < 1 || mhz_length > kOffsetMhzDigits) form.offset_mhz = "0";
  if (khz_length < 1 || khz_length > kOffsetKhzDigits) form.offset_khz = "000";
  if (DigitValue(form.offset_mhz) * 1000 + DigitValue(form.offset_khz) > kHighestOffset) {
    form.offset_mhz = "0";
    form.offset_khz = "000";
  }
  return form.offset_mhz + "." + form.offset_khz;
}

// OK steps that every column goes through: frequency text, name filter, offset, positions.
EditBuffer StoreColumn(ChannelForm& form) {
  EditBuffer buffer;
  buffer.frequency = FrequencyTextOf(form);
  form.name = FilterRadioText(form.name);
  buffer.offset = OffsetTextOf(form);
  buffer.form = form;
  return buffer;
}

// An emptied row of the apply step: every column empty and every index byte 0 (not the empty
// channel's defaults).
void EmptyRow(Channel& channel) {
  ClearChannel(channel);
  channel.step_index = 0;
  channel.tx_tone_index = 0;
  channel.rx_tone_index = 0;
  channel.dcs_index = 0;
  channel.train_index = 0;
}

// The hertz of a text the dialog stored ("145.50000", "0.600"); the stored texts are always
// numbers the channel can hold.
uint32_t StoredHertz(std::string_view text) {
  return static_cast<uint32_t>(MegahertzToHertz(text).value_or(0));
}

// Writes a buffer into a row. An empty frequency keeps the row's frequency.
void WriteRow(Channel& channel, const EditBuffer& buffer) {
  const ChannelForm& form = buffer.form;
  channel.blank = false;
  if (!buffer.frequency.empty()) channel.frequency_hz = StoredHertz(buffer.frequency);
  channel.mode = static_cast<Modulation>(form.mode);
  channel.step_index = static_cast<uint8_t>(form.step);
  channel.train_index = static_cast<uint8_t>(form.train);
  channel.half_width_jr = false;
  channel.tone_mode = static_cast<ToneMode>(form.tone_mode);
  channel.tx_tone_index = static_cast<uint8_t>(form.tx_tone);
  channel.rx_tone_index = static_cast<uint8_t>(form.rx_tone);
  channel.dcs_index = static_cast<uint8_t>(form.dcs);
  channel.shift = static_cast<Shift>(form.shift);
  channel.offset_hz = StoredHertz(buffer.offset);
  channel.skip = form.skip ? Skip::kYes : Skip::kNo;
  channel.name = form.name;
}

std::string_view Part(std::string_view text, size_t first, size_t count) {
  return first > text.size() ? std::string_view() : text.substr(first, count);
}

}  // namespace

int DialogChannelForRow(int row) {
  if (row < 1 || row >= kFirstBugChannel) return 0;
  // A dual pair opens from its "(Main)" row: 1101, 1103, ..; "(Sub)" rows are 1102, 1104, ..
  if (row > kFirstDualChannel && row <= kLastDualChannel && (row - kFirstDualChannel) % 2 == 1) {
    return row - 1;
  }
  return row;
}

ChannelDialogState OpenChannelDialogState(const MemoryImage& image, int number) {
  ChannelDialogState dialog;
  dialog.number = number;
  dialog.dual = IsDualChannel(number);
  dialog.train_visible = UsesGlyphCharacters(image);
  FillColumn(dialog.columns[0], image.channel(number), number, dialog.train_visible);
  if (dialog.dual && number < kLastDualChannel) {
    FillColumn(dialog.columns[1], image.channel(number + 1), number + 1, dialog.train_visible);
  }
  return dialog;
}

void ClearColumn(ChannelForm& form) {
  ChannelForm cleared;
  cleared.label = form.label;
  cleared.am_wfm_enabled = form.am_wfm_enabled;
  form = cleared;
}

bool DigitBoxAccepts(std::string_view current, char32_t c, int max_digits) {
  if (c == 8) return true;
  if (c < U'0' || c > U'9') return false;
  return Utf8ToU32(current).size() < static_cast<size_t>(max_digits);
}

bool NameBoxAccepts(std::string_view current, char32_t c) {
  constexpr char32_t kPaste = 22;  // Ctrl+V
  if (c == 8) return true;
  if (c == kPaste) return false;
  return NameAcceptsChar(current, c);
}

std::string LeaveOffsetMhz(std::string_view text) {
  std::string digits = DigitsOf(text);
  return digits.empty() ? "0" : WithoutLeadingZeros(digits);
}

std::string LeaveOffsetKhz(std::string_view text, std::string_view offset_mhz) {
  std::string digits = DigitsOf(text);
  if (offset_mhz == "999" && !digits.empty() && DigitValue(digits) >= 996) digits = "995";
  if (digits.size() > static_cast<size_t>(kOffsetKhzDigits)) return "000";
  digits.resize(kOffsetKhzDigits, '0');
  return digits;
}

ChannelEdit ConfirmChannelDialog(ChannelDialogState& dialog) {
  ChannelEdit edit;
  edit.number = dialog.number;
  ChannelForm& main = dialog.columns[0];
  ChannelForm& sub = dialog.columns[1];
  CleanFrequencyBoxes(main);
  if (dialog.dual) CleanFrequencyBoxes(sub);
  if (IsCallChannel(dialog.number)) {
    KeepCallBand(main, dialog.number);
  } else if (!dialog.dual) {
    NormaliseFrequencyBoxes(main);
  }
  edit.buffers[0] = StoreColumn(main);
  edit.used[0] = !edit.buffers[0].frequency.empty();
  if (!dialog.dual) {
    // A single channel emptied changes only its used flag.
    edit.result = edit.used[0] ? kEditSingle : kEditNothing;
    return edit;
  }
  edit.buffers[1] = StoreColumn(sub);
  edit.used[1] = !edit.buffers[1].frequency.empty();
  edit.result = edit.used[0] ? (edit.used[1] ? kEditBothSet : kEditSubEmptied)
                             : (edit.used[1] ? kEditMainEmptied : kEditBothEmptied);
  return edit;
}

Outcome ApplyChannelEdit(MemoryImage& image, const ChannelEdit& edit) {
  Outcome none = SilentOutcome(OutcomeKind::kDone, "");
  bool dual = IsDualChannel(edit.number) && edit.number < kLastDualChannel;
  Channel& main = image.channel(edit.number);
  main.used = edit.used[0];
  if (edit.result == kEditNothing) return none;
  if (edit.result == kEditMainEmptied) {
    EmptyRow(main);
  } else {
    if (IsPassChannel(edit.number) &&
        PassFrequencyOverlaps(image, edit.number, edit.buffers[0].frequency)) {
      main.used = false;
      return MessageOutcome(OutcomeKind::kEditRefused, "Overlaps in Frequency", " Error",
                            OutcomeIcon::kNone);
    }
    WriteRow(main, edit.buffers[0]);
  }
  if (!dual) return none;
  // The sub row is emptied and, when the dialog set it, written from the second column. It
  // keeps the used flag OK gave it, so a sub channel the user set is written to the radio.
  Channel& sub = image.channel(edit.number + 1);
  EmptyRow(sub);
  if (edit.result == kEditMainEmptied || edit.result == kEditBothSet) {
    WriteRow(sub, edit.buffers[1]);
  }
  sub.used = edit.used[1];
  return none;
}

bool PassFrequencyOverlaps(const MemoryImage& image, int number, std::string_view frequency) {
  double mhz = NumericPrefix(Part(frequency, 0, 3));
  double khz = NumericPrefix(Part(frequency, 4, 3));
  for (int other = kFirstPassChannel; other <= kLastPassChannel; ++other) {
    const Channel& channel = image.channel(other);
    if (other == number || !channel.used) continue;
    std::string text = CellText(channel, kColFreq);
    if (NumericPrefix(Part(text, 0, 3)) == mhz && NumericPrefix(Part(text, 4, 3)) == khz) {
      return true;
    }
  }
  return false;
}

}  // namespace tqm5
