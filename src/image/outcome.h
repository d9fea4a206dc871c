// How a command ends: exactly one message box (text, title, icon), or none. Transfers and
// file commands alike report this way; the window shows it and the command line prints it.
#ifndef TQM5_IMAGE_OUTCOME_H_
#define TQM5_IMAGE_OUTCOME_H_

#include <string>
#include <string_view>

namespace tqm5 {

enum class OutcomeIcon { kNone, kCritical };

struct Outcome {
  // False when the command ends without a message box: the port could not be opened, or an
  // unexpected failure stopped it. `detail` then says what happened, for the user interface to
  // explain.
  bool shown = false;
  std::string text;
  std::string title;
  OutcomeIcon icon = OutcomeIcon::kNone;
  std::string detail;
  // True for the messages that report success.
  bool success = false;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

// A message box: the text, its title and icon, and whether it reports success.
Outcome MessageOutcome(std::string text, std::string title, OutcomeIcon icon, bool success);

// The message boxes of the transfers.
Outcome SuccessOutcome();         // "Success", " Finish" (single areas)
Outcome ReadAllSuccessOutcome();  // "Success ALL DATA READ", " Finish"
Outcome CompleteOutcome();        // "Complete", "Complete" (channels, write all)
Outcome ErrorOutcome(OutcomeIcon icon = OutcomeIcon::kCritical);  // "Error", " Error"
Outcome CancelledOutcome();                                       // "Cancelled", " Error", no icon
Outcome PassRuleOutcome();  // the pass-channel rule of "One Memory Write"
Outcome SilentOutcome(std::string detail);

// A value the user gave (a field, an argument), quoted for a message: "145.000". A value longer
// than 40 characters is cut, and its length said, so that a huge field cannot flood the
// message: "1234567890123456789012345678901234567890..." (100 characters).
std::string QuotedValue(std::string_view value);

}  // namespace tqm5

#endif  // TQM5_IMAGE_OUTCOME_H_
