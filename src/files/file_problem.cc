#include "files/file_problem.h"

#include <algorithm>

#include "image/outcome.h"

namespace tqm5 {

std::string FileProblemText(const FileProblem& problem) {
  std::string text;
  if (problem.line > 0) text += "line " + std::to_string(problem.line);
  if (problem.channel > 0) {
    text += (text.empty() ? "" : ", ") + std::string("channel ") + std::to_string(problem.channel);
  }
  if (!problem.column.empty()) {
    text += (text.empty() ? "" : ", ") + problem.column + " " + QuotedValue(problem.value);
  }
  text += (text.empty() ? "" : ": ") + problem.what;
  if (problem.emptied) text += "; channel emptied";
  return text;
}

std::string FileProblemList(const std::vector<FileProblem>& problems,
                            const std::string& file_name) {
  std::string list =
      std::to_string(problems.size()) + " line(s) of " + file_name + " were not taken as they are:";
  for (const FileProblem& problem : problems) list += "\n" + FileProblemText(problem);
  return list;
}

ImportReport MakeImportReport(const std::vector<FileProblem>& problems, bool finished, bool kept,
                              const ImportWords& words, const std::string& line_prefix) {
  ImportReport report;
  if (!problems.empty()) {
    auto emptied = std::count_if(problems.begin(), problems.end(),
                                 [](const FileProblem& p) { return p.emptied; });
    report.count = std::to_string(problems.size()) + " problem(s), " + std::to_string(emptied) +
                   " channel(s) emptied";
  }
  for (const FileProblem& problem : problems) {
    report.list += (report.list.empty() ? "" : "\n") + line_prefix + FileProblemText(problem);
  }
  if (!finished) {
    report.closing = kept ? words.partial : words.nothing;
  } else if (!problems.empty()) {
    report.closing = words.kept;
  }
  return report;
}

}  // namespace tqm5
