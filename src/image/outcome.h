// How a command ends: its kind, and exactly one message box (text, title, icon), or none.
// Transfers and file commands alike report this way; the window shows the box and the command
// line prints it. What happened is told by the kind, never by the box's text.
#ifndef TQM5_IMAGE_OUTCOME_H_
#define TQM5_IMAGE_OUTCOME_H_

#include <string>
#include <string_view>

namespace tqm5 {

enum class OutcomeIcon { kNone, kCritical };

// What happened, as far as a caller decides on it. The radio's many ways of failing are one kind:
// the detail says which, and no caller acts differently on them.
enum class OutcomeKind {
  kFailed,        // an unexpected failure, or no outcome set
  kDone,          // the command did what was asked
  kCancelled,     // stopped on request between two exchanges
  kRadioFailed,   // the radio did not identify, did not answer, answered wrongly or refused
  kPortFailed,    // the port could not be chosen or opened
  kWriteRefused,  // a write that could not finish, refused before anything was sent
  kRadioDiffers,  // a write of changes found the radio not holding what was last known of it,
                  // and sent nothing
  kVerifyFailed,  // a block read back after a write did not hold what was sent
  kFileRefused,   // a file not of its kind, or one that could not be read at all
  kFileFailed,    // a file that could not be written, or whose lines stopped the load part-way
  kEditRefused,   // an edit that the rules of the channels do not allow
};

struct Outcome {
  OutcomeKind kind = OutcomeKind::kFailed;
  // False when the command ends without a message box: the port could not be opened, or an
  // unexpected failure stopped it. `detail` then says what happened, for the user interface to
  // explain.
  bool shown = false;
  std::string text;
  std::string title;
  OutcomeIcon icon = OutcomeIcon::kNone;
  std::string detail;
  // True for the kind kDone; set with the kind by the functions below.
  bool success = false;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

// A message box of the given kind: the text, its title and icon.
Outcome MessageOutcome(OutcomeKind kind, std::string text, std::string title, OutcomeIcon icon);
// No message box; `detail` says what happened.
Outcome SilentOutcome(OutcomeKind kind, std::string detail);

// The message boxes of the transfers.
Outcome SuccessOutcome();         // "Success", " Finish" (single areas)
Outcome ReadAllSuccessOutcome();  // "Success ALL DATA READ", " Finish"
Outcome CompleteOutcome();        // "Complete", "Complete" (channels, write all)
// "Error", " Error": by default a failure of the radio; the file commands and the refused writes
// show the same box.
Outcome ErrorOutcome(OutcomeIcon icon = OutcomeIcon::kCritical,
                     OutcomeKind kind = OutcomeKind::kRadioFailed);
Outcome CancelledOutcome();  // "Cancelled", " Error", no icon
Outcome PassRuleOutcome();   // the pass-channel rule of "One Memory Write"

// "This File don't Open": a file refused; the title differs between the file commands.
Outcome FileRefusedOutcome(std::string title);

// A value the user gave (a field, an argument), quoted for a message: "145.000". A value longer
// than 40 characters is cut, and its length said, so that a huge field cannot flood the
// message: "1234567890123456789012345678901234567890..." (100 characters).
std::string QuotedValue(std::string_view value);

}  // namespace tqm5

#endif  // TQM5_IMAGE_OUTCOME_H_
