#include "cli/progress_bar.h"

#include <unistd.h>

#include <algorithm>

namespace tqm5::cli {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::FILE* stream)
    : stream_(stream), enabled_(isatty(fileno(stream)) != 0) {}

void ProgressBar::Update(const Progress& progress) {
  if (!enabled_ || progress.maximum <= 0) return;
  double fraction = std::clamp(progress.value / progress.maximum, 0.0, 1.0);
  int filled = static_cast<int>(fraction * kBarWidth);
  std::string line = "\r" + std::string(ProgressPercentText(progress));
  line.insert(1, std::string(5 - std::min<size_t>(5, line.size() - 1), ' '));
  line += " [" + std::string(static_cast<size_t>(filled), '#') +
          std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] " +
          std::to_string(static_cast<long>(progress.value)) + "/" +
          std::to_string(static_cast<long>(progress.maximum));
  if (line == last_) return;
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
  last_ = std::move(line);
}

void ProgressBar::Finish() {
  if (!last_.empty()) {
    std::fputs("\n", stream_);
    std::fflush(stream_);
    last_.clear();
  }
}

}  // namespace tqm5::cli
