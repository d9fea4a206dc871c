#include "editing/channel_list_edit.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "model/banks.h"

namespace tqm5 {
namespace {

constexpr char kNothingChanged[] = " Nothing was changed.";
constexpr char kKeepsItsPlace[] =
    " keeps its place: dual pairs, call channels and bug-detector channels are not ";

// The runs of the channels outside the banks.
struct RoleRun {
  int first, last;
  const char* name;
  bool fixed;
};
constexpr RoleRun kRoleRuns[] = {
    {kFirstProgramScanChannel, kFirstDualChannel - 1, "the program-scan edges", false},
    {kFirstDualChannel, kLastDualChannel, "the dual pairs", true},
    {kFirstPriorityChannel, kFirstCallChannel - 1, "the priority channels", false},
    {kFirstCallChannel, kLastCallChannel, "the call channels", true},
    {kFirstPassChannel, kLastPassChannel, "the pass channels", false},
    {kFirstTsfChannel, kFirstBugChannel - 1, "the TSF channels", false},
    {kFirstBugChannel, kLastBugChannel, "the bug-detector channels", true},
};

std::string LabelOf(const MemoryImage& image, int number) {
  std::string label = image.channel(number).label;
  while (!label.empty() && label.back() == ' ') label.pop_back();
  return label.empty() ? "channel " + std::to_string(number) : label;
}

ListEditResult Refused(std::string why) {
  ListEditResult result;
  result.refusal = std::move(why) + kNothingChanged;
  return result;
}

// The selected channels in ascending order, once each, grouped by their runs; or the refusal
// when one of them keeps its place.
struct Selection {
  std::map<int, std::vector<int>> by_run;  // run's first channel -> its selected channels
  std::map<int, ChannelRun> runs;
  std::string refusal;
};
Selection GroupSelection(const MemoryImage& image, std::vector<int> selected) {
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  Selection selection;
  for (int number : selected) {
    if (number < 1 || number > kChannelCount) continue;
    ChannelRun run = RunOfChannel(image, number);
    if (run.fixed) {
      selection.refusal = LabelOf(image, number) + kKeepsItsPlace + "moved.";
      return selection;
    }
    selection.by_run[run.first].push_back(number);
    selection.runs[run.first] = run;
  }
  if (selection.by_run.empty()) selection.refusal = "No channel is selected.";
  return selection;
}

// Exchanges what two rows hold; each keeps its label.
void SwapChannels(MemoryImage& image, int a, int b) {
  Channel& first = image.channel(a);
  Channel& second = image.channel(b);
  std::swap(first, second);
  std::swap(first.label, second.label);
}

// Fills the rows of `run` in `order`: the channel that was at that number (`before` holds the
// run as it was), or an empty row for nullopt. Each row keeps its label.
void Refill(MemoryImage& image, const ChannelRun& run, const std::vector<std::optional<int>>& order,
            const std::vector<Channel>& before) {
  for (int number = run.first; number <= run.last; ++number) {
    const std::optional<int>& from = order[static_cast<size_t>(number - run.first)];
    Channel& row = image.channel(number);
    std::string label = row.label;
    if (from) {
      row = before[static_cast<size_t>(*from - run.first)];
    } else {
      ClearChannel(row);
    }
    row.label = std::move(label);
  }
}

std::vector<Channel> ChannelsOf(const MemoryImage& image, const ChannelRun& run) {
  std::vector<Channel> channels;
  for (int number = run.first; number <= run.last; ++number) {
    channels.push_back(image.channel(number));
  }
  return channels;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

ChannelRun RunOfChannel(const MemoryImage& image, int number) {
  if (number > kMemoryChannelCount) {
    for (const RoleRun& run : kRoleRuns) {
      if (number >= run.first && number <= run.last) {
        return {run.first, run.last, run.name, run.fixed};
      }
    }
    return {};
  }
  int first = 1;
  for (int bank = 0; bank < kBankCount; ++bank) {
    int size = image.bank_sizes[static_cast<size_t>(bank)];
    int last = std::min(first + size - 1, kMemoryChannelCount);
    if (size > 0 && number >= first && number <= last) {
      return {first, last, "bank " + std::to_string(bank), false};
    }
    first += size;
    if (first > kMemoryChannelCount) break;
  }
  return {first, kMemoryChannelCount, "the memories beyond the banks", false};
}

bool IsEmptyChannel(const Channel& channel) { return !channel.used && channel.blank; }

ListEditResult MoveChannels(MemoryImage& image, const std::vector<int>& selected, int direction) {
  Selection selection = GroupSelection(image, selected);
  if (!selection.refusal.empty()) return Refused(selection.refusal);
  // A channel at the end of its run in the direction of the move would leave the run.
  for (const auto& [first, numbers] : selection.by_run) {
    const ChannelRun& run = selection.runs[first];
    int end = direction < 0 ? numbers.front() : numbers.back();
    if (end == (direction < 0 ? run.first : run.last)) {
      return Refused(LabelOf(image, end) + " is the " + (direction < 0 ? "first" : "last") +
                     " row of " + run.name + ": channels move only within it.");
    }
  }
  ListEditResult result;
  result.done = true;
  for (auto& [first, numbers] : selection.by_run) {
    // Moving up, the topmost channel goes first, so that the row a block passes bubbles to its
    // other end; moving down, the bottommost.
    if (direction > 0) std::reverse(numbers.begin(), numbers.end());
    for (int number : numbers) {
      SwapChannels(image, number, number + direction);
      result.selection.push_back(number + direction);
    }
  }
  std::sort(result.selection.begin(), result.selection.end());
  return result;
}

ListEditResult InsertEmptyRows(MemoryImage& image, const std::vector<int>& selected) {
  Selection selection = GroupSelection(image, selected);
  if (!selection.refusal.empty()) return Refused(selection.refusal);
  std::map<int, std::vector<std::optional<int>>> orders;
  ListEditResult result;
  for (const auto& [first, numbers] : selection.by_run) {
    const ChannelRun& run = selection.runs[first];
    std::vector<std::optional<int>> order;
    for (int number = run.first; number <= run.last; ++number) {
      bool chosen = std::binary_search(numbers.begin(), numbers.end(), number);
      bool starts_block = chosen && !std::binary_search(numbers.begin(), numbers.end(), number - 1);
      if (starts_block) {
        int end = number;
        while (std::binary_search(numbers.begin(), numbers.end(), end + 1)) ++end;
        for (int k = number; k <= end; ++k) {
          result.selection.push_back(run.first + static_cast<int>(order.size()));
          order.push_back(std::nullopt);
        }
      }
      order.push_back(number);
    }
    // What falls off the end of the run must hold nothing.
    for (size_t i = static_cast<size_t>(run.last - run.first + 1); i < order.size(); ++i) {
      if (order[i] && !IsEmptyChannel(image.channel(*order[i]))) {
        return Refused("Inserting " + std::to_string(numbers.size()) + " empty row(s) would push " +
                       LabelOf(image, *order[i]) + " out of " + run.name +
                       ": empty or delete a channel at its end first.");
      }
    }
    order.resize(static_cast<size_t>(run.last - run.first + 1));
    orders[first] = std::move(order);
  }
  for (const auto& [first, order] : orders) {
    const ChannelRun& run = selection.runs[first];
    Refill(image, run, order, ChannelsOf(image, run));
  }
  result.done = true;
  std::sort(result.selection.begin(), result.selection.end());
  return result;
}

ListEditResult DeleteAndCloseGap(MemoryImage& image, const std::vector<int>& selected) {
  Selection selection = GroupSelection(image, selected);
  if (!selection.refusal.empty()) return Refused(selection.refusal);
  ListEditResult result;
  for (const auto& [first, numbers] : selection.by_run) {
    const ChannelRun& run = selection.runs[first];
    std::vector<std::optional<int>> order;
    for (int number = run.first; number <= run.last; ++number) {
      if (!std::binary_search(numbers.begin(), numbers.end(), number)) order.push_back(number);
    }
    order.resize(static_cast<size_t>(run.last - run.first + 1));
    Refill(image, run, order, ChannelsOf(image, run));
    result.selection.insert(result.selection.end(), numbers.begin(), numbers.end());
  }
  result.done = true;
  return result;
}

ListEditResult SortRun(MemoryImage& image, int number, SortKey key) {
  ChannelRun run = RunOfChannel(image, number);
  if (run.fixed) {
    return Refused(LabelOf(image, number) + kKeepsItsPlace + "sorted.");
  }
  std::vector<Channel> before = ChannelsOf(image, run);
  std::vector<std::optional<int>> order;
  for (int n = run.first; n <= run.last; ++n) order.push_back(n);
  std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
    const Channel& x = before[static_cast<size_t>(*a - run.first)];
    const Channel& y = before[static_cast<size_t>(*b - run.first)];
    if (IsEmptyChannel(x) || IsEmptyChannel(y)) return !IsEmptyChannel(x) && IsEmptyChannel(y);
    if (key == SortKey::kName) {
      if (x.name.empty() != y.name.empty()) return y.name.empty();
      return Lower(x.name) < Lower(y.name);
    }
    // A row without a frequency sorts after those with one.
    uint64_t fx = x.frequency_hz && !x.blank ? *x.frequency_hz : UINT64_MAX;
    uint64_t fy = y.frequency_hz && !y.blank ? *y.frequency_hz : UINT64_MAX;
    return fx < fy;
  });
  Refill(image, run, order, before);
  ListEditResult result;
  result.done = true;
  for (int n = run.first; n <= run.last; ++n) result.selection.push_back(n);
  return result;
}

int FindChannel(const MemoryImage& image, std::string_view text, int after) {
  if (text.empty()) return 0;
  std::string wanted = Lower(text);
  for (int k = 1; k <= kChannelCount; ++k) {
    int number = (after + k - 1) % kChannelCount + 1;
    const Channel& channel = image.channel(number);
    if (channel.blank) continue;
    if (Lower(channel.name).find(wanted) != std::string::npos ||
        CellText(channel, kColFreq).find(text) != std::string::npos) {
      return number;
    }
  }
  return 0;
}

}  // namespace tqm5
