#include "image/outcome.h"

#include <utility>

#include "image/hex.h"

namespace tqm5 {
Outcome MessageOutcome(OutcomeKind kind, std::string text, std::string title, OutcomeIcon icon) {
  Outcome outcome = SilentOutcome(kind, "");
  outcome.shown = true;
  outcome.text = std::move(text);
  outcome.title = std::move(title);
  outcome.icon = icon;
  return outcome;
}

Outcome SilentOutcome(OutcomeKind kind, std::string detail) {
  Outcome outcome;
  outcome.kind = kind;
  outcome.success = kind == OutcomeKind::kDone;
  outcome.detail = std::move(detail);
  return outcome;
}

Outcome SuccessOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Success", " Finish", OutcomeIcon::kNone);
}

Outcome ReadAllSuccessOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Success ALL DATA READ", " Finish", OutcomeIcon::kNone);
}

Outcome CompleteOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Complete", "Complete", OutcomeIcon::kNone);
}

Outcome ErrorOutcome(OutcomeIcon icon, OutcomeKind kind) {
  return MessageOutcome(kind, "Error", " Error", icon);
}

Outcome CancelledOutcome() {
  return MessageOutcome(OutcomeKind::kCancelled, "Cancelled", " Error", OutcomeIcon::kNone);
}

Outcome PassRuleOutcome() {
  return MessageOutcome(OutcomeKind::kWriteRefused,
                        "PASSバンクは、全て含めるか1つも含めないように。", " Error",
                        OutcomeIcon::kCritical);
}

Outcome FileRefusedOutcome(std::string title) {
  return MessageOutcome(OutcomeKind::kFileRefused, "This File don't Open", std::move(title),
                        OutcomeIcon::kNone);
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
