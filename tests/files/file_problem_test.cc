#include "files/file_problem.h"

#include <gtest/gtest.h>

namespace tqm5 {
namespace {

// The count, the list and the closing words of an import's report, for each way it can end.
TEST(FileProblemTest, ImportReportSaysWhatBecameOfTheChannels) {
  const std::vector<FileProblem> two = {
      {12, 11, "Freqency", "9999", "out of range 0.53099..1299.99999 MHz", true},
      {13, 0, "", "", "blank line; skipped", false}};
  const ImportWords words = {"kept", "partial", "nothing"};
  const std::string list =
      "a.CSV line 12, channel 11, Freqency \"9999\": out of range 0.53099..1299.99999 MHz; "
      "channel emptied\na.CSV line 13: blank line; skipped";
  // clang-format off
  struct Case { std::vector<FileProblem> problems; bool finished, kept; std::string count, list, closing; };
  const Case cases[] = {
      {{}, true, true, "", "", ""},
      {two, true, true, "2 problem(s), 1 channel(s) emptied", list, "kept"},
      {two, false, true, "2 problem(s), 1 channel(s) emptied", list, "partial"},
      {{}, false, false, "", "", "nothing"},
  };
  // clang-format on
  for (const Case& c : cases) {
    ImportReport report = MakeImportReport(c.problems, c.finished, c.kept, words, "a.CSV ");
    EXPECT_EQ(report.count + "|" + report.list + "|" + report.closing,
              c.count + "|" + c.list + "|" + c.closing);
  }
}

}  // namespace
}  // namespace tqm5
