// The progress of a transfer on stderr. On a terminal: the percentage, a bar, the step count
// and the phase, redrawn in place and only when they change; each phase gets its own line.
// Anywhere else (a log file, a pipe): one plain line when a phase starts, then at most one
// every few seconds, and the last state at the end, so a log of a long read is not silent and
// holds no carriage returns.
#ifndef TQM5_CLI_PROGRESS_BAR_H_
#define TQM5_CLI_PROGRESS_BAR_H_

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "transfer/transfers.h"

namespace tqm5::cli {

class ProgressBar {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kLogInterval{5000};

  // Draws a bar when `stream` is a terminal, log lines otherwise.
  explicit ProgressBar(std::FILE* stream);
  // For tests: the kind of output, the clock and the interval between log lines are given.
  ProgressBar(std::FILE* stream, bool terminal, std::function<Clock::time_point()> now,
              std::chrono::milliseconds interval);
  ~ProgressBar() { Finish(); }

  void Update(const Progress& progress);
  // Ends the bar's line, if one was drawn; in a log, prints the last state if it was not.
  void Finish();

 private:
  void Draw(const Progress& progress);
  void Log(const Progress& progress);

  std::FILE* stream_;
  bool terminal_;
  std::function<Clock::time_point()> now_;
  std::chrono::milliseconds interval_;
  std::string last_;  // the bar or log line printed last
  std::string phase_;
  bool has_progress_ = false;
  Progress pending_;  // the latest state in a log, printed or not
  Clock::time_point last_time_;
};

}  // namespace tqm5::cli

#endif  // TQM5_CLI_PROGRESS_BAR_H_
