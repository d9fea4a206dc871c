// The vocabulary tables of the channel record: the index of each entry is the code the record
// and the per-channel index bytes carry.
#ifndef TQM5_IMAGE_VOCABULARY_H_
#define TQM5_IMAGE_VOCABULARY_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tqm5 {

inline constexpr int kStepCount = 16;
inline constexpr int kToneCount = 39;
inline constexpr int kDcsCount = 104;
inline constexpr int kTrainCount = 29;

// `StepList`: step code -> caption ("5KHz" .. "1MHz").
extern const std::array<std::string_view, kStepCount> kStepList;
// `ToneList`: tone index -> caption ("67.0Hz" .. "250.3Hz").
extern const std::array<std::string_view, kToneCount> kToneList;
// `DcsList`: DCS index -> code text ("023" .. "754").
extern const std::array<std::string_view, kDcsCount> kDcsList;
// `TrainList`: carrier index -> caption ("300Hz" .. "3000Hz", then the full-width "ＪＲ").
extern const std::array<std::string_view, kTrainCount> kTrainList;

// Position of `caption` in `list`, or -1.
template <size_t N>
int IndexOf(const std::array<std::string_view, N>& list, std::string_view caption) {
  for (size_t i = 0; i < N; ++i) {
    if (list[i] == caption) return static_cast<int>(i);
  }
  return -1;
}

// The text of the carrier "ＪＲ" as a spreadsheet or another program may write it. A channel
// imported with it keeps that spelling in its cell; its code is that of "ＪＲ".
inline constexpr std::string_view kHalfWidthJr = "JR";
inline constexpr int kJrTrainIndex = kTrainCount - 1;

// The enumerated settings of a channel. Each value's number is its position in the channel
// dialog's buttons and its code in the project file; the radio's record codes differ and are
// the channel codec's own.

// Modulation ("mode").
enum class Modulation : uint8_t { kFm, kAm, kNfm, kWfm };
inline constexpr int kModulationCount = 4;

// Tone mode ("Tone/DCS"); train tones exist on model option "J" only.
enum class ToneMode : uint8_t { kNone, kTone, kTsq, kSq, kDcs, kTrain };
inline constexpr int kToneModeCount = 6;

// Shift direction ("Shift"), with the full-width spellings a CSV file may carry; those keep their
// spelling in the cell and mean "+" and "-".
enum class Shift : uint8_t { kOff, kPlus, kMinus, kPlusFullWidth, kMinusFullWidth };
inline constexpr int kShiftDirectionCount = 3;  // the dialog's buttons: Off, +, -

// Skip ("Skip"): not skipped, skipped, and skipped as a CSV file may mark it with "※".
enum class Skip : uint8_t { kNo, kYes, kYesMark };

// The cell text of each value.
std::string_view ModulationText(Modulation mode);
std::string_view ToneModeText(ToneMode mode);
std::string_view ShiftText(Shift shift);
std::string_view SkipText(Skip skip);

// The value a cell text names, or nullopt when it names none (case and spelling exact).
std::optional<Modulation> ParseModulation(std::string_view text);
std::optional<ToneMode> ParseToneMode(std::string_view text);
std::optional<Shift> ParseShift(std::string_view text);
std::optional<Skip> ParseSkip(std::string_view text);

// The direction of a shift: 0 Off, 1 +, 2 - (the full-width spellings count as + and -).
int ShiftDirection(Shift shift);
inline bool IsSkipped(Skip skip) { return skip != Skip::kNo; }

}  // namespace tqm5

#endif  // TQM5_IMAGE_VOCABULARY_H_
