// Channels written as the grid shows them, for tests whose rows and expectations are grid texts.
#ifndef TQM5_TESTS_SUPPORT_CHANNEL_CELLS_H_
#define TQM5_TESTS_SUPPORT_CHANNEL_CELLS_H_

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "model/channel.h"

namespace tqm5::testing {

// The texts of columns 1..12.
using Cells = std::array<std::string, 12>;

inline Cells CellsOf(const Channel& channel) {
  Cells cells;
  for (int column = kColFreq; column <= kColName; ++column) {
    cells[static_cast<size_t>(column - 1)] = CellText(channel, column);
  }
  return cells;
}

// The texts of columns 1..12 written in one text, separated by "|".
inline Cells CellsFrom(std::string_view text) {
  Cells cells;
  for (std::string& cell : cells) {
    size_t bar = std::min(text.find('|'), text.size());
    cell = std::string(text.substr(0, bar));
    text.remove_prefix(std::min(bar + 1, text.size()));
  }
  return cells;
}

// Gives the channel the values the texts show; an empty frequency, mode or tone mode is an empty
// cell. Index columns whose text is not in their list keep their index. The used flag is left.
inline void SetCells(Channel& channel, const Cells& cells) {
  auto cell = [&cells](int column) -> const std::string& {
    return cells[static_cast<size_t>(column - 1)];
  };
  auto index = [](uint8_t& value, int found) {
    if (found >= 0) value = static_cast<uint8_t>(found);
  };
  channel.blank = false;
  std::optional<int64_t> hertz = MegahertzToHertz(cell(kColFreq));
  channel.frequency_hz.reset();
  if (hertz) channel.frequency_hz = static_cast<uint32_t>(*hertz);
  channel.mode = ParseModulation(cell(kColMode));
  index(channel.step_index, IndexOf(kStepList, cell(kColStep)));
  channel.half_width_jr = cell(kColCarrier) == kHalfWidthJr;
  index(channel.train_index,
        channel.half_width_jr ? kJrTrainIndex : IndexOf(kTrainList, cell(kColCarrier)));
  channel.tone_mode = ParseToneMode(cell(kColToneMode));
  index(channel.tx_tone_index, IndexOf(kToneList, cell(kColTxTone)));
  index(channel.rx_tone_index, IndexOf(kToneList, cell(kColRxTone)));
  index(channel.dcs_index, IndexOf(kDcsList, cell(kColDcs)));
  channel.shift = ParseShift(cell(kColShift)).value_or(Shift::kOff);
  channel.offset_hz = static_cast<uint32_t>(MegahertzToHertz(cell(kColShiftFreq)).value_or(0));
  channel.skip = ParseSkip(cell(kColSkip)).value_or(Skip::kNo);
  channel.name = cell(kColName);
}

}  // namespace tqm5::testing

#endif  // TQM5_TESTS_SUPPORT_CHANNEL_CELLS_H_
