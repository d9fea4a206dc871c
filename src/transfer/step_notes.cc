#include "transfer/step_notes.h"

#include <string_view>

#include "image/channel_numbering.h"
#include "image/hex.h"
#include "model/memory_image.h"

namespace tqm5 {
namespace {

constexpr std::string_view kWriteAgain = "write again to finish.";
constexpr std::string_view kGlyphName = "user glyph ";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "a", "a and b", "a, b and c".
std::string JoinNames(const std::vector<std::string>& names, std::string_view last_joiner) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? std::string(last_joiner) : ", ";
    text += names[i];
  }
  return text;
}

// Runs of "user glyph n" become "user glyphs 0 to 3".
std::vector<std::string> GroupGlyphs(const std::vector<std::string>& names) {
  std::vector<std::string> grouped;
  for (size_t i = 0; i < names.size();) {
    size_t end = i;
    while (end < names.size() && names[end].starts_with(kGlyphName)) ++end;
    if (end - i < 2) {
      grouped.push_back(names[i++]);
      continue;
    }
    grouped.push_back("user glyphs " + names[i].substr(kGlyphName.size()) +
                      (end - i == 2 ? " and " : " to ") + names[end - 1].substr(kGlyphName.size()));
    i = end;
  }
  return grouped;
}

std::string Capitalized(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

}  // namespace

std::string ChannelStepName(int n) {
  return "channel " + std::to_string(n) + " (address " + AddressText(ChannelAddress(n)) + ")";
}

std::string IdentificationDetail(ModelOption option, const Exchange& last) {
  if (IdentificationCommands(option).empty()) {
    return "no model option is chosen, so the radio was not asked to identify itself; choose "
           "J, T or other.";
  }
  return IdentificationFailure(option, last) + ". Check the cable, the port and the model option.";
}

std::string IdentificationFailure(ModelOption option, const Exchange& last) {
  std::vector<std::string_view> commands = IdentificationCommands(option);
  std::vector<std::string> quoted;
  for (std::string_view command : commands) quoted.push_back(Quoted(command));
  std::string tried;
  if (quoted.size() == 1) {
    tried = quoted[0] + " was not answered \"OK\"";
  } else if (quoted.size() == 2) {
    tried = "neither " + quoted[0] + " nor " + quoted[1] + " was answered \"OK\"";
  } else {
    tried = "none of " + JoinNames(quoted, " and ") + " was answered \"OK\"";
  }
  return "identification as model option " + std::string(ModelOptionName(option)) +
         " failed: " + tried + " (" + DescribeExchange(last) + ")";
}

std::string AreasWrittenNote(const std::vector<std::string>& written, const std::string& stopped,
                             bool partly, bool in_doubt) {
  std::string rest = in_doubt ? stopped + " may be partly written, and nothing after it: "
                     : partly ? stopped + " was partly written, and nothing after it: "
                              : stopped + " and everything after were not: ";
  if (written.empty()) {
    return partly || in_doubt ? Capitalized(rest) + std::string(kWriteAgain)
                              : "Nothing was written: the radio still holds its old data.";
  }
  std::vector<std::string> grouped = GroupGlyphs(written);
  return Capitalized(JoinNames(grouped, " and ")) + (written.size() == 1 ? " was" : " were") +
         " written; " + rest + std::string(kWriteAgain);
}

std::string ChannelsWrittenNote(int first, int last, int stopped, bool areas_before,
                                bool in_doubt) {
  // The channels from `from` to the end of the command.
  auto to_the_end = [first, last](int from) {
    return first == 1 && last == kChannelCount
               ? "from channel " + std::to_string(from) + " on"
               : "for channels " + std::to_string(from) + " to " + std::to_string(last);
  };
  if (in_doubt) {
    // The radio may have stored the channel whose answer went wrong.
    std::vector<std::string> parts;
    if (stopped > first) {
      parts.push_back("the new data " + (first == 1 ? "up to channel " + std::to_string(stopped - 1)
                                                    : "for channels " + std::to_string(first) +
                                                          " to " + std::to_string(stopped - 1)));
    }
    parts.push_back("either the new or the old data in channel " + std::to_string(stopped));
    if (stopped < last) parts.push_back("its old data " + to_the_end(stopped + 1));
    return std::string(areas_before && stopped == first ? "The areas were written; the radio"
                                                        : "The radio") +
           " now holds " + JoinNames(parts, " and ") + "; " + std::string(kWriteAgain);
  }
  std::string rest = to_the_end(stopped);
  if (stopped == first) {
    return std::string(areas_before ? "The areas were written; the radio" : "The radio") +
           " still holds its old data " + rest + "; " + std::string(kWriteAgain);
  }
  std::string done =
      first == 1 ? "up to channel " + std::to_string(stopped - 1)
                 : "for channels " + std::to_string(first) + " to " + std::to_string(stopped - 1);
  return "The radio now holds the new data " + done + " and its old data " + rest + "; " +
         std::string(kWriteAgain);
}

}  // namespace tqm5
