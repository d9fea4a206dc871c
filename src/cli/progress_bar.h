// A progress bar on the terminal for the transfers: percentage, bar and step count, redrawn
// in place on stderr, and only when it changes.
#ifndef TQM5_CLI_PROGRESS_BAR_H_
#define TQM5_CLI_PROGRESS_BAR_H_

#include <cstdio>
#include <string>

#include "transfer/transfers.h"

namespace tqm5::cli {

class ProgressBar {
 public:
  // Draws nothing unless `stream` is a terminal.
  explicit ProgressBar(std::FILE* stream);
  ~ProgressBar() { Finish(); }

  void Update(const Progress& progress);
  // Ends the bar's line, if one was drawn.
  void Finish();

 private:
  std::FILE* stream_;
  bool enabled_;
  std::string last_;
};

}  // namespace tqm5::cli

#endif  // TQM5_CLI_PROGRESS_BAR_H_
