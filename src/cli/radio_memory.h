// What the command line knows of a radio across runs: the snapshot a read or write leaves is
// kept in the store, and the project file read from or written to the radio names it.
#ifndef TQM5_CLI_RADIO_MEMORY_H_
#define TQM5_CLI_RADIO_MEMORY_H_

#include <iosfwd>
#include <string>

#include "model/radio_snapshot.h"

namespace tqm5::cli {

// Keeps `radio` in the store and returns its digest. When it cannot be kept, prints one line on
// `err` ("tqm5 VERB: ...") and returns "": the project then names no snapshot.
std::string KeepSnapshot(const RadioSnapshot& radio, const std::string& verb, std::ostream& err);

// The snapshot the project `path` names by `digest` ("" for none). A snapshot missing from the
// store or damaged there is one line on `err` and gives an empty snapshot: nothing known.
RadioSnapshot SnapshotOfProject(const std::string& digest, const std::string& path,
                                const std::string& verb, std::ostream& err);

// After a write of the project `path`, which names the snapshot `named`: keeps `radio` in the
// store and, when that is another snapshot, sets the project's snapshot line to it, keeping a
// copy of the old file first; each step says what it did on `out`, or why not on `err`.
// Nothing else in the file changes.
void RefreshProjectSnapshot(const RadioSnapshot& radio, const std::string& path,
                            const std::string& named, std::ostream& out, std::ostream& err);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_RADIO_MEMORY_H_
