#include "image/outcome.h"

#include <utility>

namespace tqm5 {
Outcome MessageOutcome(std::string text, std::string title, OutcomeIcon icon, bool success) {
  Outcome outcome;
  outcome.shown = true;
  outcome.text = std::move(text);
  outcome.title = std::move(title);
  outcome.icon = icon;
  outcome.success = success;
  return outcome;
}

Outcome SuccessOutcome() { return MessageOutcome("Success", " Finish", OutcomeIcon::kNone, true); }

Outcome ReadAllSuccessOutcome() {
  return MessageOutcome("Success ALL DATA READ", " Finish", OutcomeIcon::kNone, true);
}

Outcome CompleteOutcome() {
  return MessageOutcome("Complete", "Complete", OutcomeIcon::kNone, true);
}

Outcome ErrorOutcome(OutcomeIcon icon) { return MessageOutcome("Error", " Error", icon, false); }

Outcome CancelledOutcome() {
  return MessageOutcome("Cancelled", " Error", OutcomeIcon::kNone, false);
}

Outcome PassRuleOutcome() {
  return MessageOutcome("PASSバンクは、全て含めるか1つも含めないように。", " Error",
                        OutcomeIcon::kCritical, false);
}

Outcome SilentOutcome(std::string detail) {
  Outcome outcome;
  outcome.detail = std::move(detail);
  return outcome;
}

}  // namespace tqm5
