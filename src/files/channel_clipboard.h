// Channels as text on the clipboard, for spreadsheets and between windows: tab-separated rows
// with the CSV file's columns (the row label, "Freqency" .. "Name", the channel number). A
// pasted row goes through the rules of the CSV import.
#ifndef TQM5_FILES_CHANNEL_CLIPBOARD_H_
#define TQM5_FILES_CHANNEL_CLIPBOARD_H_

#include <string>
#include <string_view>
#include <vector>

#include "files/file_problem.h"
#include "model/memory_image.h"

namespace tqm5 {

// Channels `first`..`last` as tab-separated lines ended by LF, after the caption line when
// `with_header`. A field holding a tab, a quote or a line break is quoted, its quotes doubled, as
// spreadsheets do.
std::string CopyChannelsText(const MemoryImage& image, int first, int last, bool with_header);

// Whether a pasted row may go to channel `number`: the memories, program-scan edges, priority
// and TSF channels. Dual pairs, call and pass channels have rules of their own that only their
// dialog applies, and bug-detector channels are not imported.
bool TakesPastedRows(int number);

struct PasteResult {
  int rows = 0;   // rows pasted
  int first = 0;  // the first and last channel a row went to (0 when none)
  int last = 0;
  std::vector<FileProblem> problems;  // `line` counts the pasted text's lines from 1
};

// Pastes tab-separated rows (from `CopyChannelsText` or a spreadsheet) onto channels `start`,
// `start` + 1, ...: row k goes to `start` + k - 1 whatever became of the rows before it. A row has
// the CSV file's 14 columns or the 12 columns "Freqency" .. "Name"; the label and channel number
// are not used. A caption line and empty lines are skipped. A row without a frequency (an empty
// channel copied, or a spreadsheet's empty row) empties its channel. Listed, their channel left
// as it was: a row the CSV import would empty for a value it cannot take, a row of another
// shape, and a row for a channel that takes none (`TakesPastedRows`) or lies beyond 1623. A name
// the CSV import would take without characters the radio cannot show is taken so and listed.
PasteResult PasteChannelsText(MemoryImage& image, std::string_view text, int start);

}  // namespace tqm5

#endif  // TQM5_FILES_CHANNEL_CLIPBOARD_H_
