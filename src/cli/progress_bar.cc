#include "cli/progress_bar.h"

#include <algorithm>

#include "image/platform.h"

namespace tqm5::cli {
namespace {

constexpr int kBarWidth = 30;

std::string LogLine(const Progress& progress) {
  return "tqm5: " + (progress.phase.empty() ? std::string("progress") : progress.phase) + ": " +
         std::to_string(static_cast<long>(progress.value)) + " of " +
         std::to_string(static_cast<long>(progress.maximum)) + " (" +
         ProgressPercentText(progress) + ")\n";
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* stream)
    : ProgressBar(stream, platform::IsTerminal(stream), Clock::now, kLogInterval) {}

ProgressBar::ProgressBar(std::FILE* stream, bool terminal, std::function<Clock::time_point()> now,
                         std::chrono::milliseconds interval)
    : stream_(stream), terminal_(terminal), now_(std::move(now)), interval_(interval) {}

void ProgressBar::Update(const Progress& progress) {
  if (progress.maximum <= 0) return;
  if (terminal_) {
    Draw(progress);
  } else {
    Log(progress);
  }
}

void ProgressBar::Draw(const Progress& progress) {
  if (progress.phase != phase_ && !last_.empty()) {
    std::fputs("\n", stream_);  // the finished phase keeps its line
    last_.clear();
  }
  phase_ = progress.phase;
  double fraction = std::clamp(progress.value / progress.maximum, 0.0, 1.0);
  int filled = static_cast<int>(fraction * kBarWidth);
  std::string line = "\r" + std::string(ProgressPercentText(progress));
  line.insert(1, std::string(5 - std::min<size_t>(5, line.size() - 1), ' '));
  line += " [" + std::string(static_cast<size_t>(filled), '#') +
          std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] " +
          std::to_string(static_cast<long>(progress.value)) + "/" +
          std::to_string(static_cast<long>(progress.maximum));
  if (!progress.phase.empty()) line += " " + progress.phase;
  if (line == last_) return;
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
  last_ = std::move(line);
}

void ProgressBar::Log(const Progress& progress) {
  pending_ = progress;
  has_progress_ = true;
  Clock::time_point now = now_();
  bool phase_starts = progress.phase != phase_ || last_.empty();
  if (!phase_starts && now - last_time_ < interval_) return;
  phase_ = progress.phase;
  last_time_ = now;
  last_ = LogLine(progress);
  std::fputs(last_.c_str(), stream_);
  std::fflush(stream_);
}

void ProgressBar::Finish() {
  if (terminal_) {
    if (!last_.empty()) std::fputs("\n", stream_);
  } else if (has_progress_ && LogLine(pending_) != last_) {
    std::fputs(LogLine(pending_).c_str(), stream_);
  }
  std::fflush(stream_);
  last_.clear();
  phase_.clear();
  has_progress_ = false;
}

}  // namespace tqm5::cli
