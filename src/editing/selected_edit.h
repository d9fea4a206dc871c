// One edit for many channels: "Edit Selected..." sets the fields the user ticked on every selected
// channel, typing in a grid cell sets one field of one channel, and "Fill Frequencies..." gives a
// run of channels frequencies (and names) that go up in steps. Every channel goes through the
// channel dialog's own rules (`OpenChannelDialogState`, `ConfirmChannelDialog`,
// `ApplyChannelEdit`): the typing rules of its boxes, the band of a call channel, the AM/WFM rule
// of call and dual channels, the name check and the pass-channel overlap. A channel a rule refuses
// stays as it was and is listed with the reason; the fields not ticked stay as they were.
#ifndef TQM5_EDITING_SELECTED_EDIT_H_
#define TQM5_EDITING_SELECTED_EDIT_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editing/channel_edit.h"

namespace tqm5 {

// The fields of the channel dialog, each with its "change" tick in "Edit Selected...".
enum class EditField : int {
  kFrequency,  // `DETAIL_FREQ_1` and `DETAIL_FREQ_2`
  kName,
  kSkip,
  kMode,
  kStep,
  kToneMode,
  kTxTone,
  kRxTone,
  kDcs,
  kTrain,
  kShift,
  kOffset,  // `DETAIL_SHIFT_FREQ_1` and `DETAIL_SHIFT_FREQ_2`
};
inline constexpr int kEditFieldCount = 12;

// The values as the dialog's boxes and buttons hold them, and which of them to set.
struct SelectedEdit {
  ChannelForm form;
  std::array<bool, kEditFieldCount> change{};
  bool Changes(EditField field) const { return change[static_cast<size_t>(field)]; }
  void Tick(EditField field) { change[static_cast<size_t>(field)] = true; }
};

// Why the ticked values fit no channel at all (a frequency the radio cannot tune, a name too long
// or with characters the radio cannot show, train tones on a model without them), or "".
std::string SelectedEditFault(const SelectedEdit& edit, bool model_j);

struct SelectedEditReport {
  std::vector<int> changed;
  std::vector<std::pair<int, std::string>> refused;  // channel and why
  void Add(const SelectedEditReport& other);
};

// Sets the ticked fields on each of `numbers` in turn (a pass channel is checked against the
// channels set before it). Bug-detector channels are refused, and so is a channel not in use
// unless the frequency is ticked: only a frequency puts a channel in use. An empty channel that
// gets a frequency takes the other fields as the dialog would give them.
SelectedEditReport EditSelectedChannels(MemoryImage& image, const std::vector<int>& numbers,
                                        const SelectedEdit& edit);

// The report for a message: how many channels changed, then each refused one by its label and
// why (the first 12, and how many more).
std::string SelectedEditSummary(const MemoryImage& image, const SelectedEditReport& report);

// Typing into grid cell `column` (a ChannelColumn) of one channel: the edit that sets that field,
// or why the text is refused. The frequency cells take "145.5" or "145.50000MHz", the lists
// their captions (without regard to case, the unit may be left out: "fm", "88.5", "12.5"),
// "Skip" "*" or nothing, the name as the name box takes it.
struct CellEdit {
  SelectedEdit edit;
  std::string refusal;
};
CellEdit CellTextEdit(int column, std::string_view text, bool model_j);

// "Fill Frequencies...": channel k of the run (from 0) gets `start_hz` + k x `step_hz` and, when
// `name_pattern` is not empty, the pattern with "{n}" replaced by k + 1 ("RPT {n}" gives
// "RPT 1", "RPT 2", ...).
struct FillRequest {
  int64_t start_hz = 0;
  int64_t step_hz = 0;
  int count = 0;
  std::string name_pattern;
};
// Reads the fill dialog's texts: the start and the step in megahertz ("145", "0.025"), each in
// steps of 10 Hz as the channels hold them. Returns why they are refused, or "".
std::string ReadFillRequest(std::string_view start, std::string_view step, int count,
                            std::string_view name_pattern, FillRequest& request);
// The channels a fill sets: with several selected, the first `count` of them; with one, it and
// the empty channels after it in its bank (or run of rows) up to `count` empty ones. Empty when
// there are fewer than that; `refusal` then says why.
std::vector<int> FillTargets(const MemoryImage& image, const std::vector<int>& selected, int count,
                             std::string& refusal);
SelectedEditReport FillFrequencies(MemoryImage& image, const std::vector<int>& targets,
                                   const FillRequest& request);

}  // namespace tqm5

#endif  // TQM5_EDITING_SELECTED_EDIT_H_
