// The channel detail dialog "Memory Setting" as plain data and rules: the form one column of the
// dialog holds, how it is filled from a channel, the typing and leaving rules of its boxes, its
// "Clear" and "OK", and `ApplyChannelEdit`, which moves the result into the image. The window
// only shows a `ChannelDialogState` and calls these functions; no decision is taken in a widget.
#ifndef TQM5_EDITING_CHANNEL_EDIT_H_
#define TQM5_EDITING_CHANNEL_EDIT_H_

#include <array>
#include <string>
#include <string_view>

#include "image/outcome.h"
#include "model/memory_image.h"

namespace tqm5 {

// Longest text of each digit box: megahertz, fraction (10 Hz steps), offset megahertz and
// offset kilohertz.
inline constexpr int kFreqMhzDigits = 4;
inline constexpr int kFreqFractionDigits = 5;
inline constexpr int kOffsetMhzDigits = 3;
inline constexpr int kOffsetKhzDigits = 3;

// Button and list positions a cleared column shows.
inline constexpr int kDefaultTone = 8;    // 88.5Hz
inline constexpr int kDefaultTrain = 28;  // ＪＲ

// One column of the dialog as its controls hold it. Positions are those of the option buttons
// and lists: mode 0 FM, 1 AM, 2 NFM, 3 WFM; tone mode 0 None, 1 Tone, 2 TSQ, 3 SQ, 4 DCS,
// 5 Train; shift 0 Off, 1 +, 2 -; the lists are indexes of `ToneList`, `DcsList`, `TrainList`
// and the step buttons those of `StepList`.
struct ChannelForm {
  std::string label;           // `Label2` / `Label3`
  std::string freq_mhz;        // `DETAIL_FREQ_1`
  std::string freq_fraction;   // `DETAIL_FREQ_2`
  std::string name;            // `DETAIL_NAME`
  bool skip = false;           // `DETAIL_SKIP`
  int mode = 0;                // `DETAIL_MODE`
  int step = 0;                // `DETAIL_STEP`
  int tone_mode = 0;           // `PALSE_TYPE`
  int tx_tone = kDefaultTone;  // `TX_TONE_COMBO`
  int rx_tone = kDefaultTone;  // `RX_TONE_COMBO`
  int dcs = 0;                 // `DCS_COMBO`
  int train = kDefaultTrain;   // `TRAIN_COMBO`
  int shift = 0;               // `DETAIL_SHIFT`
  std::string offset_mhz;      // `DETAIL_SHIFT_FREQ_1`
  std::string offset_khz;      // `DETAIL_SHIFT_FREQ_2`
  bool am_wfm_enabled = true;  // the "AM" and "WFM" buttons
  friend bool operator==(const ChannelForm&, const ChannelForm&) = default;
};

// The open dialog: the channel it edits (the main channel of a dual pair), whether it shows the
// second column ("Memory 2", the pair's sub channel), whether the "Train" controls are shown
// (model option "J" only), and the two columns.
struct ChannelDialogState {
  int number = 1;
  bool dual = false;
  bool train_visible = false;
  std::array<ChannelForm, 2> columns;
};

// The channel a double-click or Enter on grid row `row` opens: the row itself, the main row of
// a dual pair when `row` is its "(Sub)" row, or 0 for the bug-detector channels, which do not
// open.
int DialogChannelForRow(int row);

// Fills the dialog for channel `number` (as `DialogChannelForRow` gives it) from the image.
ChannelDialogState OpenChannelDialogState(const MemoryImage& image, int number);

// "Clear" of one column: the empty column (label and the AM/WFM rule kept).
void ClearColumn(ChannelForm& form);

// Typing rules. A digit box takes "0".."9" while it holds fewer than `max_digits` characters.
// The name box refuses Ctrl+V (code 22) and takes a character while it fits 16 CP932 bytes.
// Backspace (code 8) is always accepted.
bool DigitBoxAccepts(std::string_view current, char32_t c, int max_digits);
bool NameBoxAccepts(std::string_view current, char32_t c);

// Leaving the offset boxes. The megahertz box keeps its number without leading zeros ("0" when
// empty); the kilohertz box keeps its digits, at most "995" beside 999 MHz, completed to three
// digits on the right ("6" gives "600"), and "000" when it is empty or longer than three.
std::string LeaveOffsetMhz(std::string_view text);
std::string LeaveOffsetKhz(std::string_view text, std::string_view offset_mhz);

// What one column stores on "OK" (`EditBuffer`): the frequency text ("145.00000", or empty to
// empty the channel), the offset text ("0.600") and the form's positions.
struct EditBuffer {
  std::string frequency;
  std::string offset;
  ChannelForm form;
};

// `EditResult` codes.
enum EditResultCode : int {
  kEditNothing = 0,      // Cancel, or a single channel emptied (only its used flag changes)
  kEditMainEmptied = 1,  // dual pair: main emptied, sub set
  kEditSubEmptied = 2,   // dual pair: main set, sub emptied
  kEditBothSet = 3,
  kEditBothEmptied = 5,
  kEditSingle = 100,
};

// The dialog's result: the code, both buffers and the used flags OK decided.
struct ChannelEdit {
  int number = 1;
  int result = kEditNothing;
  std::array<EditBuffer, 2> buffers;
  std::array<bool, 2> used{};
};

// "OK": cleans the boxes as the dialog does (the columns change as the user would see them),
// and returns what the apply step needs.
ChannelEdit ConfirmChannelDialog(ChannelDialogState& dialog);

// `ApplyChannelEdit`: moves an OK result into the image. A pass channel whose frequency repeats
// that of another used pass channel is not written and counts as empty: the outcome is then the
// message "Overlaps in Frequency" titled " Error" (no icon); every other edit ends without one.
Outcome ApplyChannelEdit(MemoryImage& image, const ChannelEdit& edit);

// The pass-channel overlap check: true when another used pass channel than `number` has the
// frequency text `frequency` in its megahertz (characters 1..3) and kilohertz (5..7) positions.
bool PassFrequencyOverlaps(const MemoryImage& image, int number, std::string_view frequency);

}  // namespace tqm5

#endif  // TQM5_EDITING_CHANNEL_EDIT_H_
