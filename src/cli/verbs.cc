#include "cli/verbs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/backup_verbs.h"
#include "cli/exchange_verbs.h"
#include "cli/file_guard.h"
#include "cli/progress_bar.h"
#include "cli/radio_memory.h"
#include "files/csv_file.h"
#include "files/file_ops.h"
#include "files/file_problem.h"
#include "files/font_file.h"
#include "files/project_file.h"
#include "files/text_file.h"
#include "link/radio_link.h"
#include "serial/serial_transport.h"
#include "sim/pty_server.h"
#include "transfer/step_notes.h"
#include "transfer/transfers.h"

namespace tqm5::cli {

std::atomic<bool> g_cancel_requested = false;
std::atomic<int> g_stop_signal = 0;

std::string StopReason(int signal_number) {
  switch (signal_number) {
    case SIGINT:
      return "stopped by Ctrl-C (SIGINT)";
    case SIGTERM:
      return "stopped by SIGTERM (termination request)";
    case SIGHUP:
      return "stopped: the terminal was closed (SIGHUP)";
    default:
      return "stopped by signal " + std::to_string(signal_number);
  }
}

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

// Creates an empty file named `stem` + ".M5" in `folder`, or `stem` + "-2.M5", "-3.M5", ...
// when that name is taken, and returns its path; the file is created exclusively, so an earlier
// file (another read in the same second) is never replaced. Empty after setting `why`.
std::string CreateUniqueProjectFile(const std::filesystem::path& folder, const std::string& stem,
                                    std::string& why) {
  for (int n = 1; n <= 999; ++n) {
    std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".M5";
    std::string path = (folder / name).string();
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
      close(fd);
      return path;
    }
    if (errno != EEXIST) {
      why = "cannot create " + path + ": " + std::strerror(errno);
      return "";
    }
  }
  why = "cannot create " + (folder / (stem + ".M5")).string() + ": every name up to -999 is taken";
  return "";
}

// Saves the project into a file made by CreateUniqueProjectFile; removes that file again when
// the save fails.
bool SaveNewProject(const MemoryImage& image, const std::filesystem::path& folder,
                    const std::string& stem, std::string& path, std::string& why,
                    const std::string& snapshot_digest) {
  path = CreateUniqueProjectFile(folder, stem, why);
  if (path.empty()) return false;
  if (SaveProject(image, path, why, snapshot_digest)) return true;
  std::error_code ec;
  std::filesystem::remove(path, ec);
  return false;
}

// The radio at the end of --port: a serial device, or a simulated radio holding the demo memory,
// served in this process on a pseudo-terminal and reached through the same serial transport.
class RadioPort {
 public:
  bool Open(const std::string& port, ModelOption model, std::string& error) {
    std::string device;
    if (port == "sim") {
      sim_ = DemoRadioServer(model);
      device = sim_->Start();
      if (device.empty()) {
        error = "cannot start the simulated radio: " + sim_->ErrorText();
        return false;
      }
    } else {
      device = ResolvePortName(port);
      if (device.empty()) {
        error = "port " + QuotedValue(port) + ": give a number 1..16, a device path, or sim";
        return false;
      }
    }
    transport_ = std::make_unique<SerialTransport>(device);
    link_ = std::make_unique<RadioLink>(*transport_);
    link_->set_cancel_flag(&g_cancel_requested, [] { return StopReason(g_stop_signal); });
    return true;
  }

  RadioLink& link() { return *link_; }

 private:
  std::unique_ptr<SimPtyServer> sim_;
  std::unique_ptr<SerialTransport> transport_;
  std::unique_ptr<RadioLink> link_;
};

}  // namespace

int Report(const Outcome& outcome, const std::string& what, std::ostream& out, std::ostream& err) {
  if (outcome.success) {
    out << outcome.text << "\n";
    return kSuccess;
  }
  if (!outcome.shown) {
    err << "tqm5 " << what << ": " << (outcome.detail.empty() ? "failed" : outcome.detail) << "\n";
  } else if (outcome.kind == OutcomeKind::kCancelled) {
    // The transfer says which signal stopped it, where, and for a write what the radio holds.
    std::string where = outcome.detail.empty()
                            ? "Cancelled: stopped on request between two exchanges."
                            : outcome.detail;
    err << "tqm5 " << what << ": " << where << " The port is closed"
        << (what == "read" ? "; nothing was saved." : ".") << "\n";
  } else if (outcome.kind == OutcomeKind::kRadioDiffers ||
             (outcome.kind == OutcomeKind::kWriteRefused &&
              outcome.text.ends_with("write everything."))) {
    // "read it again or write everything": the commands that do.
    err << "tqm5 write: " << outcome.text << " (tqm5 read, or tqm5 write without --changes) "
        << outcome.detail << "\n";
  } else if (outcome.detail.empty() && (outcome.kind == OutcomeKind::kRadioFailed ||
                                        outcome.kind == OutcomeKind::kPortFailed)) {
    err << "tqm5 " << what << ": " << outcome.text
        << " (the radio did not answer as expected: check the cable, the port and --model)\n";
  } else {
    err << "tqm5 " << what << ": " << outcome.text
        << (outcome.detail.empty() ? "" : ": " + outcome.detail) << "\n";
  }
  return kFailure;
}

namespace {

// Runs a transfer with a progress bar on stderr. `radio` is what is known of the radio, kept up
// to date by the transfer; none: the transfer keeps its own.
Outcome RunRadio(const TransferRequest& request, RadioPort& port, MemoryImage& image,
                 RadioSnapshot* radio = nullptr) {
  ProgressBar bar(stderr);
  TransferContext context{port.link(), image, [&bar](const Progress& p) { bar.Update(p); }, radio};
  Outcome outcome = RunTransfer(request, context);
  bar.Finish();
  return outcome;
}

}  // namespace

bool LoadProjectFile(const Options& options, const std::string& path, MemoryImage& image,
                     std::ostream& err, size_t* problem_count, std::string* snapshot_digest) {
  SelectModelOption(image, options.model.value_or(ModelOption::kJ));
  std::vector<FileProblem> problems;
  Outcome outcome = LoadProject(image, path, &problems, snapshot_digest);
  if (outcome.success) {
    for (const FileProblem& problem : problems) {
      err << path << ": " << FileProblemText(problem) << "\n";
    }
    if (problem_count != nullptr) *problem_count = problems.size();
    return true;
  }
  std::string why = outcome.shown ? outcome.text : outcome.detail;
  if (outcome.shown && outcome.kind == OutcomeKind::kFileRefused) {
    why = outcome.detail.empty() ? "not a project file (the name must end in .M5)" : outcome.detail;
  }
  // Name the file once: most reasons name it already.
  err << "tqm5 " << options.verb << ": " << (why.find(path) == std::string::npos ? path + ": " : "")
      << why << "\n";
  return false;
}

int SaveProjectFile(const MemoryImage& image, const std::string& path, const std::string& verb,
                    std::ostream& out, std::ostream& err, const std::string& snapshot_digest) {
  Outcome outcome =
      SaveKeepingACopy(path, out, [&] { return SaveProjectCommand(image, path, snapshot_digest); });
  if (!outcome.success) return Report(outcome, verb, out, err);
  out << "Saved " << path << "\n";
  return kSuccess;
}

namespace {

int Read(const Options& options, std::ostream& out, std::ostream& err) {
  RadioPort port;
  std::string error;
  if (!port.Open(options.port, *options.model, error))
    return Report(SilentOutcome(OutcomeKind::kPortFailed, error), "read", out, err);
  MemoryImage image;
  SelectModelOption(image, *options.model);
  RadioSnapshot radio;
  Outcome outcome = RunRadio({TransferCommand::kReadAll}, port, image, &radio);
  if (Report(outcome, "read", out, err) != kSuccess) return kFailure;
  // The project and its backup name what the radio holds, for a later write of changes.
  const std::string digest = KeepSnapshot(radio, "read", err);
  // The default name and the backup are new files; only a name given with -o is replaced.
  std::string stem = "radio-" + LocalTimeText("%Y%m%d-%H%M%S");
  std::string path = options.output;
  std::string why;
  int status = kSuccess;
  if (!path.empty()) {
    status = SaveProjectFile(image, path, "read", out, err, digest);
  } else if (SaveNewProject(image, "", stem, path, why, digest)) {
    out << "Saved " << path << "\n";
  } else {
    err << "tqm5 read: " << why << "\n";
    status = kFailure;
  }
  std::string folder = BackupFolder(&why);
  std::error_code ec;
  if (folder.empty() || (!std::filesystem::create_directories(folder, ec) && ec)) {
    err << "tqm5 read: no backup kept: "
        << (folder.empty() ? why : "cannot create " + folder + ": " + ec.message()) << "\n";
    return kFailure;
  }
  std::string backup;
  if (!SaveNewProject(image, folder, stem, backup, why, digest)) {
    err << "tqm5 read: no backup kept: " << why << "\n";
    return kFailure;
  }
  out << "Backup " << backup << "\n";
  return status;
}

// A project goes to the radio as it is or not at all: while a line of it was not taken as it
// stands, nothing is sent unless the user accepts what was loaded; and what would stop the write
// part-way is found before the port opens.
int Write(const Options& options, std::ostream& out, std::ostream& err) {
  MemoryImage image;
  const std::string& path = options.files[0];
  size_t problems = 0;
  std::string digest;
  if (!LoadProjectFile(options, path, image, err, &problems, &digest)) return kFailure;
  if (problems > 0 && !options.accept_changes) {
    err << "tqm5 write: " << path << " was not sent: "
        << (problems == 1 ? "1 line was not taken as it is"
                          : std::to_string(problems) + " lines were not taken as they are")
        << " (listed above). Correct the file, or send what was loaded with --accept-changes.\n";
    return kFailure;
  }
  TransferRequest request;
  request.command = options.changes ? TransferCommand::kWriteChanges : TransferCommand::kWriteAll;
  request.verify = options.verify;
  if (std::optional<Outcome> refusal = WriteRefusal(image, request.command)) {
    return Report(*refusal, "write", out, err);
  }
  // A write of changes compares with what the radio held when the project was last read from
  // or written to it; a full write starts knowing nothing. Either way the project then names
  // what the radio holds after the write.
  const RadioSnapshot before =
      options.changes ? SnapshotOfProject(digest, path, "write", err) : RadioSnapshot();
  RadioSnapshot radio = before;
  RadioPort port;
  std::string error;
  if (!port.Open(options.port, *options.model, error))
    return Report(SilentOutcome(OutcomeKind::kPortFailed, error), "write", out, err);
  Outcome outcome = RunRadio(request, port, image, &radio);
  int status = Report(outcome, "write", out, err);
  if (outcome.success && !outcome.detail.empty()) out << outcome.detail << "\n";
  if (!(radio == before) && !radio.blocks.empty())
    RefreshProjectSnapshot(radio, path, digest, out, err);
  return status;
}

// `tqm5 restore`: writes a kept backup back to the radio, after saying how it differs from what
// the radio was last known to hold. Only the changes are sent when that knowledge allows and
// the radio is found to hold it; otherwise everything is written and verified. The backup
// itself is never changed.
int Restore(const Options& options, std::ostream& out, std::ostream& err) {
  const std::string path = BackupPath(options.files[0]);
  MemoryImage image;
  size_t problems = 0;
  if (!LoadProjectFile(options, path, image, err, &problems)) return kFailure;
  if (problems > 0) {
    err << "tqm5 restore: " << path << " was not restored: it was not taken as it is (listed "
        << "above); open it, correct it and write it with tqm5 write.\n";
    return kFailure;
  }
  if (std::optional<Outcome> refusal = WriteRefusal(image, TransferCommand::kWriteAll)) {
    return Report(*refusal, "restore", out, err);
  }
  const RadioSnapshot known = NewestKnownRadio(*options.model);
  out << DifferenceSummary(image, known) << "\n";
  RadioPort port;
  std::string error;
  if (!port.Open(options.port, *options.model, error))
    return Report(SilentOutcome(OutcomeKind::kPortFailed, error), "restore", out, err);
  RadioSnapshot radio = known;
  Outcome outcome = RunRadio({TransferCommand::kWriteChanges}, port, image, &radio);
  if (outcome.kind == OutcomeKind::kWriteRefused || outcome.kind == OutcomeKind::kRadioDiffers) {
    err << "tqm5 restore: " << outcome.text << " " << outcome.detail
        << " Writing everything instead.\n";
    radio = RadioSnapshot();
    TransferRequest request{TransferCommand::kWriteAll};
    request.verify = true;
    outcome = RunRadio(request, port, image, &radio);
  }
  int status = Report(outcome, "restore", out, err);
  if (outcome.success && !outcome.detail.empty()) out << outcome.detail << "\n";
  if (!(radio == known) && !radio.blocks.empty()) KeepSnapshot(radio, "restore", err);
  return status;
}

// The radio an accepted identification command names, and the model option it belongs to:
// "TQ-M5J, model option J".
std::string ModelInWords(const std::string& command) {
  return command.substr(command.find('~') + 1) + ", model option " +
         std::string(ModelOptionName(OptionOfCommand(command)));
}

// Identifies the radio as the chosen model. When it does not answer as that model, and neither
// late nor gone, the other models' identification commands are tried, to tell the user which
// model the radio is.
int Identify(const Options& options, std::ostream& out, std::ostream& err) {
  RadioPort port;
  std::string error;
  if (!port.Open(options.port, *options.model, error))
    return Report(SilentOutcome(OutcomeKind::kPortFailed, error), "identify", out, err);
  const ModelOption model = *options.model;
  RadioLink& link = port.link();
  std::string model_command, other;
  bool identified = false;
  Exchange failed;
  try {
    identified = StartComm(link, model, model_command);
    if (!identified) {
      link.AwaitLateReply();
      failed = link.last_exchange();
      if (failed.problem != ReplyProblem::kPortLost && failed.problem != ReplyProblem::kLate) {
        err << "tqm5 identify: no answer as model option " << ModelOptionName(model)
            << "; asking as the other models\n";
        other = IdentifyOtherModel(link, model);
      }
    }
  } catch (const CancelledError& e) {
    link.ClosePort();
    return Report(SilentOutcome(OutcomeKind::kCancelled, e.reason() + "."), "identify", out, err);
  } catch (const std::exception& e) {
    link.ClosePort();
    return Report(SilentOutcome(OutcomeKind::kFailed, e.what()), "identify", out, err);
  }
  link.ClosePort();
  if (identified) {
    out << model_command << ": " << ModelInWords(model_command) << "\n";
    return kSuccess;
  }
  err << "tqm5 identify: ";
  if (!other.empty()) {
    std::string_view option = ModelOptionName(OptionOfCommand(other));
    err << "the radio did not answer as model option " << ModelOptionName(model)
        << ", but it answered " << other << ": it is model option " << option
        << "; run again with --model " << option << "\n";
  } else if (failed.problem == ReplyProblem::kPortLost || failed.problem == ReplyProblem::kLate) {
    err << IdentificationDetail(model, failed) << "\n";
  } else {
    err << IdentificationFailure(model, failed)
        << "; no other model answered either: check the cable, the port and that the radio is "
           "on\n";
  }
  return kFailure;
}

// A file verb: load the project, run `action` on it, save to -o when the verb makes one.
template <typename Action>
int FileVerb(const Options& options, std::ostream& out, std::ostream& err, Action action) {
  MemoryImage image;
  if (!LoadProjectFile(options, options.files[0], image, err)) return kFailure;
  Outcome outcome = action(image);
  if (!outcome.success) return Report(outcome, options.verb, out, err);
  if (options.output.empty()) {
    out << "Saved " << options.files[1] << "\n";
    return kSuccess;
  }
  return SaveProjectFile(image, options.output, options.verb, out, err);
}

// import-csv: a second file that is not a CSV name is refused before anything is read. Every
// emptied channel and every skipped or refused line is listed on stderr; the project is saved
// all the same, and the exit status is 1 when anything was listed. An import that fails (a file
// that cannot be read, a wrong caption line, a file that ends early) saves nothing and lists
// only why it failed.
int ImportCsvVerb(const Options& options, const std::string& csv, std::ostream& out,
                  std::ostream& err) {
  if (!PathEndsWith(csv, ".CSV")) {
    err << "tqm5 import-csv: " << csv << ": not a CSV file (the name must end in .CSV)\n";
    return 2;
  }
  // The command line keeps an import only by saving it, and saves nothing of one that stopped.
  const ImportWords words = {options.output + " was saved anyway; check the channels listed above",
                             "", "nothing was saved"};
  ImportReport report;
  int status = FileVerb(options, out, err, [&](MemoryImage& image) {
    std::vector<CsvImportProblem> problems;
    Outcome outcome = ImportCsv(image, csv, &problems);
    report = MakeImportReport(problems, outcome.success, outcome.success, words, csv + " ");
    if (!outcome.success) {
      outcome.detail += (outcome.detail.empty() ? "" : "; ") + report.closing;
      return outcome;
    }
    if (!report.list.empty()) err << report.list << "\n";
    return outcome;
  });
  if (status != kSuccess || report.count.empty()) return status;
  err << "tqm5 import-csv: " << report.count << "\n"
      << "tqm5 import-csv: " << report.closing << "\n";
  return kFailure;
}

}  // namespace

bool LoadProjectForVerb(const Options& options, const std::string& path, MemoryImage& image,
                        std::ostream& err) {
  return LoadProjectFile(options, path, image, err);
}

bool ReadRadioForVerb(const Options& options, MemoryImage& image, std::ostream& err) {
  RadioPort port;
  std::string error;
  std::ostringstream quiet;  // the read's success message is not the verb's output
  if (!port.Open(options.port, *options.model, error)) {
    Report(SilentOutcome(OutcomeKind::kPortFailed, error), options.verb, quiet, err);
    return false;
  }
  SelectModelOption(image, *options.model);
  return Report(RunRadio({TransferCommand::kReadAll}, port, image), options.verb, quiet, err) ==
         kSuccess;
}

int RunVerb(const Options& options, std::ostream& out, std::ostream& err) {
  const std::string& verb = options.verb;
  if (int status = CheckVerbFiles(options, err); status != kSuccess) return status;
  if (verb == "read") return Read(options, out, err);
  if (verb == "write") return Write(options, out, err);
  if (verb == "identify") return Identify(options, out, err);
  if (verb == "diff") return Diff(options, out, err);
  if (verb == "ports") return Ports(out);
  if (verb == "restore") return Restore(options, out, err);
  if (verb == "backups") return ListBackups(out, err);
  if (verb == "show") {
    MemoryImage image;
    if (!LoadProjectFile(options, options.files[0], image, err)) return kFailure;
    PrintImage(image, out);
    return kSuccess;
  }
  const std::string& second = options.files.size() > 1 ? options.files[1] : "";
  if (verb == "export-csv") {
    return FileVerb(options, out, err, [&](MemoryImage& image) {
      return SaveKeepingACopy(second, out, [&] { return ExportCsv(image, second); });
    });
  }
  if (verb == "import-csv") return ImportCsvVerb(options, second, out, err);
  if (verb == "export-channels") return ExportChannelsVerb(options, out, err);
  if (verb == "import-channels") return ImportChannelsVerb(options, out, err);
  if (verb == "font-export") {
    return FileVerb(options, out, err, [&](MemoryImage& image) {
      return SaveKeepingACopy(second, out, [&] { return SaveFontFile(image, second); });
    });
  }
  if (verb == "font-import") {
    return FileVerb(options, out, err, [&](MemoryImage& image) {
      int glyphs = 0;
      Outcome outcome = LoadFontFile(image, second, &glyphs);
      if (!outcome.success) {
        // A refused file: say which file and why.
        if (outcome.shown && !outcome.detail.empty()) {
          outcome = SilentOutcome(outcome.kind, second + ": " + outcome.detail);
        }
        return outcome;
      }
      out << "Read " << glyphs << (glyphs == 1 ? " glyph" : " glyphs") << " from " << second
          << "\n";
      if (!outcome.detail.empty())
        err << "tqm5 font-import: " << second << ": " << outcome.detail << "\n";
      return outcome;
    });
  }
  err << "tqm5: unknown verb " << verb << "\n";
  return 2;
}

}  // namespace tqm5::cli
