// The vocabulary tables of the channel record: the index of each entry is the code the record
// and the per-channel index bytes carry.
#ifndef TQM5_IMAGE_VOCABULARY_H_
#define TQM5_IMAGE_VOCABULARY_H_

#include <array>
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

// Texts of the enumerated columns, by the codes the channel record stores.
inline constexpr std::array<std::string_view, 4> kRecordModeText = {"NFM", "FM", "AM", "WFM"};
inline constexpr std::array<std::string_view, 6> kRecordToneModeText = {"None", "Train", "Tone",
                                                                        "TSQ",  "SQ",    "DCS"};
inline constexpr std::array<std::string_view, 3> kShiftText = {"Off", "+", "-"};

}  // namespace tqm5

#endif  // TQM5_IMAGE_VOCABULARY_H_
