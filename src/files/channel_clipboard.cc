#include "files/channel_clipboard.h"

#include <algorithm>
#include <utility>

#include "files/csv_file.h"
#include "model/channel.h"

namespace tqm5 {
namespace {

constexpr std::string_view kNotPasted = "; row not pasted, the channel keeps what it held";

// Whether fields `offset`.. are the captions "Freqency" .. "Name".
bool IsCaptionRow(const std::vector<std::string>& fields, size_t offset) {
  for (int column = kColFreq; column <= kColName; ++column) {
    if (fields[offset + static_cast<size_t>(column - kColFreq)] != kColumnCaptions[column])
      return false;
  }
  return true;
}

}  // namespace

std::string CopyChannelsText(const MemoryImage& image, int first, int last, bool with_header) {
  std::string text;
  if (with_header) {
    for (int column = kColLabel; column < kColumnCount; ++column) {
      text += kColumnCaptions[column];
      text += '\t';
    }
    text += "0\n";
  }
  for (int number = first; number <= last; ++number) {
    const Channel& channel = image.channel(number);
    AppendField(text, channel.label, '\t');
    for (int column = kColFreq; column <= kColName; ++column) {
      text += '\t';
      std::string cell = CellText(channel, column);
      AppendField(text, column == kColFreq ? CsvFrequencyField(cell) : cell, '\t');
    }
    text += '\t' + std::to_string(number) + '\n';
  }
  return text;
}

bool TakesPastedRows(int number) {
  return number >= 1 && number < kFirstBugChannel &&
         !(number >= kFirstDualChannel && number <= kLastDualChannel) &&
         !(number >= kFirstCallChannel && number <= kLastPassChannel);
}

PasteResult PasteChannelsText(MemoryImage& image, std::string_view text, int start) {
  PasteResult result;
  int number = start;
  int line_number = 0;
  std::vector<std::string> cells(kColumnCount);
  while (!text.empty()) {
    size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++line_number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    std::vector<std::string> fields = SplitFields(line, '\t');
    const size_t offset = fields.size() == kColumnCount + 1 ? 1 : 0;
    const bool shaped = fields.size() == kColumnCount + 1 || fields.size() == kColumnCount - 1;
    if (shaped && IsCaptionRow(fields, offset)) continue;
    const int target = number++;
    auto refuse = [&](std::string what) {
      result.problems.push_back(
          {line_number, target, "", "", what + std::string(kNotPasted), false});
    };
    if (target > kChannelCount) {
      result.problems.push_back(
          {line_number, 0, "", "", "no channel after 1623; row not pasted", false});
      continue;
    }
    if (!shaped) {
      refuse(std::to_string(fields.size()) +
             " fields instead of 14 (label, Freqency .. Name, number) or 12 (Freqency .. Name)");
      continue;
    }
    Channel& channel = image.channel(target);
    if (!TakesPastedRows(target)) {
      refuse(channel.label +
             " takes no pasted row (dual, call, pass and bug-detector channels "
             "are edited in the channel dialog)");
      continue;
    }
    for (int column = kColFreq; column <= kColName; ++column) {
      cells[static_cast<size_t>(column)] =
          std::move(fields[offset + static_cast<size_t>(column - kColFreq)]);
    }
    if (cells[kColFreq].empty()) {
      ClearChannel(channel);
    } else {
      Channel parsed;
      parsed.label = channel.label;
      FileProblem problem = ReadChannelLine(parsed, cells);
      if (!problem.column.empty()) {
        problem.line = line_number;
        problem.channel = target;
        bool refused = problem.emptied;
        if (refused) problem.what += kNotPasted;
        problem.emptied = false;
        result.problems.push_back(std::move(problem));
        if (refused) continue;
      }
      channel = std::move(parsed);
    }
    ++result.rows;
    if (result.first == 0) result.first = target;
    result.last = target;
  }
  return result;
}

}  // namespace tqm5
