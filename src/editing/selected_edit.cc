#include "editing/selected_edit.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "editing/channel_list_edit.h"
#include "editing/typing.h"
#include "image/frequency_text.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

constexpr size_t kListedRefusals = 12;

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The hertz of the frequency boxes: the fraction counts as five digits, completed on the right.
int64_t BoxHertz(const ChannelForm& form) {
  std::string fraction = form.freq_fraction;
  fraction.resize(kFreqFractionDigits, '0');
  return std::stoll("0" + form.freq_mhz) * 1000000 + std::stoll(fraction) * 10;
}

void SetBoxes(ChannelForm& form, int64_t hertz) {
  form.freq_mhz = std::to_string(hertz / 1000000);
  form.freq_fraction = ZeroPad(static_cast<uint32_t>(hertz % 1000000 / 10), kFreqFractionDigits);
}

// Copies the ticked fields of the dialog's columns into `form`.
void CopyTicked(const SelectedEdit& edit, ChannelForm& form) {
  const ChannelForm& from = edit.form;
  auto copy = [&](EditField field, auto member) {
    if (edit.Changes(field)) form.*member = from.*member;
  };
  copy(EditField::kFrequency, &ChannelForm::freq_mhz);
  copy(EditField::kFrequency, &ChannelForm::freq_fraction);
  copy(EditField::kName, &ChannelForm::name);
  copy(EditField::kSkip, &ChannelForm::skip);
  copy(EditField::kMode, &ChannelForm::mode);
  copy(EditField::kStep, &ChannelForm::step);
  copy(EditField::kToneMode, &ChannelForm::tone_mode);
  copy(EditField::kTxTone, &ChannelForm::tx_tone);
  copy(EditField::kRxTone, &ChannelForm::rx_tone);
  copy(EditField::kDcs, &ChannelForm::dcs);
  copy(EditField::kTrain, &ChannelForm::train);
  copy(EditField::kShift, &ChannelForm::shift);
  if (edit.Changes(EditField::kOffset)) {
    // As leaving the boxes leaves them.
    form.offset_mhz = LeaveOffsetMhz(from.offset_mhz);
    form.offset_khz = LeaveOffsetKhz(from.offset_khz, form.offset_mhz);
  }
}

// The channel as it was with the ticked fields taken from `applied`, the dialog's result.
Channel Merge(const Channel& original, const Channel& applied, const SelectedEdit& edit) {
  Channel merged = original;
  auto take = [&](EditField field, auto member) {
    if (edit.Changes(field)) merged.*member = applied.*member;
  };
  take(EditField::kFrequency, &Channel::frequency_hz);
  take(EditField::kFrequency, &Channel::blank);
  take(EditField::kName, &Channel::name);
  take(EditField::kSkip, &Channel::skip);
  take(EditField::kMode, &Channel::mode);
  take(EditField::kStep, &Channel::step_index);
  take(EditField::kToneMode, &Channel::tone_mode);
  take(EditField::kTxTone, &Channel::tx_tone_index);
  take(EditField::kRxTone, &Channel::rx_tone_index);
  take(EditField::kDcs, &Channel::dcs_index);
  take(EditField::kTrain, &Channel::train_index);
  take(EditField::kTrain, &Channel::half_width_jr);
  take(EditField::kShift, &Channel::shift);
  take(EditField::kOffset, &Channel::offset_hz);
  merged.used = applied.used;
  return merged;
}

// Why one channel does not take the edit, or "" when it has taken it.
std::string EditOne(MemoryImage& image, int number, const SelectedEdit& edit) {
  int main = DialogChannelForRow(number);
  if (main == 0) return "bug-detector channels are not edited";
  const Channel original = image.channel(number);
  if (!original.used && !edit.Changes(EditField::kFrequency)) {
    return "not in use: only a frequency puts a channel in use";
  }
  ChannelDialogState dialog = OpenChannelDialogState(image, main);
  ChannelForm& form = dialog.columns[static_cast<size_t>(number - main)];
  auto mode = static_cast<Modulation>(edit.form.mode);
  if (edit.Changes(EditField::kMode) && !form.am_wfm_enabled &&
      (mode == Modulation::kAm || mode == Modulation::kWfm)) {
    return "AM and WFM are not available on call and dual channels";
  }
  CopyTicked(edit, form);
  ChannelEdit result = ConfirmChannelDialog(dialog);
  const EditBuffer& buffer = result.buffers[static_cast<size_t>(number - main)];
  if (edit.Changes(EditField::kFrequency) &&
      MegahertzToHertz(buffer.frequency) != BoxHertz(edit.form)) {
    return FrequencyText(static_cast<uint32_t>(BoxHertz(edit.form))) + " is outside its band";
  }
  // The dialog's apply step on a pair writes both rows: the other row of the pair stays.
  const Channel main_before = image.channel(main);
  const Channel other_before = image.channel(dialog.dual ? main + 1 : main);
  Outcome outcome = ApplyChannelEdit(image, result);
  const Channel applied = image.channel(number);
  image.channel(main) = main_before;
  image.channel(dialog.dual ? main + 1 : main) = other_before;
  if (outcome.kind == OutcomeKind::kEditRefused) return outcome.text;
  Channel merged = original.blank ? applied : Merge(original, applied, edit);
  merged.label = original.label;
  image.channel(number) = merged;
  return "";
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The position of `text` in `list`, without regard to case and with or without `unit`.
template <size_t N>
int FindCaption(const std::array<std::string_view, N>& list, std::string_view text,
                std::string_view unit) {
  std::string wanted = Lower(text);
  for (size_t i = 0; i < N; ++i) {
    std::string caption = Lower(list[i]);
    if (caption == wanted || caption == wanted + Lower(unit)) return static_cast<int>(i);
  }
  return -1;
}

// Splits "145.5", "145.50000MHz" or "0.600MHz" into its two boxes, each put through the box's
// typing rule; false when a character is refused.
bool SplitIntoBoxes(std::string_view text, int whole_digits, int fraction_digits,
                    std::string& whole, std::string& fraction) {
  if (text.size() >= 3 && Lower(text.substr(text.size() - 3)) == "mhz") {
    text.remove_suffix(3);
  }
  size_t point = text.find('.');
  std::string_view parts[2] = {text.substr(0, point),
                               point == std::string_view::npos ? "" : text.substr(point + 1)};
  const int limits[2] = {whole_digits, fraction_digits};
  std::string* boxes[2] = {&whole, &fraction};
  for (int i = 0; i < 2; ++i) {
    int limit = limits[i];
    TypedText typed = TypeText("", parts[i], "", [limit](std::string_view current, char32_t c) {
      return DigitBoxAccepts(current, c, limit);
    });
    if (typed.dropped > 0) return false;
    *boxes[i] = typed.kept;
  }
  return true;
}

}  // namespace

std::string SelectedEditFault(const SelectedEdit& edit, bool model_j) {
  const ChannelForm& form = edit.form;
  if (edit.Changes(EditField::kFrequency)) {
    if (!AllDigits(form.freq_mhz) || !AllDigits(form.freq_fraction) ||
        form.freq_mhz.size() > kFreqMhzDigits || form.freq_fraction.size() > kFreqFractionDigits ||
        (form.freq_mhz.empty() && form.freq_fraction.empty())) {
      return "The frequency takes up to 4 digits of megahertz and 5 after the point.";
    }
    std::string fault = FrequencyRangeFault(BoxHertz(form));
    if (!fault.empty()) {
      std::string fraction = form.freq_fraction;
      fraction.resize(kFreqFractionDigits, '0');
      return "The frequency " + (form.freq_mhz.empty() ? "0" : form.freq_mhz) + "." + fraction +
             " MHz is " + fault + ".";
    }
  }
  if (edit.Changes(EditField::kName)) {
    if (TypeText("", form.name, "", NameBoxAccepts).dropped > 0) {
      return "The name \"" + form.name + "\" is longer than the radio's 16 bytes.";
    }
    if (FilterRadioText(form.name) != form.name) {
      return "The radio cannot show every character of the name \"" + form.name + "\".";
    }
  }
  if (edit.Changes(EditField::kToneMode) && !model_j &&
      form.tone_mode == static_cast<int>(ToneMode::kTrain)) {
    return "Train tones exist on the \"J\" model only.";
  }
  if (edit.Changes(EditField::kOffset) &&
      (!AllDigits(form.offset_mhz) || !AllDigits(form.offset_khz) ||
       form.offset_mhz.size() > kOffsetMhzDigits || form.offset_khz.size() > kOffsetKhzDigits)) {
    return "The offset takes up to 3 digits of megahertz and 3 of kilohertz.";
  }
  return "";
}

void SelectedEditReport::Add(const SelectedEditReport& other) {
  changed.insert(changed.end(), other.changed.begin(), other.changed.end());
  refused.insert(refused.end(), other.refused.begin(), other.refused.end());
}

SelectedEditReport EditSelectedChannels(MemoryImage& image, const std::vector<int>& numbers,
                                        const SelectedEdit& edit) {
  SelectedEditReport report;
  std::string fault = SelectedEditFault(edit, UsesGlyphCharacters(image));
  for (int number : numbers) {
    if (number < 1 || number > kChannelCount) continue;
    const Channel before = image.channel(number);
    std::string why = fault.empty() ? EditOne(image, number, edit) : fault;
    if (!why.empty()) {
      report.refused.emplace_back(number, why);
    } else if (!(image.channel(number) == before)) {
      report.changed.push_back(number);
    }
  }
  return report;
}

std::string SelectedEditSummary(const MemoryImage& image, const SelectedEditReport& report) {
  std::string text = std::to_string(report.changed.size()) + " channel(s) changed.";
  if (report.refused.empty()) return text;
  text += " " + std::to_string(report.refused.size()) + " not changed:";
  for (size_t i = 0; i < std::min(report.refused.size(), kListedRefusals); ++i) {
    const auto& [number, why] = report.refused[i];
    std::string label = image.channel(number).label;
    while (!label.empty() && label.back() == ' ') label.pop_back();
    text += "\n" + label + ": " + why;
  }
  if (report.refused.size() > kListedRefusals) {
    text += "\n(and " + std::to_string(report.refused.size() - kListedRefusals) + " more)";
  }
  return text;
}

CellEdit CellTextEdit(int column, std::string_view text, bool model_j) {
  CellEdit cell;
  ChannelForm& form = cell.edit.form;
  auto refuse = [&](std::string why) {
    cell.refusal = std::move(why);
    return cell;
  };
  auto pick = [&](EditField field, int& member, int found, const char* what) {
    if (found < 0) {
      cell.refusal = "\"" + std::string(text) + "\" is not " + what + ".";
      return;
    }
    member = found;
    cell.edit.Tick(field);
  };
  switch (column) {
    case kColFreq:
      if (!SplitIntoBoxes(text, kFreqMhzDigits, kFreqFractionDigits, form.freq_mhz,
                          form.freq_fraction)) {
        return refuse("The frequency takes up to 4 digits, a point and up to 5 digits.");
      }
      cell.edit.Tick(EditField::kFrequency);
      break;
    case kColShiftFreq:
      if (!SplitIntoBoxes(text, kOffsetMhzDigits, kOffsetKhzDigits, form.offset_mhz,
                          form.offset_khz)) {
        return refuse("The offset takes up to 3 digits, a point and up to 3 digits.");
      }
      cell.edit.Tick(EditField::kOffset);
      break;
    case kColName: {
      TypedText typed = TypeText("", text, "", NameBoxAccepts);
      if (typed.dropped > 0) return refuse("The name holds at most 16 bytes.");
      form.name = typed.kept;
      cell.edit.Tick(EditField::kName);
      break;
    }
    case kColSkip:
      if (text != "" && text != "*" && text != "※") return refuse("Skip is \"*\" or nothing.");
      form.skip = !text.empty();
      cell.edit.Tick(EditField::kSkip);
      break;
    case kColMode: {
      std::array<std::string_view, kModulationCount> modes;
      for (int i = 0; i < kModulationCount; ++i) modes[i] = ModulationText(Modulation(i));
      pick(EditField::kMode, form.mode, FindCaption(modes, text, ""), "a mode");
      break;
    }
    case kColToneMode: {
      std::array<std::string_view, kToneModeCount> modes;
      for (int i = 0; i < kToneModeCount; ++i) modes[i] = ToneModeText(ToneMode(i));
      pick(EditField::kToneMode, form.tone_mode, FindCaption(modes, text, ""), "a tone mode");
      break;
    }
    case kColShift: {
      std::array<std::string_view, kShiftDirectionCount> shifts;
      for (int i = 0; i < kShiftDirectionCount; ++i) shifts[i] = ShiftText(Shift(i));
      pick(EditField::kShift, form.shift, FindCaption(shifts, text, ""), "a shift");
      break;
    }
    case kColStep:
      pick(EditField::kStep, form.step, FindCaption(kStepList, text, "KHz"), "a step");
      break;
    case kColCarrier:
      pick(EditField::kTrain, form.train, FindCaption(kTrainList, text, "Hz"), "a carrier");
      break;
    case kColTxTone:
      pick(EditField::kTxTone, form.tx_tone, FindCaption(kToneList, text, "Hz"), "a tone");
      break;
    case kColRxTone:
      pick(EditField::kRxTone, form.rx_tone, FindCaption(kToneList, text, "Hz"), "a tone");
      break;
    case kColDcs:
      pick(EditField::kDcs, form.dcs, FindCaption(kDcsList, text, ""), "a DCS code");
      break;
    default:
      return refuse("This cell is not edited.");
  }
  if (cell.refusal.empty()) cell.refusal = SelectedEditFault(cell.edit, model_j);
  return cell;
}

std::string ReadFillRequest(std::string_view start, std::string_view step, int count,
                            std::string_view name_pattern, FillRequest& request) {
  std::optional<int64_t> start_hz = MegahertzToHertz(start);
  std::optional<int64_t> step_hz = MegahertzToHertz(step);
  if (!start_hz || !FrequencyRangeFault(*start_hz).empty()) {
    return "The start frequency " + QuotedValue(start) + " is not a frequency in megahertz from " +
           "0.53099 to 1299.99999.";
  }
  if (!step_hz || *step_hz > kHighestFrequencyHertz) {
    return "The step " + QuotedValue(step) + " is not a number of megahertz.";
  }
  if (*start_hz % 10 != 0 || *step_hz % 10 != 0) {
    return "Channels hold frequencies in steps of 10 Hz (five digits after the point).";
  }
  if (count < 1) return "Fill at least one channel.";
  request = {*start_hz, *step_hz, count, std::string(name_pattern)};
  return "";
}

std::vector<int> FillTargets(const MemoryImage& image, const std::vector<int>& selected, int count,
                             std::string& refusal) {
  if (selected.empty() || count < 1) {
    refusal = "Nothing to fill.";
    return {};
  }
  if (selected.size() > 1) {
    return {selected.begin(),
            selected.begin() + std::min(selected.size(), static_cast<size_t>(count))};
  }
  ChannelRun run = RunOfChannel(image, selected.front());
  std::vector<int> targets;
  for (int n = selected.front(); n <= run.last && static_cast<int>(targets.size()) < count; ++n) {
    if (IsEmptyChannel(image.channel(n))) targets.push_back(n);
  }
  if (static_cast<int>(targets.size()) < count) {
    refusal = run.name + " has " + std::to_string(targets.size()) +
              " empty channel(s) from the selected row on; " + std::to_string(count) +
              " were asked for. Nothing was changed.";
    return {};
  }
  return targets;
}

SelectedEditReport FillFrequencies(MemoryImage& image, const std::vector<int>& targets,
                                   const FillRequest& request) {
  SelectedEditReport report;
  for (size_t k = 0; k < targets.size(); ++k) {
    SelectedEdit edit;
    int64_t hertz = request.start_hz + static_cast<int64_t>(k) * request.step_hz;
    if (hertz % 10 != 0 || !FrequencyRangeFault(hertz).empty()) {
      report.refused.emplace_back(targets[k], "the fill's frequency " + std::to_string(hertz) +
                                                  " Hz is not one a channel can hold");
      continue;
    }
    SetBoxes(edit.form, hertz);
    edit.Tick(EditField::kFrequency);
    if (!request.name_pattern.empty()) {
      std::string name = request.name_pattern;
      for (size_t at = name.find("{n}"); at != std::string::npos; at = name.find("{n}", at)) {
        name.replace(at, 3, std::to_string(k + 1));
      }
      edit.form.name = name;
      edit.Tick(EditField::kName);
    }
    report.Add(EditSelectedChannels(image, {targets[k]}, edit));
  }
  return report;
}

}  // namespace tqm5
