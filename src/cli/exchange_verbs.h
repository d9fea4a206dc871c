// The verbs of the channel list other radio programs exchange: export-channels and
// import-channels.
#ifndef TQM5_CLI_EXCHANGE_VERBS_H_
#define TQM5_CLI_EXCHANGE_VERBS_H_

#include <iosfwd>

#include "cli/options.h"

namespace tqm5::cli {

// export-channels FILE.M5 OUT.csv: the used memories as a channel list.
int ExportChannelsVerb(const Options& options, std::ostream& out, std::ostream& err);

// import-channels FILE.M5 IN.csv -o OUT.M5 [--start N]: every row that was not imported, every
// replaced memory and every change of bank is listed on `err`; the project is saved with the rows
// that were, and the exit status is 1 when anything was listed. A file that is no channel list,
// or a project without an empty memory when no --start is given, saves nothing.
int ImportChannelsVerb(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_EXCHANGE_VERBS_H_
