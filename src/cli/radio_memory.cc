#include "cli/radio_memory.h"

#include <optional>
#include <ostream>

#include "cli/file_guard.h"
#include "files/snapshot_store.h"

namespace tqm5::cli {

std::string KeepSnapshot(const RadioSnapshot& radio, const std::string& verb, std::ostream& err) {
  std::string error;
  std::string digest = StoreSnapshot(radio, error);
  if (digest.empty()) {
    err << "tqm5 " << verb << ": what the radio holds was not kept (" << error
        << "): a later write --changes will need a new read\n";
  }
  return digest;
}

RadioSnapshot SnapshotOfProject(const std::string& digest, const std::string& path,
                                const std::string& verb, std::ostream& err) {
  if (digest.empty()) return {};
  std::string problem;
  std::optional<RadioSnapshot> snapshot = LoadStoredSnapshot(digest, problem);
  if (!snapshot) {
    err << "tqm5 " << verb << ": " << path << ": " << problem << "\n";
    return {};
  }
  return *snapshot;
}

void RefreshProjectSnapshot(const RadioSnapshot& radio, const std::string& path,
                            const std::string& named, std::ostream& out, std::ostream& err) {
  std::string digest = KeepSnapshot(radio, "write", err);
  if (digest.empty() || digest == named) return;
  Outcome outcome = SaveKeepingACopy(path, out, [&] {
    std::string error;
    if (SetProjectSnapshotLine(path, digest, error)) return SuccessOutcome();
    return SilentOutcome(OutcomeKind::kFileFailed, error);
  });
  if (outcome.success) {
    out << "Updated " << path << ": it names what the radio now holds (snapshot " << digest
        << ")\n";
  } else {
    err << "tqm5 write: " << path << " still names what the radio held before: " << outcome.detail
        << "\n";
  }
}

}  // namespace tqm5::cli
