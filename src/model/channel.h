// One memory channel as the program holds it, its grid texts, and the codec between it and the
// radio's 64-byte record.
#ifndef TQM5_MODEL_CHANNEL_H_
#define TQM5_MODEL_CHANNEL_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "image/channel_numbering.h"
#include "image/frequency_text.h"
#include "image/vocabulary.h"

namespace tqm5 {

inline constexpr int kRecordHexLength = 128;  // one 64-byte record as hex text

// Columns of the channel grid. Column 0 is the row label; columns 1..12 are the `ChannelRow`
// columns captioned "Freqency" .. "Name".
enum ChannelColumn : int {
  kColLabel = 0,
  kColFreq,
  kColMode,
  kColStep,
  kColCarrier,
  kColToneMode,
  kColTxTone,
  kColRxTone,
  kColDcs,
  kColShift,
  kColShiftFreq,
  kColSkip,
  kColName,
  kColumnCount,
};

// Captions of columns 1..12 (index 0 is the empty caption of the label column).
inline constexpr std::array<std::string_view, kColumnCount> kColumnCaptions = {
    "",        "Freqency", "mode",  "step",       "Carrier", "Tone/DCS", "Tx-tone",
    "Rx-tone", "DCS",      "Shift", "Shift-Freq", "Skip",    "Name"};

// A channel as typed values: the settings of the record and its entries in the per-channel
// arrays `StepIndex`, `TxToneIndex`, `RxToneIndex`, `DcsIndex`, `TrainIndex` and `ChannelUsed`.
// The grid texts are formatted from these (`CellText`). The defaults are the empty channel's.
// `ClearChannel` resets each field but the label by name: a field added here is added there.
struct Channel {
  std::string label;  // the row label (column 0), rebuilt from the bank sizes
  // The receive frequency in hertz, in steps of 10 Hz as the grid shows it; nullopt leaves the
  // cell empty (an emptied row, or a dialog OK without a frequency on such a row).
  std::optional<uint32_t> frequency_hz;
  // nullopt: an empty cell (an emptied row, or a record code the radio does not define).
  std::optional<Modulation> mode;
  uint8_t step_index = 0;
  uint8_t train_index = kJrTrainIndex;
  bool half_width_jr = false;         // the carrier "ＪＲ" as a CSV file spelt it, "JR"
  std::optional<ToneMode> tone_mode;  // nullopt: an empty cell, as for the mode
  uint8_t tx_tone_index = 8;
  uint8_t rx_tone_index = 8;
  uint8_t dcs_index = 0;
  Shift shift = Shift::kOff;
  uint32_t offset_hz = 0;  // in steps of 1 kHz, as the grid shows it
  Skip skip = Skip::kNo;
  std::string name;  // as the grid shows it (user glyphs as the model option writes them)
  // An emptied row: the grid shows columns 1..12 empty whatever the values hold.
  bool blank = true;
  bool used = false;
  friend bool operator==(const Channel&, const Channel&) = default;
};

// The text the grid shows in `column` (a ChannelColumn) of the channel's row.
std::string CellText(const Channel& channel, int column);

// The receive frequencies a channel can hold, in hertz: the radio tunes 0.53099 to 1299.99999
// MHz. The largest offset is 999.995 MHz, the most the channel dialog lets a user enter (its
// kilohertz box stops at 995 when the megahertz box holds 999). The files are held to the same
// limits, so that no file puts into a channel what the dialog could not; the record's 32-bit
// fields would take more and send it on unseen.
inline constexpr int64_t kLowestFrequencyHertz = 530990;
inline constexpr int64_t kHighestFrequencyHertz = 1299999990;
inline constexpr int64_t kHighestOffsetHertz = 999995000;

// Why a receive frequency or an offset cannot be a channel's ("out of range
// 0.53099..1299.99999 MHz", "out of range 0..999.995 MHz"), or "" when it can.
std::string FrequencyRangeFault(int64_t hertz);
std::string OffsetRangeFault(int64_t hertz);

// True in the bands the "T" variant may not hold, 824..849.99999 and 869..894.99999 MHz:
// `EncodeChannel` sends such a channel to that radio as an empty record.
bool BlockedForModelT(int64_t hertz);

// `ClearChannel`: the empty channel (its index bytes, columns 1..12 empty), the label kept.
void ClearChannel(Channel& channel);

// `EncodeChannel`: the 128 hex digits of channel `number` (1..1623) for the radio identified by
// `model_command`. An unused channel, and a channel on a frequency the "T" variant may not
// hold, give 128 "0" digits.
std::string EncodeChannel(const Channel& channel, int number, std::string_view model_command);

// `DecodeChannel`: writes a record read from the radio into the channel. A record whose status
// nibble is 0 clears the channel. Codes outside the vocabulary tables take the empty channel's
// value for that field; a tone-mode code the radio does not define keeps the channel's tone
// mode. The frequency keeps its 10 Hz steps and the offset its kilohertz, what the grid shows
// and the old program sent back. `model_j` selects how user glyphs in the name are shown.
void DecodeChannel(Channel& channel, std::string_view record_hex, bool model_j);

}  // namespace tqm5

#endif  // TQM5_MODEL_CHANNEL_H_
