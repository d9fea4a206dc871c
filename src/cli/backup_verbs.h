// The kept backups on the command line: `tqm5 backups` lists them, and `tqm5 restore` (in
// verbs.cc, beside `write`) writes one back after saying how it differs from the radio.
#ifndef TQM5_CLI_BACKUP_VERBS_H_
#define TQM5_CLI_BACKUP_VERBS_H_

#include <iosfwd>
#include <string>

#include "image/model_option.h"
#include "model/memory_image.h"
#include "model/radio_snapshot.h"

namespace tqm5::cli {

// `tqm5 backups`: the project files of the backups folder, newest first, one line each: the
// time the copy was made, the radio model its snapshot names ("?" when none is known), the
// used channels and the file. Returns the exit status.
int ListBackups(std::ostream& out, std::ostream& err);

// The backup a restore names: `name` as given, or else a file of that name in the backups
// folder.
std::string BackupPath(const std::string& name);

// The newest snapshot in the store of a radio that answered as `model`; empty when none.
RadioSnapshot NewestKnownRadio(ModelOption model);

// One line saying what a full write of `image` would change in the radio `radio` describes:
// the channels by number and the areas by name, or that nothing is known to compare with.
std::string DifferenceSummary(const MemoryImage& image, const RadioSnapshot& radio);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_BACKUP_VERBS_H_
