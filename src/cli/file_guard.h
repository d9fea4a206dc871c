// What keeps a verb from destroying a file: an output that is one of its inputs is refused, an
// output that cannot be written is found before the work starts, and a file is copied into the
// backups folder before a verb replaces it.
#ifndef TQM5_CLI_FILE_GUARD_H_
#define TQM5_CLI_FILE_GUARD_H_

#include <functional>
#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "image/outcome.h"

namespace tqm5::cli {

// Checks the files of a verb whose arguments CheckVerbArguments accepted, before anything is
// read or written. An output that is the same file as an input (by any name: "./a.M5", a
// symbolic or hard link, the serial port's device) is a usage error: 2. An output that cannot be
// written, or an existing output that could not be copied before it is replaced, fails the
// command: 1, before a long read of the radio. Prints the one line on `err`; 0 when all is well.
int CheckVerbFiles(const Options& options, std::ostream& err);

// Runs `save`, which replaces or creates `path`. An existing file is first copied into the
// backups folder and one line on `out` says where; when no copy can be made, `save` does not
// run and the outcome says why.
Outcome SaveKeepingACopy(const std::string& path, std::ostream& out,
                         const std::function<Outcome()>& save);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_FILE_GUARD_H_
