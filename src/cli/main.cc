// `tqm5`: the clone utility on the command line.
#include <QtCore/QCoreApplication>
#include <csignal>
#include <iostream>

#include "cli/options.h"
#include "cli/verbs.h"

namespace {

void RequestCancel(int signal_number) {
  tqm5::cli::g_stop_signal = signal_number;
  tqm5::cli::g_cancel_requested = true;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away (`tqm5 write ... | head -1`) must never stop a transfer half-way:
  // output to a closed pipe fails quietly instead of ending the program, and the transfer
  // goes on to its end, which the exit status reports.
  std::signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  std::optional<tqm5::cli::Options> options = tqm5::cli::ParseOptions(args, error);
  if (!options) {
    std::cerr << "tqm5: " << error << "\n";
    return 2;
  }
  if (args.empty()) {
    std::cerr << tqm5::cli::kUsage;
    return 2;
  }
  if (options->version) {
    std::cout << "tqm5 " << TQM5_VERSION << "\n";
    return 0;
  }
  if (options->help) {
    std::string verb_usage = tqm5::cli::VerbUsage(options->verb);
    std::cout << (verb_usage.empty() ? tqm5::cli::kUsage : verb_usage);
    return 0;
  }
  error = tqm5::cli::CheckVerbArguments(*options);
  if (!error.empty()) {
    std::cerr << "tqm5: " << error << "\n";
    return 2;
  }
  // The serial port classes want an application object; there is no event loop.
  QCoreApplication app(argc, argv);
  // Ctrl-C, a termination request and a closed terminal stop a transfer between two
  // exchanges, so the port is closed properly and the user is told. The file verbs keep the
  // default action: their saves replace a file only when complete.
  const std::string& verb = options->verb;
  if (verb == "read" || verb == "write" || verb == "identify" || verb == "restore" ||
      (verb == "diff" && !options->port.empty())) {
    struct sigaction action = {};
    action.sa_handler = RequestCancel;
    action.sa_flags = SA_RESETHAND;  // a second signal ends the program at once
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal_number, &action, nullptr);
  }
  return tqm5::cli::RunVerb(*options, std::cout, std::cerr);
}
