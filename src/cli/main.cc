// `tqm5`: the clone utility on the command line.
#include <QtCore/QCoreApplication>
#include <csignal>
#include <iostream>

#include "cli/options.h"
#include "cli/verbs.h"

namespace {

void RequestCancel(int) { tqm5::cli::g_cancel_requested = true; }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  std::optional<tqm5::cli::Options> options = tqm5::cli::ParseOptions(args, error);
  if (!options) {
    std::cerr << "tqm5: " << error << "\n";
    return 2;
  }
  if (options->help || args.empty()) {
    std::cout << tqm5::cli::kUsage;
    return args.empty() ? 2 : 0;
  }
  error = tqm5::cli::CheckVerbArguments(*options);
  if (!error.empty()) {
    std::cerr << "tqm5: " << error << "\n";
    return 2;
  }
  // The serial port classes want an application object; there is no event loop.
  QCoreApplication app(argc, argv);
  // Ctrl-C stops a transfer between two exchanges, so the port is closed properly.
  struct sigaction action = {};
  action.sa_handler = RequestCancel;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the program at once
  sigaction(SIGINT, &action, nullptr);
  return tqm5::cli::RunVerb(*options, std::cout, std::cerr);
}
