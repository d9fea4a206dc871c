// Edits of the channel list as a list: moving the selected channels up or down, inserting empty
// rows and deleting rows with the channels after them closing the gap, sorting a bank and
// finding a channel. A channel moves only within its run of rows (`ChannelRun`): the bank it
// belongs to, or for the channels outside the banks the rows of the same role. Row labels belong
// to the rows and stay where they are; everything else of a channel moves with it.
#ifndef TQM5_EDITING_CHANNEL_LIST_EDIT_H_
#define TQM5_EDITING_CHANNEL_LIST_EDIT_H_

#include <string>
#include <string_view>
#include <vector>

#include "model/memory_image.h"

namespace tqm5 {

// The rows a channel moves within. Memories 1..1000 belong to their bank by the bank sizes; the
// memories beyond the sizes' total (while it is below 1000) form one run of their own. Every
// other channel belongs to the rows of its role: the program-scan edges, the priority, pass and
// TSF channels. Dual pairs, call channels and bug-detector channels keep their places: their runs
// are fixed and no list edit moves them or moves anything into them.
struct ChannelRun {
  int first = 0;
  int last = 0;
  std::string name;  // "bank 3", "the pass channels", ...
  bool fixed = false;
  friend bool operator==(const ChannelRun&, const ChannelRun&) = default;
};
ChannelRun RunOfChannel(const MemoryImage& image, int number);

// True when a channel holds nothing a user could lose: not in use and its row shows no texts.
bool IsEmptyChannel(const Channel& channel);

// What a list edit did: the rows selected afterwards (where the selected channels went, or the
// rows inserted), or, when it changed nothing, why.
struct ListEditResult {
  bool done = false;
  std::string refusal;
  std::vector<int> selection;
};

// "Up" (`direction` -1) and "Down" (+1): every selected channel changes places with the row
// before (after) it; a block of selected rows moves as one and the row it passes goes to its
// other end. Refused when a selected channel is already first (last) in its run.
ListEditResult MoveChannels(MemoryImage& image, const std::vector<int>& selected, int direction);

// "Insert Empty": before each block of selected rows as many empty rows are inserted as the
// block has, and the channels from there to the end of the run move down. Refused when that
// would push a channel that is not empty out of its run.
ListEditResult InsertEmptyRows(MemoryImage& image, const std::vector<int>& selected);

// "Delete and Close Gap": the selected channels are removed, the channels after them in their
// run move up, and the run ends in empty rows.
ListEditResult DeleteAndCloseGap(MemoryImage& image, const std::vector<int>& selected);

// "Sort Bank": the channels of the run of channel `number` in ascending order of frequency or of
// name (letters compared without case; a channel without a name after those with one); empty
// channels last. Channels that compare equal keep their order.
enum class SortKey { kFrequency, kName };
ListEditResult SortRun(MemoryImage& image, int number, SortKey key);

// Find: the next channel after `after` (going round after 1623) whose name holds `text` without
// regard to case, or whose frequency as the grid shows it ("145.50000MHz") holds it. Channels
// whose row shows no texts are passed over. 0 when none does.
int FindChannel(const MemoryImage& image, std::string_view text, int after);

}  // namespace tqm5

#endif  // TQM5_EDITING_CHANNEL_LIST_EDIT_H_
