#include "cli/exchange_verbs.h"

#include <ostream>

#include "cli/file_guard.h"
#include "cli/verbs.h"
#include "files/exchange_csv.h"

namespace tqm5::cli {

int ExportChannelsVerb(const Options& options, std::ostream& out, std::ostream& err) {
  MemoryImage image;
  if (!LoadProjectFile(options, options.files[0], image, err)) return 1;
  const std::string& path = options.files[1];
  Outcome outcome = SaveKeepingACopy(path, out, [&] { return ExportExchangeCsv(image, path); });
  if (!outcome.success) return Report(outcome, options.verb, out, err);
  out << "Saved " << path << "\n";
  return 0;
}

int ImportChannelsVerb(const Options& options, std::ostream& out, std::ostream& err) {
  MemoryImage image;
  if (!LoadProjectFile(options, options.files[0], image, err)) return 1;
  const std::string& list = options.files[1];
  std::vector<FileProblem> problems;
  Outcome outcome = ImportExchangeCsv(image, list, options.start, &problems);
  if (!outcome.success) {
    outcome.detail += std::string(outcome.detail.empty() ? "" : "; ") + "nothing was saved";
    return Report(outcome, options.verb, out, err);
  }
  for (const FileProblem& problem : problems)
    err << list << " " << FileProblemText(problem) << "\n";
  out << outcome.detail << "\n";
  if (int status = SaveProjectFile(image, options.output, options.verb, out, err); status != 0)
    return status;
  if (problems.empty()) return 0;
  err << "tqm5 import-channels: " << problems.size() << " row(s) listed above; " << options.output
      << " was saved with the rows that were imported\n";
  return 1;
}

}  // namespace tqm5::cli
