#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>

#include "image/outcome.h"
#include "serial/serial_transport.h"

namespace tqm5::cli {
namespace {

struct VerbShape {
  int files;
  bool needs_port;
  bool takes_output;  // -o: only verbs that save a changed project
  bool needs_output;
  const char* usage;  // the verb's own help: synopsis, what it does, an example
};

const std::map<std::string, VerbShape>& Verbs() {
  static const auto* verbs = new std::map<std::string, VerbShape>{
      {"read",
       {0, true, true, false,
        "Usage: tqm5 read --port P --model M [-o FILE.M5]\n"
        "Reads the whole radio into a project file (default name radio-DATE-TIME.M5 in the\n"
        "current folder) and keeps a backup copy; an existing file of the default name is never\n"
        "replaced: \"-2\", \"-3\", ... is added instead.\n"
        "Example: tqm5 read --port 1 --model J -o my-radio.M5\n"}},
      {"write",
       {1, true, false, false,
        "Usage: tqm5 write --port P --model M FILE.M5 [--changes | --verify] [--accept-changes]\n"
        "Writes a project file to the whole radio. The settings come from the file; the model\n"
        "decides the identification and the variant's rules. A project whose lines were not all\n"
        "taken as they are (each is listed, with what was loaded instead) is not sent unless\n"
        "--accept-changes is given; then what was loaded is sent. Nothing is sent when the\n"
        "write could not finish (bank sizes that do not add up to 1000).\n"
        "--verify reads every block back after the write and compares it with what was sent.\n"
        "--changes sends only what differs from what the radio was last known to hold, once\n"
        "the radio has been checked to be that radio, and reads back all it sent; the radio\n"
        "ends as after a full write. What the radio was last known to hold comes from the\n"
        "read or write that last saved or used FILE.M5, whose \"SNAPSHOT\" line a write updates.\n"
        "Example: tqm5 write --port /dev/ttyUSB0 --model J my-radio.M5\n"}},
      {"backups",
       {0, false, false, false,
        "Usage: tqm5 backups\n"
        "Lists the kept backups newest first: the time, the radio model (\"?\" when not known),\n"
        "the used channels and the file.\n"
        "Example: tqm5 backups\n"}},
      {"restore",
       {1, true, false, false,
        "Usage: tqm5 restore BACKUP.M5 --port P --model M\n"
        "Writes a kept backup (a path, or a name that tqm5 backups lists) back to the radio.\n"
        "First says how it differs from what the radio was last known to hold; sends only the\n"
        "changes when the radio is found to hold that, otherwise writes and verifies everything.\n"
        "Example: tqm5 restore radio-20261206-143259.M5 --port 1 --model J\n"}},
      {"identify",
       {0, true, false, false,
        "Usage: tqm5 identify --port P --model M\n"
        "Sends the identification commands of the model and prints the one the radio accepted.\n"
        "Example: tqm5 identify --port 1 --model T\n"}},
      {"export-csv",
       {2, false, false, false,
        "Usage: tqm5 export-csv FILE.M5 OUT.CSV [--model M]\n"
        "Writes every channel of a project, 1..1623 with the empty ones, to a CSV file for a\n"
        "spreadsheet. Lines of the project that were not taken as they are are listed on\n"
        "stderr; the export goes on.\n"
        "Example: tqm5 export-csv my-radio.M5 channels.CSV\n"}},
      {"import-csv",
       {2, false, true, true,
        "Usage: tqm5 import-csv FILE.M5 IN.CSV -o OUT.M5 [--model M]\n"
        "Takes the channels of a CSV file into a project and saves it as a new project file.\n"
        "Lines of the project that were not taken as they are are listed on stderr too.\n"
        "Example: tqm5 import-csv my-radio.M5 channels.CSV -o edited.M5\n"}},
      {"diff",
       {2, false, false, false,
        "Usage: tqm5 diff A.M5 B.M5 [--model M]\n"
        "       tqm5 diff FILE.M5 --port P --model M\n"
        "Lists what differs from the first project to the second, or from a project to the\n"
        "radio (a full read), one line each as \"where: old -> new\": channels by number and\n"
        "column, settings by English caption, the title, DTMF, bank sizes, one-touch keys,\n"
        "glyphs and bank links. A channel not in use counts as empty; the save time, row\n"
        "labels and port are no difference. Prints nothing and exits 0 when they are equal,\n"
        "exits 1 when they differ and 2 when one could not be read (as diff does).\n"
        "Example: tqm5 diff my-radio.M5 --port 1 --model J\n"}},
      {"ports",
       {0, false, false, false,
        "Usage: tqm5 ports\n"
        "Lists the serial ports present, one a line: the port number it is (COM1..COM16),\n"
        "its device, the system's description, maker and vendor:product ids, and its stable\n"
        "name under /dev/serial/by-id, which stays the same in any USB socket. Any of these\n"
        "names goes to --port. A port you may not open says why and what to do.\n"
        "Example: tqm5 ports\n"}},
      {"export-channels",
       {2, false, false, false,
        "Usage: tqm5 export-channels FILE.M5 OUT.csv [--model M]\n"
        "Writes the used memories 1..1000 of a project as a channel list for other radio\n"
        "programs (columns Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq,\n"
        "cToneFreq, DtcsCode, DtcsPolarity, Mode, TStep, Skip, Comment; UTF-8). The carrier and\n"
        "the tone modes Train and SQ go to the Comment.\n"
        "Example: tqm5 export-channels my-radio.M5 channels.csv\n"}},
      {"import-channels",
       {2, false, true, true,
        "Usage: tqm5 import-channels FILE.M5 IN.csv -o OUT.M5 [--start N] [--model M]\n"
        "Puts the rows of a channel list from another radio program into consecutive memories\n"
        "from N (default: the first empty memory) and saves a new project file. A row holding\n"
        "a value this radio cannot keep exactly (split or off duplex, a Cross tone, a mode,\n"
        "step or tone it lacks, a name over 16 bytes, ...) is not imported; every such value\n"
        "is listed on stderr, as are replaced memories and rows that go on into another bank.\n"
        "Example: tqm5 import-channels my-radio.M5 list.csv -o edited.M5 --start 101\n"}},
      {"show",
       {1, false, false, false,
        "Usage: tqm5 show FILE.M5 [--model M]\n"
        "Prints the used channels, banks, one-touch keys, title, DTMF and settings of a project.\n"
        "Lines of the file that were not taken as they are are listed on stderr, each with what\n"
        "was loaded instead; the listing shows what was loaded and the exit status stays 0.\n"
        "Example: tqm5 show my-radio.M5\n"}},
      {"font-export",
       {2, false, false, false,
        "Usage: tqm5 font-export FILE.M5 OUT.FM5 [--model M]\n"
        "Writes the eight user glyphs of a project to a font file. Lines of the project that\n"
        "were not taken as they are are listed on stderr; the export goes on.\n"
        "Example: tqm5 font-export my-radio.M5 glyphs.FM5\n"}},
      {"font-import",
       {2, false, true, true,
        "Usage: tqm5 font-import FILE.M5 IN.FM5 -o OUT.M5 [--model M]\n"
        "Takes the glyphs of a font file into a project and saves it as a new project file.\n"
        "Lines of the project that were not taken as they are are listed on stderr; the new\n"
        "project holds what was loaded.\n"
        "Example: tqm5 font-import my-radio.M5 glyphs.FM5 -o with-glyphs.M5\n"}},
  };
  return *verbs;
}

}  // namespace

const char kUsage[] =
    "Usage: tqm5 VERB [OPTIONS] [FILES]\n"
    "\n"
    "Reads and writes the memory of a TQ-M5 radio and keeps it in project files (.M5).\n"
    "\n"
    "Radio verbs (need --port and --model):\n"
    "  read      [-o FILE.M5]   read the whole radio into a project file\n"
    "                           (default name radio-DATE-TIME.M5; a backup copy is kept too)\n"
    "  write     FILE.M5        write a project file to the whole radio (not sent while a line\n"
    "                           of it was not taken as it is, unless --accept-changes)\n"
    "  identify                 check which radio answers and print its identification\n"
    "  restore   BACKUP.M5      write a kept backup back, only the changes when known\n"
    "\n"
    "Ports (needs no option):\n"
    "  ports                    list the serial ports present: number, device, maker, stable\n"
    "                           name, and what to do about a port you may not open\n"
    "\n"
    "File verbs:\n"
    "  export-csv  FILE.M5 OUT.CSV          channels to a CSV file for a spreadsheet\n"
    "  import-csv  FILE.M5 IN.CSV -o OUT.M5 channels from a CSV file into a new project\n"
    "  export-channels FILE.M5 OUT.csv      used memories as a channel list for other programs\n"
    "  import-channels FILE.M5 IN.csv -o OUT.M5 [--start N]\n"
    "                                       a channel list into memories from N (default: the\n"
    "                                       first empty one)\n"
    "  show        FILE.M5                  print the used channels, banks, title, settings\n"
    "  diff        A.M5 B.M5                what differs between two projects, or between\n"
    "              FILE.M5 --port P --model M a project and the radio (exit 1 when any)\n"
    "  backups                              list the kept backups, newest first\n"
    "  font-export FILE.M5 OUT.FM5          the eight user glyphs to a font file\n"
    "  font-import FILE.M5 IN.FM5 -o OUT.M5 glyphs from a font file into a new project\n"
    "\n"
    "Options:\n"
    "  --port P        serial port: a number 1..16 (COM1..COM16, /dev/ttyUSB0..15 on Linux),\n"
    "                  a device path such as /dev/ttyUSB0, or \"sim\" for a simulated radio\n"
    "                  holding a demo memory (banks of named channels)\n"
    "  --model M       the radio variant: J, T or other (file verbs: how user glyphs and\n"
    "                  the \"Train\" tone mode are read; default J)\n"
    "  -o FILE         the project file a verb saves (read, import-csv, font-import)\n"
    "  --accept-changes  write: send a project whose lines were not all taken as they are\n"
    "  --changes       write: send only what the radio does not hold yet, and verify it\n"
    "  --verify        write: read back everything written and compare it with what was sent\n"
    "  --start N       import-channels: the first memory (1..1000) the rows go to\n"
    "                  (every verb lists such lines on stderr, with what was loaded instead)\n"
    "  -h, --help      this text; tqm5 VERB --help describes one verb\n"
    "  --version       the program's version\n"
    "  Each option is given once, as --port P or --port=P; -- ends the options, so that\n"
    "  a file name may start with \"-\" (but \"-\" alone is no file name).\n"
    "\n"
    "Exit status: 0 on success, 1 when the command failed, 2 for a usage error.\n";

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  std::string port, model, start;
  std::vector<std::string> stray;  // words before any verb: an unknown verb and what follows it
  CLI::App app("", "tqm5");
  // The help texts are this program's own (kUsage and each verb's usage, with its example):
  // -h is an ordinary flag, removed before the verbs are added so that none inherits CLI11's.
  app.set_help_flag();
  // Unknown options are collected and reported in this program's words, not CLI11's.
  app.allow_extras();
  // One verb: a later verb name is a file name ("tqm5 show read" shows a file named "read").
  app.require_subcommand(0, 1);
  // Every option once: a second value would silently replace the first. Each option's name as
  // the messages give it.
  const std::pair<CLI::Option*, const char*> named[] = {
      {app.add_flag("-h,--help", options.help), "--help"},
      {app.add_flag("--version", options.version), "--version"},
      {app.add_option("--port", port), "--port"},
      {app.add_option("--model", model), "--model"},
      {app.add_option("-o,--output", options.output), "-o"},
      {app.add_flag("--accept-changes", options.accept_changes), "--accept-changes"},
      {app.add_flag("--changes", options.changes), "--changes"},
      {app.add_flag("--verify", options.verify), "--verify"},
      {app.add_option("--start", start), "--start"},
  };
  for (const auto& [option, name] : named)
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("stray", stray);
  // Each verb takes its files; the options, before or after it, belong to the whole command
  // (CheckVerbArguments says which verb takes which).
  for (const auto& [name, shape] : Verbs()) {
    CLI::App* verb = app.add_subcommand(name);
    verb->fallthrough();
    verb->add_option("files", options.files);
  }
  // CLI11 takes the arguments without the program's name, last to first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ArgumentMismatch& e) {
    // "--model: 1 required TEXT missing": an option given last, or followed by another option.
    std::string name = e.what();
    name = name.substr(0, name.find(':'));
    error = (name == "--output" ? "-o" : name) + " needs a value";
    return std::nullopt;
  } catch (const CLI::ParseError& e) {
    error = e.what();
    return std::nullopt;
  }
  for (const std::string& extra : app.remaining(true)) {
    // CLI11 keeps the "--" that ends the options among the unused words.
    if (extra != "--" && extra.size() > 1 && extra[0] == '-') {
      error = "unknown option " + QuotedValue(extra.substr(0, extra.find('=')));
      return std::nullopt;
    }
  }
  for (const auto& [option, name] : named) {
    if (option->count() > 1) {
      error = std::string(name) + " is given " +
              (option->count() == 2 ? "twice" : std::to_string(option->count()) + " times") +
              ": give it once";
      return std::nullopt;
    }
  }
  if (!app.get_subcommands().empty()) options.verb = app.get_subcommands().front()->get_name();
  if (!stray.empty()) {
    // Not a verb: the first word is reported as the unknown verb.
    options.verb = stray.front();
    options.files.insert(options.files.begin(), stray.begin() + 1, stray.end());
  }
  if (app.count("--port") > 0) {
    if (!IsPortArgument(port)) {
      error = "port " + QuotedValue(port) +
              ": give a number 1..16 or COM1..COM16, a device path such as /dev/ttyUSB0, or sim";
      return std::nullopt;
    }
    options.port = port;
  }
  if (app.count("--model") > 0) {
    options.model = ParseModelOption(model);
    if (!options.model) {
      error = "unknown model " + QuotedValue(model) + ": use J, T or other";
      return std::nullopt;
    }
  }
  if (app.count("--start") > 0) {
    if (start.empty() || start.size() > 4 ||
        start.find_first_not_of("0123456789") != std::string::npos || std::stoi(start) < 1 ||
        std::stoi(start) > 1000) {
      error = "--start " + QuotedValue(start) + ": give a memory number 1..1000";
      return std::nullopt;
    }
    options.start = std::stoi(start);
  }
  // "-" is no file here: no verb reads standard input or writes standard output, and a file of
  // that name is easily made by mistake.
  if (options.output == "-" ||
      std::find(options.files.begin(), options.files.end(), "-") != options.files.end()) {
    error =
        "\"-\" is not taken as a file name (standard input and output are not used): give "
        "the file's name, ./- for a file named \"-\"";
    return std::nullopt;
  }
  return options;
}

std::string CheckVerbArguments(const Options& options) {
  if (options.verb.empty()) return "no verb given (try tqm5 --help)";
  auto it = Verbs().find(options.verb);
  if (it == Verbs().end())
    return "unknown verb " + QuotedValue(options.verb) + " (try tqm5 --help)";
  const VerbShape& shape = it->second;
  // diff compares two projects, or one project with the radio at --port.
  if (options.verb == "diff" && !options.port.empty()) {
    if (options.files.size() != 1) return "diff --port takes 1 file (try tqm5 diff --help)";
    if (!options.model) return "diff --port needs --model J, T or other";
  } else if (static_cast<int>(options.files.size()) != shape.files) {
    return options.verb + " takes " + std::to_string(shape.files) + " file" +
           (shape.files == 1 ? "" : "s") + " (try tqm5 --help)";
  }
  if (shape.needs_port && options.port.empty()) return options.verb + " needs --port";
  if (shape.needs_port && !options.model) return options.verb + " needs --model J, T or other";
  if (!shape.takes_output && !options.output.empty()) {
    return options.verb +
           " does not take -o (it names the changed project that read, import-csv, "
           "import-channels and font-import save)";
  }
  if (shape.needs_output && options.output.empty()) return options.verb + " needs -o OUT.M5";
  if (options.accept_changes && options.verb != "write") {
    return options.verb +
           " does not take --accept-changes (it lets write send a project whose "
           "lines were not all taken as they are)";
  }
  if ((options.changes || options.verify) && options.verb != "write") {
    return options.verb + " does not take " + (options.changes ? "--changes" : "--verify") +
           " (they choose how write sends a project)";
  }
  if (options.start != 0 && options.verb != "import-channels") {
    return options.verb +
           " does not take --start (it names the first memory import-channels "
           "fills)";
  }
  if (options.changes && options.verify) {
    return "write takes --changes or --verify, not both (a write of changes always verifies)";
  }
  return "";
}

std::string VerbUsage(const std::string& verb) {
  auto it = Verbs().find(verb);
  return it == Verbs().end() ? "" : it->second.usage;
}

}  // namespace tqm5::cli
