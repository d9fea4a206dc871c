#include "image/outcome.h"

#include <utility>

namespace tqm5 {
namespace {

Outcome Message(std::string text, std::string title, OutcomeIcon icon, bool success) {
  Outcome outcome;
  outcome.shown = true;
  outcome.text = std::move(text);
  outcome.title = std::move(title);
  outcome.icon = icon;
  outcome.success = success;
  return outcome;
}

}  // namespace

Outcome SuccessOutcome() { return Message("Success", " Finish", OutcomeIcon::kNone, true); }

Outcome ReadAllSuccessOutcome() {
  return Message("Success ALL DATA READ", " Finish", OutcomeIcon::kNone, true);
}

Outcome CompleteOutcome() { return Message("Complete", "Complete", OutcomeIcon::kNone, true); }

Outcome ErrorOutcome(OutcomeIcon icon) { return Message("Error", " Error", icon, false); }

Outcome CancelledOutcome() { return Message("Cancelled", " Error", OutcomeIcon::kNone, false); }

Outcome PassRuleOutcome() {
  return Message("PASSバンクは、全て含めるか1つも含めないように。", " Error",
                 OutcomeIcon::kCritical, false);
}

Outcome SilentOutcome(std::string detail) {
  Outcome outcome;
  outcome.detail = std::move(detail);
  return outcome;
}

}  // namespace tqm5
