// The store of radio snapshots: what the program knew a radio held after a read or a write, kept
// across sessions in the program's data folder beside the backups, one file per snapshot named
// by the digest of its text. A project file names the snapshot of the radio it was read from or
// written to with one line, "SNAPSHOT" + the digest, so that opening the project again still
// knows what that radio held.
//
// A snapshot file is text, each line ended by LF:
//
//   TQ-M5 radio snapshot 1        the kind and the version of the file
//   identification ZR~TQ-M5J      the identification command the radio accepted
//   updated 1765029955.250000     seconds since 1970-01-01 UTC, six decimals
//   block 001A0 4142...           one known block: address, 128 digits ("??" unknown byte)
//   end
//
// The blocks are in ascending address order, each once.
#ifndef TQM5_FILES_SNAPSHOT_STORE_H_
#define TQM5_FILES_SNAPSHOT_STORE_H_

#include <optional>
#include <string>
#include <string_view>

#include "model/radio_snapshot.h"

namespace tqm5 {

// The project line's key; older loaders skip a line whose first two characters they do not know.
inline constexpr std::string_view kSnapshotKey = "SNAPSHOT";
inline constexpr size_t kSnapshotDigestLength = 16;

// The text of a snapshot file.
std::string SnapshotText(const RadioSnapshot& snapshot);

// Reads a snapshot file's text. On failure returns false and `error` names the line and what is
// wrong with it; `snapshot` is then unchanged.
bool ParseSnapshotText(std::string_view text, RadioSnapshot& snapshot, std::string& error);

// The digest that names a snapshot file of `text`: 16 lower-case hex digits.
std::string SnapshotDigest(std::string_view text);

// True for text that can be a digest: 16 lower-case hex digits.
bool IsSnapshotDigest(std::string_view text);

// The store: "snapshots" beside the backups folder (see `BackupFolder`). Empty when no data
// folder is known; `why` then says so.
std::string SnapshotFolder(std::string* why = nullptr);

// Keeps `snapshot` in the store (the folder is created when missing; a file of the same digest
// holds the same text and stays) and returns its digest. A snapshot that knows no block is not
// kept. On failure returns "" and `error` says why.
std::string StoreSnapshot(const RadioSnapshot& snapshot, std::string& error);

// The snapshot of digest `digest` from the store. A snapshot that is missing, damaged (its text
// does not give its digest or cannot be read) gives nothing and one line in `problem` saying
// what it means: nothing is known of the radio until it is read again.
std::optional<RadioSnapshot> LoadStoredSnapshot(const std::string& digest, std::string& problem);

// Sets the snapshot line of the project file `path` to `digest`, leaving every other line as it
// is: the old line is replaced, or a new one put before the port line (or the end line). The
// replace is atomic; the caller keeps a copy of the old file first. False with `error` on
// failure.
bool SetProjectSnapshotLine(const std::string& path, const std::string& digest, std::string& error);

}  // namespace tqm5

#endif  // TQM5_FILES_SNAPSHOT_STORE_H_
