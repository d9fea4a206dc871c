// The verbs of `tqm5`. Each returns the exit status: 0 on success, 1 when the command failed.
#ifndef TQM5_CLI_VERBS_H_
#define TQM5_CLI_VERBS_H_

#include <atomic>
#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "image/outcome.h"
#include "model/memory_image.h"

namespace tqm5::cli {

// Set by Ctrl-C, a termination request or a closed terminal: the running transfer stops before
// its next exchange and closes the port. `g_stop_signal` is the signal that set it.
extern std::atomic<bool> g_cancel_requested;
extern std::atomic<int> g_stop_signal;

// Why the transfer stopped, naming the signal: "stopped by Ctrl-C (SIGINT)".
std::string StopReason(int signal_number);

// Prints an outcome: the message text on `out` when it reports success, one line on `err`
// otherwise. Returns the exit status.
int Report(const Outcome& outcome, const std::string& what, std::ostream& out, std::ostream& err);

// Loads a project file into a fresh start-up image; false after reporting why not. The model
// is selected first, as at start-up, so that the file's own settings (its language among them)
// are the ones that stay; selecting it again after the load would reset the language. Every
// line that was not taken as it stands is listed on `err`, one each ("FILE: line 12, ..."), and
// counted in `problem_count` when given. `snapshot_digest`, when given, receives the digest of
// the radio snapshot the file names.
bool LoadProjectFile(const Options& options, const std::string& path, MemoryImage& image,
                     std::ostream& err, size_t* problem_count = nullptr,
                     std::string* snapshot_digest = nullptr);

// Saves the image as a project file, keeping a copy of a file it replaces; prints where. A
// `snapshot_digest` gives the file the line that names what the radio holds.
int SaveProjectFile(const MemoryImage& image, const std::string& path, const std::string& verb,
                    std::ostream& out, std::ostream& err, const std::string& snapshot_digest = "");

// Runs a verb whose arguments CheckVerbArguments accepted.
int RunVerb(const Options& options, std::ostream& out, std::ostream& err);

// Loads a project file the way every verb does, listing on `err` each line that was not taken
// as it stands; false after saying on `err` why the file could not be loaded.
bool LoadProjectForVerb(const Options& options, const std::string& path, MemoryImage& image,
                        std::ostream& err);
// Reads the whole radio at --port as --model into `image`, with a progress bar on stderr;
// false after saying on `err` why the read failed.
bool ReadRadioForVerb(const Options& options, MemoryImage& image, std::ostream& err);

// `tqm5 diff`: lists what differs between two projects, or a project and the radio. Exit status
// 0 when they are equal, 1 when they differ, 2 when one could not be read.
int Diff(const Options& options, std::ostream& out, std::ostream& err);

// `tqm5 ports`: the serial ports present, each with its names and why it may not be opened.
int Ports(std::ostream& out);

// The readable listing of `tqm5 show`: used channels, banks, one-touch keys, title, DTMF and
// the settings with their English captions.
void PrintImage(const MemoryImage& image, std::ostream& out);

}  // namespace tqm5::cli

#endif  // TQM5_CLI_VERBS_H_
