#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <tuple>

#include "cli/progress_bar.h"
#include "transfer/transfers.h"

namespace tqm5 {
namespace {

using std::chrono::milliseconds;

// Everything written to a FILE*, for looking at what the bar printed.
struct CapturedStream {
  ~CapturedStream() { std::fclose(file); }
  std::string Text() {
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fseek(file, 0, SEEK_END);
    return text;
  }
  std::FILE* file = std::tmpfile();
};

TEST(ProgressPercentTextTest, RoundsValueAndMaximumThenDividesDown) {
  // (value x 100, rounded) integer-divided by (maximum, rounded); nothing caps it at 100.
  const std::tuple<double, double, const char*> cases[] = {
      {7, 15, "46%"},   {15, 15, "100%"},  {16, 15, "106%"}, {0.005, 1, "1%"},
      {0.004, 1, "0%"}, {2.5, 3.5, "62%"}, {2, 2.4, "100%"}, {1, 0, "0%"},
  };
  for (const auto& [value, maximum, text] : cases) {
    EXPECT_EQ(ProgressPercentText(Progress{value, maximum, ""}), text) << value << "/" << maximum;
  }
}

TEST(ProgressBarTest, ALogGetsALinePerPhaseAndEveryFiveSeconds) {
  // The reports of a read of everything, each moving the injected clock on by 100 ms: one line
  // when a phase starts, then one every 5 s (every 50 reports), and the last state at the end.
  CapturedStream log;
  auto now = Transport::Clock::time_point();
  cli::ProgressBar bar(
      log.file, false, [&now] { return now; }, milliseconds(5000));
  for (const auto& [maximum, phase] : {std::pair{15, "areas"}, {1623, "channels 1..1623"}}) {
    for (int value = 0; value <= maximum; ++value, now += milliseconds(100)) {
      bar.Update(Progress{static_cast<double>(value), static_cast<double>(maximum), phase});
    }
  }
  bar.Finish();
  std::istringstream lines(log.Text());
  std::vector<std::string> printed;
  for (std::string line; std::getline(lines, line);) printed.push_back(line);
  // 16 area reports (0..15), then channel report k (value k) at report 16 + k: values 50..1600,
  // then the end.
  ASSERT_EQ(printed.size(), 2u + 32u + 1u);
  EXPECT_EQ(
      (std::vector<std::string>{printed[0], printed[1], printed[2], printed[3], printed.back()}),
      (std::vector<std::string>{
          "tqm5: areas: 0 of 15 (0%)", "tqm5: channels 1..1623: 0 of 1623 (0%)",
          "tqm5: channels 1..1623: 50 of 1623 (3%)", "tqm5: channels 1..1623: 100 of 1623 (6%)",
          "tqm5: channels 1..1623: 1623 of 1623 (100%)"}));
  EXPECT_EQ(log.Text().find('\r'), std::string::npos);

  // On a terminal the bar is redrawn in place and shows the phase.
  CapturedStream terminal;
  cli::ProgressBar drawn(
      terminal.file, true, [] { return Transport::Clock::time_point(); }, milliseconds(5000));
  drawn.Update(Progress{7, 15, "areas"});
  drawn.Finish();
  EXPECT_EQ(terminal.Text(), "\r  46% [##############                ] 7/15 areas\n");
}

}  // namespace
}  // namespace tqm5
