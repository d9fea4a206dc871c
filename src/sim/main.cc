// tqm5-sim: a simulated TQ-M5 radio on a pseudo-terminal, for trying the clone utility, its
// command-line tools and its benchmarks without a radio. Prints the device to connect to as
// the first line of its output, then serves until interrupted.
#include <signal.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "sim/pty_server.h"
#include "sim/sim_radio.h"

namespace tqm5 {
namespace {

constexpr std::string_view kUsage =
    "usage: tqm5-sim [options]\n"
    "Serves a simulated TQ-M5 radio on a pseudo-terminal and prints the device path.\n"
    "\n"
    "  --variant NAME        TQ-M5 (default), TQ-M5J, TQ-M5T, TQ-M5E, TQ-M5EG or TQ-M5K\n"
    "  --factory             start with the memory of a new radio instead of the demo\n"
    "                        memory (banks of named channels, a title and a glyph)\n"
    "  --image FILE          radio memory: loaded at start if FILE exists (0x20000 bytes),\n"
    "                        saved back on SIGINT or SIGTERM\n"
    "  --link PATH           make PATH a symbolic link to the device while serving\n"
    "  --pace                send and take bytes at the speed of a 57600-baud line\n"
    "  --stop-after N        answer the first N command lines, then nothing\n"
    "  --hang-up-after N     answer the first N command lines, then close the line as an\n"
    "                        unplugged cable would, and exit\n"
    "  --garble-after N      answer the first N command lines, then send line noise instead\n"
    "                        of each reply (commands still take effect)\n"
    "  --refuse-write ADDR   answer writes at ADDR (hex, e.g. 00200) with NG; repeatable\n"
    "  --no-read-reply ADDR  leave reads at ADDR unanswered; repeatable\n"
    "  --corrupt-every N     store every N-th write with one byte wrong (still answered OK)\n"
    "  --drop-leading-crlf   leave out the CR LF between the echo and the reply\n"
    "  --delay MS            answer each command MS milliseconds late\n"
    "  --help                show this text\n";

struct Options {
  SimVariant variant = kTqM5;
  std::string image_path;
  std::string link_path;
  bool pace = false;
  SimContent content = SimContent::kDemo;
  SimFaults faults;
};

std::optional<int64_t> ParseNumber(std::string_view text, int base) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

// Parses the command line; on a bad option returns the one-line error.
std::optional<std::string> ParseOptions(const std::vector<std::string_view>& args, Options& options,
                                        bool& help) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view option = args[i];
    auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto missing = [&] { return std::string(option) + " needs a value"; };
    if (option == "--help" || option == "-h") {
      help = true;
    } else if (option == "--factory") {
      options.content = SimContent::kFactory;
    } else if (option == "--pace") {
      options.pace = true;
    } else if (option == "--drop-leading-crlf") {
      options.faults.drop_leading_crlf = true;
    } else if (option == "--variant") {
      const auto name = value();
      if (!name) return missing();
      const auto variant = ParseSimVariant(*name);
      if (!variant) return "unknown variant " + std::string(*name);
      options.variant = *variant;
    } else if (option == "--image" || option == "--link") {
      const auto path = value();
      if (!path || path->empty()) return missing();
      (option == "--image" ? options.image_path : options.link_path) = *path;
    } else if (option == "--stop-after" || option == "--hang-up-after" ||
               option == "--garble-after" || option == "--delay" || option == "--corrupt-every") {
      const auto text = value();
      if (!text) return missing();
      const auto number = ParseNumber(*text, 10);
      if (!number || *number > 1'000'000'000) {
        return std::string(option) + ": not a count: " + std::string(*text);
      }
      if (option == "--stop-after") {
        options.faults.stop_after = static_cast<int>(*number);
      } else if (option == "--hang-up-after") {
        options.faults.hang_up_after = static_cast<int>(*number);
      } else if (option == "--garble-after") {
        options.faults.garble_after = static_cast<int>(*number);
      } else if (option == "--corrupt-every") {
        options.faults.corrupt_every = static_cast<int>(*number);
      } else {
        options.faults.reply_delay = std::chrono::milliseconds(*number);
      }
    } else if (option == "--refuse-write" || option == "--no-read-reply") {
      const auto text = value();
      if (!text) return missing();
      const auto address = ParseNumber(*text, 16);
      if (!address || text->size() > 5 || *address >= SimRadio::kMemorySize) {
        return std::string(option) + ": not an address from 00000 to 1FFFF: " + std::string(*text);
      }
      (option == "--refuse-write" ? options.faults.refuse_write_at
                                  : options.faults.no_read_reply_at)
          .insert(static_cast<int>(*address));
    } else {
      return "unknown option " + std::string(option) + " (see --help)";
    }
  }
  return std::nullopt;
}

// Replaces an existing symbolic link, but never a real file.
std::optional<std::string> MakeLink(const std::string& link, const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(link, error);
  if (fs::is_symlink(status)) {
    fs::remove(link, error);
  } else if (fs::exists(status)) {
    return link + " exists and is not a symbolic link";
  }
  fs::create_symlink(target, link, error);
  if (error) return "cannot create link " + link + ": " + error.message();
  return std::nullopt;
}

int Run(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  Options options;
  bool help = false;
  if (auto error = ParseOptions(args, options, help)) {
    std::cerr << "tqm5-sim: " << *error << "\n";
    return 2;
  }
  if (help) {
    std::cout << kUsage;
    return 0;
  }

  SimRadio radio(options.variant, options.content);
  if (!options.image_path.empty()) {
    std::error_code error;
    // A folder would open as a stream whose first read throws, and a device such as
    // /dev/zero would never end; neither can take the memory back at the end either.
    const auto status = std::filesystem::status(options.image_path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
      std::cerr << "tqm5-sim: cannot load the radio memory: " << options.image_path
                << (std::filesystem::is_directory(status) ? " is a folder, not a file\n"
                                                          : " is not a regular file\n");
      return 2;
    }
    if (std::filesystem::exists(options.image_path, error)) {
      std::string why;
      if (!radio.LoadImage(options.image_path, &why)) {
        std::cerr << "tqm5-sim: cannot load the radio memory: " << why << "\n";
        return 2;
      }
    }
  }
  radio.set_faults(options.faults);

  // The signals that end the simulator are taken by this thread alone, with sigwait, so the
  // server thread (which inherits the mask) is never interrupted and the memory is saved from
  // ordinary code.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  SimPtyServer server(std::move(radio), options.pace);
  // A radio that hangs up ends the simulator as a stop signal would, saving its memory.
  server.set_on_hang_up([] { kill(getpid(), SIGHUP); });
  const std::string device = server.Start();
  if (device.empty()) {
    std::cerr << "tqm5-sim: cannot open a pseudo-terminal: " << server.ErrorText() << "\n";
    return 1;
  }
  if (!options.link_path.empty()) {
    if (auto error = MakeLink(options.link_path, device)) {
      std::cerr << "tqm5-sim: " << *error << "\n";
      return 2;
    }
  }
  std::cout << device << std::endl;

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  server.Stop();

  int status = 0;
  if (!server.ErrorText().empty()) {
    std::cerr << "tqm5-sim: the server stopped: " << server.ErrorText() << "\n";
    status = 1;
  }
  if (!options.image_path.empty() && !server.radio().SaveImage(options.image_path)) {
    std::cerr << "tqm5-sim: cannot save the radio memory to " << options.image_path << "\n";
    status = 1;
  }
  if (!options.link_path.empty()) {
    std::error_code error;
    // Only the link this run made; another simulator may have taken the name since.
    if (std::filesystem::read_symlink(options.link_path, error) == device) {
      std::filesystem::remove(options.link_path, error);
    }
  }
  return status;
}

}  // namespace
}  // namespace tqm5

int main(int argc, char** argv) { return tqm5::Run(argc, argv); }
