// The command line of `tqm5`: a verb, its files, and the port and model options.
#ifndef TQM5_CLI_OPTIONS_H_
#define TQM5_CLI_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "image/model_option.h"

namespace tqm5::cli {

struct Options {
  std::string verb;
  std::vector<std::string> files;    // positional arguments after the verb
  std::string port;                  // --port: 1..16, a device path, or "sim" (checked)
  std::optional<ModelOption> model;  // --model J|T|other
  std::string output;                // -o FILE
  bool accept_changes = false;       // --accept-changes: write a project whose lines were not
                                     // all taken as they are
  bool changes = false;              // --changes: write only what the radio does not hold
  bool verify = false;               // --verify: read back what a full write sent
  int start = 0;                     // --start N: the first memory import-channels fills
                                     // (0: the first empty one)
  bool help = false;
  bool version = false;
};

// Parses argv. On a mistake returns nothing and sets `error` to one line for the user.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// Checks the verb's arguments (file count, required options); empty when they are right.
std::string CheckVerbArguments(const Options& options);

// The help of one verb, with an example; empty for an unknown verb.
std::string VerbUsage(const std::string& verb);

extern const char kUsage[];

}  // namespace tqm5::cli

#endif  // TQM5_CLI_OPTIONS_H_
