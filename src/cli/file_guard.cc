#include "cli/file_guard.h"

#include <filesystem>
#include <ostream>
#include <vector>

#include "files/file_ops.h"
#include "serial/serial_transport.h"

namespace tqm5::cli {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

// A file a verb reads or writes: as the command line named it, and its path.
struct VerbFile {
  std::string shown;  // "a.M5", "-o b.M5", "--port /dev/ttyUSB0"
  std::string path;
};

struct VerbFiles {
  std::vector<VerbFile> inputs;
  std::vector<VerbFile> saved;    // files the verb saves (replaced whole, after a copy is kept)
  std::vector<VerbFile> written;  // the serial port a write sends to
};

// The files of each verb. The serial port is read by `read` and written by `write`; "sim" is
// no file.
VerbFiles FilesOf(const Options& options) {
  const std::string& verb = options.verb;
  const std::vector<std::string>& names = options.files;
  VerbFiles files;
  std::string device =
      options.port.empty() || options.port == "sim" ? "" : ResolvePortName(options.port);
  VerbFile port{"--port " + options.port, device};
  VerbFile output{"-o " + options.output, options.output};
  if (verb == "read") {
    if (!device.empty()) files.inputs.push_back(port);
    if (!options.output.empty()) files.saved.push_back(output);
  } else if (verb == "write" || verb == "restore") {
    files.inputs.push_back({names[0], names[0]});
    if (!device.empty()) files.written.push_back(port);
  } else if (verb == "export-csv" || verb == "font-export" || verb == "export-channels") {
    files.inputs.push_back({names[0], names[0]});
    files.saved.push_back({names[1], names[1]});
  } else if (verb == "import-csv" || verb == "font-import" || verb == "import-channels") {
    for (const std::string& name : names) files.inputs.push_back({name, name});
    if (!options.output.empty()) files.saved.push_back(output);
  }
  return files;
}

std::string NoCopyText(const std::string& path, const std::string& why) {
  return "cannot keep a copy of " + path + " before replacing it: " + why + "; " + path +
         " was not changed";
}

}  // namespace

int CheckVerbFiles(const Options& options, std::ostream& err) {
  const VerbFiles files = FilesOf(options);
  const std::string start = "tqm5 " + options.verb + ": ";
  std::vector<VerbFile> outputs = files.saved;
  outputs.insert(outputs.end(), files.written.begin(), files.written.end());
  for (const VerbFile& output : outputs) {
    for (const VerbFile& input : files.inputs) {
      if (!IsSameFile(output.path, input.path)) continue;
      err << start << output.shown << " is the same file as " << input.shown
          << "; writing it would destroy a file the command reads (nothing was done)\n";
      return kUsageError;
    }
  }
  for (const VerbFile& output : files.saved) {
    std::string problem = SaveProblem(output.path);
    std::string why;
    std::error_code ec;
    // An existing file is replaced only after a copy is kept, which needs a backups folder.
    if (problem.empty() && std::filesystem::exists(output.path, ec) && BackupFolder(&why).empty()) {
      problem = NoCopyText(output.path, why);
    }
    if (!problem.empty()) {
      err << start << problem << "\n";
      return kFailure;
    }
  }
  // A read without -o saves a new file in the current folder.
  if (options.verb == "read" && options.output.empty()) {
    std::string problem = FolderProblem("");
    if (!problem.empty()) {
      err << start << problem << "\n";
      return kFailure;
    }
  }
  return 0;
}

Outcome SaveKeepingACopy(const std::string& path, std::ostream& out,
                         const std::function<Outcome()>& save) {
  std::string backup;
  std::string error;
  if (!KeepBackupCopy(path, backup, error))
    return SilentOutcome(OutcomeKind::kFileFailed, NoCopyText(path, error));
  if (!backup.empty()) out << "Backup of the old " << path << ": " << backup << "\n";
  return save();
}

}  // namespace tqm5::cli
