#include "image/outcome.h"

#include <utility>

#include "image/hex.h"

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

std::string QuotedValue(std::string_view value) {
  constexpr size_t kShown = 40;
  // Characters are counted by their first bytes: UTF-8 continuation bytes are 10xxxxxx.
  size_t characters = 0;
  size_t cut = value.size();
  for (size_t i = 0; i < value.size(); ++i) {
    if ((static_cast<unsigned char>(value[i]) & 0xC0) == 0x80) continue;
    if (characters++ == kShown) cut = i;
  }
  // Control characters (a NUL in a name, a stray CR) are shown by their code, so that the
  // message stays on one line and shows what is there.
  std::string shown;
  for (char c : value.substr(0, cut)) {
    auto byte = static_cast<unsigned char>(c);
    shown += byte < 0x20 || byte == 0x7F ? "\\x" + HexPad(byte, 2) : std::string(1, c);
  }
  if (characters <= kShown) return "\"" + shown + "\"";
  return "\"" + shown + "...\" (" + std::to_string(characters) + " characters)";
}

}  // namespace tqm5
