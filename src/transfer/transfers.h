// The transfer commands: whole-radio reads and writes and the partial reads and writes of the
// pages. Each one identifies the radio, runs its area procedures in a fixed order, reports its
// progress, ends with exactly one outcome and always closes the port. The first failing step
// ends a command; areas done before it keep their new contents.
//
// A command runs on the thread that owns the link (a worker thread in the window). It changes
// only the image and the snapshot it is given; a cancel request is honoured between two exchanges.
#ifndef TQM5_TRANSFER_TRANSFERS_H_
#define TQM5_TRANSFER_TRANSFERS_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "image/outcome.h"
#include "link/radio_link.h"
#include "model/memory_image.h"
#include "model/radio_snapshot.h"

namespace tqm5 {

// The progress display: a value from 0 to a maximum, and the phase of the command it counts
// ("areas", "channels 1..1623", "pass-channel order table", "glyphs", or an area's name).
struct Progress {
  double value = 0;
  double maximum = 0;
  std::string phase;
  friend bool operator==(const Progress&, const Progress&) = default;
};

// The percentage box: (value x 100, rounded) integer-divided by (maximum, rounded), then "%".
// 7 of 15 gives "46%". A maximum of 0 shows "0%".
std::string ProgressPercentText(const Progress& progress);

struct TransferContext {
  RadioLink& link;
  MemoryImage& image;
  // Called on every change of the progress display, on the command's own thread. The display
  // returns to 0 when the caller has shown the outcome.
  std::function<void(const Progress&)> on_progress;
  // What the radio holds, as far as the program knows: the identification the radio accepts
  // and the blocks read or written are kept here, not in the image. Without one, the command
  // keeps them in a snapshot of its own that ends with it.
  RadioSnapshot* radio = nullptr;
};

enum class TransferCommand {
  kReadAll,         // "Read All Data(&B)"
  kWriteAll,        // "Write All Data(&A)"
  kReadMemories,    // "Memory Read"
  kWriteMemories,   // "Memory Write"
  kOneMemoryRead,   // "One Memory Read": the selected rows
  kOneMemoryWrite,  // "One Memory Write": the selected rows, with the pass-channel rule
  kBankRead,        // "Bank Read"
  kBankWrite,       // "Bank Write"
  kTitleRead,       // "Read" of "Title Name"
  kTitleWrite,      // "Write" of "Title Name"
  kOneTouchRead,    // "Read" of "OneTouch Memory"
  kOneTouchWrite,   // "Write" of "OneTouch Memory"
  kSettingsRead,    // "Read" of the set-mode and common pages
  kSettingsWrite,   // "Write" of the set-mode and common pages
  kGlyphRead,       // font editor "Read": one glyph
  kGlyphWrite,      // font editor "Write": one glyph
  kGlyphsReadAll,   // font editor "Read ALL"
  kGlyphsWriteAll,  // font editor "Write ALL"
  kGroupsRead,      // bank-link editor "Read"
  kGroupsWrite,     // bank-link editor "Write"
  kWriteChanges,    // "Write Changes": what a full write would send, less what the radio holds
};

// The name the programs show for a command ("Read All Data", "One-touch Read", ...): the start
// of its status line and the name of the undo step a read makes.
std::string_view TransferCommandName(TransferCommand command);

// Whether the command brings data from the radio into the image (its result is one undo step)
// rather than sending the image to the radio.
bool ReadsFromRadio(TransferCommand command);

struct TransferRequest {
  TransferCommand command = TransferCommand::kReadAll;
  // The selected rows of the channel grid, in either order (channel commands).
  int first_row = 1;
  int last_row = 1;
  // The glyph of the one-glyph font commands, 0..7.
  int glyph = 0;
  // "Write All Data": read back every block written and compare it with what was sent. A write
  // of changes always does.
  bool verify = false;
};

// Runs a command. A write that `WriteRefusal` stops sends nothing and opens no port.
Outcome RunTransfer(const TransferRequest& request, TransferContext& context);

// What in `image` would stop `command` part-way, found before the port is opened so that
// nothing at all is sent: bank sizes that do not add up to 1000 for a command that writes the
// banks, a bank-link group that is not 16 hex digits for one that writes the groups. Returns the
// "Error" outcome the command ends with (no icon for the banks, as their failed write has
// none), its detail saying why and that nothing was sent; nothing when the command may run.
std::optional<Outcome> WriteRefusal(const MemoryImage& image, TransferCommand command);

// `ReadAll`, `ReadMemories`, `WriteAll` (with `verify`, every block written is read back and
// compared with what was sent), `WriteMemories`.
Outcome ReadAll(TransferContext& context);
Outcome ReadMemories(TransferContext& context);
Outcome WriteAll(TransferContext& context, bool verify = false);
Outcome WriteMemories(TransferContext& context);

// "Write Changes": encodes the image as the full write would, and sends only the writes whose
// bytes differ from what the snapshot says the radio holds, in the full write's order, so that
// the radio ends as a full write would leave it. First it makes sure the radio is the one the
// snapshot describes: the same identification, and the blocks about to be written, the settings
// area and a spread of channel records read back as the snapshot has them; any difference sends
// nothing. Afterwards every block written is read back and compared with what was sent. Without
// a snapshot that knows every area the full write compares, nothing is sent either.
Outcome WriteChanges(TransferContext& context);

// Number of pass channels among rows first..last (in either order): "One Memory Write" writes
// none of them or all 100.
int SelectedPassChannels(int first_row, int last_row);

}  // namespace tqm5

#endif  // TQM5_TRANSFER_TRANSFERS_H_
