#include "gui/kept_files.h"

#include <cctype>
#include <optional>

#include "files/file_ops.h"
#include "files/snapshot_store.h"

namespace tqm5::gui {

Outcome SaveOverACopy(const std::string& path, const std::function<Outcome()>& save) {
  std::string backup, error;
  if (!KeepBackupCopy(path, backup, error)) {
    Outcome refused = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kFileFailed);
    refused.detail = "No copy of " + path + " could be kept before replacing it: " + error + "; " +
                     path + " was not changed.";
    return refused;
  }
  Outcome outcome = save();
  if (outcome.success && !backup.empty()) {
    outcome.detail += (outcome.detail.empty() ? "" : "\n") +
                      std::string("The old file was kept as ") + backup + ".";
  }
  return outcome;
}

std::string KeepRadioSnapshot(const RadioSnapshot& radio, std::string& problem) {
  problem.clear();
  if (radio.blocks.empty() || radio.identification.empty()) return "";
  std::string error;
  std::string digest = StoreSnapshot(radio, error);
  if (digest.empty()) {
    problem = "What the radio holds was not kept with the file (" + error +
              "): after opening it again, Write Changes needs a new read.";
  }
  return digest;
}

RadioSnapshot RadioOfOpenedProject(const std::string& digest, const RadioSnapshot& known,
                                   std::string& problem) {
  problem.clear();
  if (digest.empty()) return known;
  std::optional<RadioSnapshot> stored = LoadStoredSnapshot(digest, problem);
  if (!stored) {
    problem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(problem[0])));
    problem += ".";
    return known;
  }
  // The radio may have been read or written in this session after the file was saved.
  if (known.updated && stored->updated && *known.updated > *stored->updated) return known;
  return *stored;
}

}  // namespace tqm5::gui
