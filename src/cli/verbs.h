// The verbs of `tqm5`. Each returns the exit status: 0 on success, 1 when the command failed.
#ifndef TQM5_CLI_VERBS_H_
#define TQM5_CLI_VERBS_H_

#include <atomic>
#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "model/memory_image.h"

namespace tqm5::cli {

// Set by Ctrl-C, a termination request or a closed terminal: the running transfer stops before
// its next exchange and closes the port. `g_stop_signal` is the signal that set it.
extern std::atomic<bool> g_cancel_requested;
extern std::atomic<int> g_stop_signal;

// Why the transfer stopped, naming the signal: "stopped by Ctrl-C (SIGINT)".
std::string StopReason(int signal_number);

// Runs a verb whose arguments CheckVerbArguments accepted.
int RunVerb(const Options& options, std::ostream& out, std::ostream& err);

// The readable listing of `tqm5 show`: used channels, banks, one-touch keys, title, DTMF and
// the settings with their English captions.
void PrintImage(const MemoryImage& image, std::ostream& out);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_VERBS_H_
