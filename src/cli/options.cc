#include "cli/options.h"

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
        "Usage: tqm5 write --port P --model M FILE.M5 [--accept-changes]\n"
        "Writes a project file to the whole radio. The settings come from the file; the model\n"
        "decides the identification and the variant's rules. A project whose lines were not all\n"
        "taken as they are (each is listed, with what was loaded instead) is not sent unless\n"
        "--accept-changes is given; then what was loaded is sent. Nothing is sent when the\n"
        "write could not finish (bank sizes that do not add up to 1000).\n"
        "Example: tqm5 write --port /dev/ttyUSB0 --model J my-radio.M5\n"}},
      {"identify",
       {0, true, false, false,
        "Usage: tqm5 identify --port P --model M\n"
        "Sends the identification commands of the model and prints the one the radio accepted.\n"
        "Example: tqm5 identify --port 1 --model T\n"}},
      {"export-csv",
       {2, false, false, false,
        "Usage: tqm5 export-csv FILE.M5 OUT.CSV [--model M]\n"
        "Writes the used channels of a project to a CSV file for a spreadsheet. Lines of the\n"
        "project that were not taken as they are are listed on stderr; the export goes on.\n"
        "Example: tqm5 export-csv my-radio.M5 channels.CSV\n"}},
      {"import-csv",
       {2, false, true, true,
        "Usage: tqm5 import-csv FILE.M5 IN.CSV -o OUT.M5 [--model M]\n"
        "Takes the channels of a CSV file into a project and saves it as a new project file.\n"
        "Lines of the project that were not taken as they are are listed on stderr too.\n"
        "Example: tqm5 import-csv my-radio.M5 channels.CSV -o edited.M5\n"}},
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
    "\n"
    "File verbs:\n"
    "  export-csv  FILE.M5 OUT.CSV          channels to a CSV file for a spreadsheet\n"
    "  import-csv  FILE.M5 IN.CSV -o OUT.M5 channels from a CSV file into a new project\n"
    "  show        FILE.M5                  print the used channels, banks, title, settings\n"
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
    "                  (every verb lists such lines on stderr, with what was loaded instead)\n"
    "  -h, --help      this text; tqm5 VERB --help describes one verb\n"
    "  --version       the program's version\n"
    "\n"
    "Exit status: 0 on success, 1 when the command failed, 2 for a usage error.\n";

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        error = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--port") {
      auto v = value("--port");
      if (!v) return std::nullopt;
      if (!IsPortArgument(*v)) {
        error = "port " + QuotedValue(*v) +
                ": give a number 1..16, a device path such as /dev/ttyUSB0, or sim";
        return std::nullopt;
      }
      options.port = *v;
    } else if (arg == "--model") {
      auto v = value("--model");
      if (!v) return std::nullopt;
      options.model = ParseModelOption(*v);
      if (!options.model) {
        error = "unknown model " + QuotedValue(*v) + ": use J, T or other";
        return std::nullopt;
      }
    } else if (arg == "--accept-changes") {
      options.accept_changes = true;
    } else if (arg == "-o" || arg == "--output") {
      auto v = value("-o");
      if (!v) return std::nullopt;
      options.output = *v;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + QuotedValue(arg);
      return std::nullopt;
    } else if (options.verb.empty()) {
      options.verb = arg;
    } else {
      options.files.push_back(arg);
    }
  }
  return options;
}

std::string CheckVerbArguments(const Options& options) {
  if (options.verb.empty()) return "no verb given (try tqm5 --help)";
  auto it = Verbs().find(options.verb);
  if (it == Verbs().end())
    return "unknown verb " + QuotedValue(options.verb) + " (try tqm5 --help)";
  const VerbShape& shape = it->second;
  if (static_cast<int>(options.files.size()) != shape.files) {
    return options.verb + " takes " + std::to_string(shape.files) + " file" +
           (shape.files == 1 ? "" : "s") + " (try tqm5 --help)";
  }
  if (shape.needs_port && options.port.empty()) return options.verb + " needs --port";
  if (shape.needs_port && !options.model) return options.verb + " needs --model J, T or other";
  if (!shape.takes_output && !options.output.empty()) {
    return options.verb +
           " does not take -o (it names the changed project that read, import-csv and "
           "font-import save)";
  }
  if (shape.needs_output && options.output.empty()) return options.verb + " needs -o OUT.M5";
  if (options.accept_changes && options.verb != "write") {
    return options.verb +
           " does not take --accept-changes (it lets write send a project whose "
           "lines were not all taken as they are)";
  }
  return "";
}

std::string VerbUsage(const std::string& verb) {
  auto it = Verbs().find(verb);
  return it == Verbs().end() ? "" : it->second.usage;
}

}  // namespace tqm5::cli
