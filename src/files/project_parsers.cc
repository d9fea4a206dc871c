// The project loader's parsers, one per line key; the channel line's are in
// project_channel_line.cc.
//
// A project is sent to the radio as it is or not at all, so a line is never changed without a
// word: whatever the loader takes differently from what the line says is reported with what it
// took instead, and the callers decide whether the result may go to the radio.
#include "files/project_parsers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <optional>
#include <string>
#include <string_view>

#include "files/project_file.h"
#include "files/snapshot_store.h"
#include "fonts/font_codec.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/cp932.h"
#include "textdata/dtmf.h"
#include "textdata/title_code.h"

namespace tqm5 {

namespace project_line {

Line Slice(Line line, size_t position, size_t width) {
  if (position > line.size()) return {};
  return line.substr(position - 1, width);
}

std::string TextAt(Line line, size_t position, size_t width) {
  return U32ToUtf8(Slice(line, position, width));
}

std::optional<int> DigitsAt(Line line, size_t position, size_t width) {
  Line digits = Slice(line, position, width);
  if (digits.size() != width) return std::nullopt;
  int value = 0;
  for (char32_t c : digits) {
    if (c < U'0' || c > U'9') return std::nullopt;
    value = value * 10 + static_cast<int>(c - U'0');
  }
  return value;
}

int NumberAt(Line line, size_t position, size_t width) {
  return DigitsAt(line, position, width).value_or(0);
}

bool DigitsTo(Line line, size_t position, size_t length) {
  // Checked character by character: the digits of a whole line are far too many for an int.
  Line digits = Slice(line, position);
  return line.size() == length && std::all_of(digits.begin(), digits.end(),
                                              [](char32_t c) { return c >= U'0' && c <= U'9'; });
}

bool StartsWith(Line line, std::string_view key) {
  if (line.size() < key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    if (line[i] != static_cast<unsigned char>(key[i])) return false;
  }
  return true;
}

std::string Shown(char32_t c) {
  if (c < 0x20 || c == 0x7F) return "character code " + std::to_string(static_cast<int>(c));
  return "\"" + U32ToUtf8(std::u32string(1, c)) + "\"";
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string ListRange(int count) { return "(0.." + std::to_string(count - 1) + ")"; }

void LineLoad::Report(std::string column, std::string value, std::string what, int channel,
                      bool emptied) const {
  state.problems.push_back(
      {number, channel, std::move(column), std::move(value), std::move(what), emptied});
}

void LineLoad::Key(const std::string& key, const std::string& whose, int channel) const {
  auto [it, first] = state.line_of_key.try_emplace(key, number);
  if (!first) Repeated(it->second, whose, channel);
}

void LineLoad::ChannelKey(int channel) const {
  if (state.line_of_channel.empty()) state.line_of_channel.assign(kChannelCount + 1, 0);
  int& first_line = state.line_of_channel[static_cast<size_t>(channel)];
  if (first_line == 0) {
    first_line = number;
    return;
  }
  Repeated(first_line, "channel " + std::to_string(channel), channel);
}

void LineLoad::Repeated(int& first_line, const std::string& whose, int channel) const {
  Report("", "",
         "a second line for " + whose + " (the first is line " + std::to_string(first_line) +
             "); this line counts",
         channel);
  first_line = number;
}

}  // namespace project_line

namespace {

using project_line::DigitsAt;
using project_line::DigitsTo;
using project_line::kNotLoaded;
using project_line::Line;
using project_line::LineLoad;
using project_line::ListRange;
using project_line::NumberAt;
using project_line::Quote;
using project_line::Shown;
using project_line::Slice;
using project_line::StartsWith;
using project_line::TextAt;

std::string BankRange(int k) {
  return "banks " + std::to_string(kBanksPerLine * k) + ".." +
         std::to_string(kBanksPerLine * k + kBanksPerLine - 1);
}

void ParseBankSizes(const LineLoad& l) {
  std::optional<int> k = DigitsAt(l.line, 3, 4);
  bool known = k && *k < kBankLineCount;
  if (known) l.Key("BK" + ZeroPad(*k, 4), "the sizes of " + BankRange(*k));
  if (!known || !DigitsTo(l.line, 7, 36)) {
    l.Report("", "",
             "not a bank line of \"BK000\", a line 0..4 and ten sizes of 3 digits" +
                 std::string(kNotLoaded) +
                 (known ? ", " + BankRange(*k) + " keep their sizes" : ""));
    return;
  }
  for (int i = 0; i < kBanksPerLine; ++i) {
    l.image.bank_sizes[static_cast<size_t>(kBanksPerLine * *k + i)] =
        NumberAt(l.line, 7 + 3 * static_cast<size_t>(i), 3);
  }
}

// "ALLBANK" + bank (2 digits): every memory in that bank (see the writer).
void ParseAllBank(const LineLoad& l) {
  l.Key(std::string(kAllBankKey), "the bank sizes");
  std::optional<int> bank = DigitsAt(l.line, kAllBankKey.size() + 1, 2);
  if (l.line.size() != kAllBankKey.size() + 2 || !bank || *bank >= kBankCount) {
    l.Report("", "",
             "not an ALLBANK line of a bank 00..49" + std::string(kNotLoaded) +
                 ", the banks keep their sizes");
    return;
  }
  l.image.bank_sizes.fill(0);
  l.image.bank_sizes[static_cast<size_t>(*bank)] = kMemoryChannelCount;
}

// The one-touch entries are at positions 14 + 3i, after the 13-character key; the line holds
// nine of them.
bool OneTouchShape(const LineLoad& l, std::string_view key) {
  if (DigitsTo(l.line, 14, 13 + 3 * kOneTouchKeyCount)) return true;
  l.Report("", "",
           "not a " + std::string(key) + " line of nine 3-digit entries" + std::string(kNotLoaded) +
               ", the one-touch keys keep what they held");
  return false;
}

std::string KeyName(int k) { return "key " + std::to_string(k + 1); }

// Entries are bank numbers, looked up in the used-bank table of the file's bank sizes.
void ParseOneTouchBanks(const LineLoad& l) {
  if (!OneTouchShape(l, kOneTouchBankKey)) return;
  MemoryImage& image = l.image;
  RebuildUsedBanks(image);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    int bank = NumberAt(l.line, 14 + 3 * static_cast<size_t>(k), 3);
    OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    int position = bank == kOneTouchNoSetting ? -1 : UsedBankPosition(image, bank);
    if (bank != kOneTouchNoSetting && position < 0) {
      l.Report(std::string(kOneTouchBankKey), ZeroPad(bank, 3),
               KeyName(k) + ": bank " + std::to_string(bank) +
                   " is not a bank in use; loaded as No Setting");
    }
    key.no_setting = position < 0;
    SelectOneTouchBank(image, k, std::max(position, 0));
  }
}

void ParseOneTouchChannels(const LineLoad& l) {
  if (!OneTouchShape(l, kOneTouchChannelKey)) return;
  MemoryImage& image = l.image;
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    int position = NumberAt(l.line, 14 + 3 * static_cast<size_t>(k), 3);
    OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    int count = OneTouchChannelCount(image, k);
    // A "No Setting" key has no channel; the radio gets FF FF FF for it whatever the entry.
    if (!key.no_setting && position >= count) {
      l.Report(std::string(kOneTouchChannelKey), ZeroPad(position, 3),
               KeyName(k) + ": channel " + std::to_string(position) + " is beyond the " +
                   std::to_string(count) + " channels of bank " +
                   std::to_string(OneTouchBank(image, k)) + "; loaded as channel 0");
    }
    key.channel_position = key.no_setting || position >= count ? 0 : position;
  }
}

void ParseDtmfMemory(const LineLoad& l) {
  std::optional<int> n = DigitsAt(l.line, 9, 3);
  if (!n || *n < 1 || *n > kDtmfMemoryCount) {
    l.Report("", "",
             "not a NUM_DTMF line of a memory 001..009 and its digits" + std::string(kNotLoaded));
    return;
  }
  l.Key("NUM_DTMF" + ZeroPad(*n, 3), "DTMF memory " + std::to_string(*n));
  Line digits = Slice(l.line, 12);
  std::string why;
  if (digits.size() > kDtmfMemoryLength) {
    why = std::to_string(digits.size()) + " digits, the radio holds 16";
  } else {
    std::string wrong;
    for (char32_t c : digits) {
      if (c < 0x80 && kDtmfDigits.find(static_cast<char>(c)) != std::string_view::npos) continue;
      wrong += (wrong.empty() ? "" : ", ") + Shown(c);
    }
    if (!wrong.empty()) why = "characters that are not DTMF digits (0-9, A-D, *, #, -): " + wrong;
  }
  std::string& memory = l.image.dtmf.memories[static_cast<size_t>(*n - 1)];
  if (why.empty()) {
    memory = U32ToUtf8(digits);
    return;
  }
  // A DTMF memory dials a number: a part of it would dial another one.
  memory.clear();
  l.Report("NUM_DTMF" + ZeroPad(*n, 3), U32ToUtf8(digits),
           why + "; memory " + std::to_string(*n) + " left empty");
}

void ParseDtmfSettings(const LineLoad& l) {
  l.Key("SET_DTMF", "the DTMF settings");
  if (!DigitsTo(l.line, 9, 23)) {
    l.Report("", "",
             "not a SET_DTMF line of five 3-digit list positions" + std::string(kNotLoaded) +
                 ", the DTMF settings keep what they held");
    return;
  }
  struct Box {
    const char* what;
    int& position;
    int count;
  };
  DtmfState& dtmf = l.image.dtmf;
  const Box boxes[] = {{"Wait", dtmf.wait, kDtmfWaitCount},
                       {"Head", dtmf.head, kDtmfTimeCount},
                       {"Burst", dtmf.burst, kDtmfTimeCount},
                       {"Pause", dtmf.pause, kDtmfTimeCount},
                       {"Ch", dtmf.dial_ch, kDtmfDialChCount}};
  size_t position = 9;
  for (const Box& box : boxes) {
    int value = NumberAt(l.line, position, 3);
    if (value < box.count) {
      box.position = value;
    } else {
      l.Report("SET_DTMF", ZeroPad(value, 3),
               std::string(box.what) + " position " + std::to_string(value) +
                   " is beyond the list " + ListRange(box.count) + "; kept as it was");
    }
    position += 3;
  }
}

void ParseTitle(const LineLoad& l) {
  l.Key("TITLE", "the title");
  std::string text = TextAt(l.line, 6);
  RadioTextCheck check = CheckRadioText(text);
  if (!check.fault.empty()) {
    l.Report("TITLE", text, check.fault + "; loaded as " + Quote(check.kept));
  }
  l.image.title = std::move(check.kept);
}

// `count` characters "0" or "1" from `position` to the end of a line of exactly that length.
bool FlagsTo(Line line, size_t position, size_t count) {
  if (line.size() != position - 1 + count) return false;
  for (char32_t c : Slice(line, position)) {
    if (c != U'0' && c != U'1') return false;
  }
  return true;
}

void ParseGroup(const LineLoad& l) {
  std::optional<int> group = DigitsAt(l.line, 4, 2);
  bool known = group && *group < kBankLinkGroupCount;
  if (known) l.Key("GRD" + ZeroPad(*group, 2), "group " + std::to_string(*group));
  if (!known || !FlagsTo(l.line, 6, kBankCount)) {
    l.Report("", "",
             "not a GRD line of a group 00..10 and 50 flags 0 or 1" + std::string(kNotLoaded));
    return;
  }
  auto& entries = l.image.group_file_table[static_cast<size_t>(*group)];
  for (size_t b = 0; b < entries.size(); ++b) entries[b] = l.line[5 + b] == U'1' ? 1 : 0;
}

void ParseGroupFlags(const LineLoad& l) {
  l.Key("GRI", "the group flags");
  if (!FlagsTo(l.line, 4, kBankCount)) {
    l.Report("", "", "not a GRI line of 50 flags 0 or 1" + std::string(kNotLoaded));
    return;
  }
  auto& flags = l.image.group_file_flags;
  for (size_t b = 0; b < flags.size(); ++b) flags[b] = l.line[3 + b] == U'1' ? 1 : 0;
}

// Sets one set-mode choice from the 3 digits at `position`; a choice beyond its list is
// reported and the item keeps what it held.
void SetChoice(const LineLoad& l, const std::string& key, SettingId id, int item, size_t position) {
  int choice = NumberAt(l.line, position, 3);
  int count = SettingChoiceCount(id);
  if (choice >= count) {
    l.Report(key, ZeroPad(choice, 3),
             "item " + std::to_string(item) + ": choice " + std::to_string(choice) +
                 " is beyond its list " + ListRange(count) + "; kept as it was");
    return;
  }
  l.image.settings[id] = static_cast<int16_t>(choice);
  // Choosing the language item switches the settings views at once.
  if (id == kLanguageItem) l.image.language = choice;
}

void ParseSettings(const LineLoad& l) {
  std::optional<int> record = DigitsAt(l.line, 3, 2);
  if (!record || *record < 1 || *record > kChModeRecord) {
    l.Report("", "", "not a settings line SD01..SD12; ignored");
    return;
  }
  std::string key = "SD" + ZeroPad(*record, 2);
  l.Key(key, key);
  SettingGroup group = *record == kChModeRecord
                           ? SettingGroup::kChMode
                           : kProjectSettingRecords[static_cast<size_t>(*record - 1)];
  int items = *record == kChModeRecord ? 1 : kSettingGroupSizes[static_cast<size_t>(group)];
  size_t length = 4 + 3 * static_cast<size_t>(items);
  if (!DigitsTo(l.line, 5, length)) {
    l.Report("", "",
             key + " should be " + std::to_string(length) + " characters, 3 digits per choice" +
                 std::string(kNotLoaded) + ", its settings keep what they held");
    return;
  }
  for (int item = 0; item < items; ++item) {
    SetChoice(l, key, SettingId{group, item}, item, 5 + 3 * static_cast<size_t>(item));
  }
}

// "FONT" + glyph (0..7) + 64 hex digits.
void ParseFont(const LineLoad& l) {
  std::optional<int> glyph = DigitsAt(l.line, kFontKey.size() + 1, 1);
  bool known = glyph && *glyph < kGlyphCount;
  if (known)
    l.Key(std::string(kFontKey) + std::to_string(*glyph), "glyph " + std::to_string(*glyph));
  std::string hex = TextAt(l.line, kFontKey.size() + 2);
  if (!known || l.line.size() != kFontKey.size() + 1 + kGlyphRecordHexLength || !IsHexText(hex)) {
    l.Report("", "",
             "not a FONT line of a glyph 0..7 and 64 hex digits" + std::string(kNotLoaded) +
                 ", the glyph keeps what it held");
    return;
  }
  ExpandFontString(l.image.font_bits, *glyph, hex);
}

// "SLIDE" + the title's scroll choice, 0 or 1.
void ParseSlide(const LineLoad& l) {
  l.Key(std::string(kSlideKey), "the title's scroll choice");
  std::optional<int> choice = DigitsAt(l.line, kSlideKey.size() + 1, 1);
  if (l.line.size() != kSlideKey.size() + 1 || !choice || *choice > 1) {
    l.Report("", "",
             "not \"SLIDE0\" or \"SLIDE1\"" + std::string(kNotLoaded) +
                 ", the title's scroll choice keeps what it held");
    return;
  }
  l.image.title_scroll = *choice;
}

// "LINK" + group (00..10) + 16 hex digits.
void ParseLink(const LineLoad& l) {
  constexpr size_t kGroupHexLength = 16;
  std::optional<int> group = DigitsAt(l.line, kLinkKey.size() + 1, 2);
  bool known = group && *group < kBankLinkGroupCount;
  if (known) {
    l.Key(std::string(kLinkKey) + ZeroPad(*group, 2), "bank-link group " + std::to_string(*group));
  }
  std::string hex = TextAt(l.line, kLinkKey.size() + 3);
  if (!known || l.line.size() != kLinkKey.size() + 2 + kGroupHexLength || !IsHexText(hex)) {
    l.Report("", "",
             "not a LINK line of a group 00..10 and 16 hex digits" + std::string(kNotLoaded) +
                 ", the bank-link group keeps what it held");
    return;
  }
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  l.image.bank_link_hex[static_cast<size_t>(*group)] = hex;
}

// A line of no key the loader knows, for a message: its start.
std::string LineStart(Line line) {
  constexpr size_t kShown = 24;
  std::string text;
  for (char32_t c : line.substr(0, kShown))
    text += c < 0x20 || c == 0x7F ? "?" : U32ToUtf8({&c, 1});
  return Quote(text + (line.size() > kShown ? "..." : ""));
}

// Keys of the numbered records `first`..`last` for which `given(n)` is false ("SD", 1, 11 and 2
// digits give SD01..SD11): all of them as one range, or each one. A record without a number is
// asked for with `first` = `last` = -1.
template <typename Given>
std::vector<std::string> MissingKeys(std::string_view stem, int first, int last, int digits,
                                     Given given) {
  auto key = [&](int n) {
    return n < 0 ? std::string(stem) : std::string(stem) + ZeroPad(n, digits);
  };
  std::vector<std::string> missing;
  for (int n = first; n <= last; ++n) {
    if (!given(n)) missing.push_back(key(n));
  }
  if (missing.size() == static_cast<size_t>(last - first + 1) && missing.size() > 1) {
    return {key(first) + ".." + key(last)};
  }
  return missing;
}

// The same for the records the load noted in `line_of_key`.
std::vector<std::string> MissingKeys(const std::map<std::string, int>& line_of_key,
                                     const std::string& stem, int first, int last, int digits) {
  return MissingKeys(stem, first, last, digits, [&](int n) {
    return line_of_key.contains(n < 0 ? stem : stem + ZeroPad(n, digits));
  });
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

}  // namespace

void ApplyProjectLine(MemoryImage& image, int number, std::u32string_view line,
                      ProjectLoadState& state) {
  LineLoad l{image, line, number, state};
  if (line.empty()) return;
  if (StartsWith(line, "CH")) return ParseChannel(l);
  if (StartsWith(line, "BK")) return ParseBankSizes(l);
  if (StartsWith(line, kAllBankKey)) return ParseAllBank(l);
  for (std::string_view key : {kOneTouchBankKey, kOneTouchChannelKey}) {
    if (StartsWith(line, key)) {
      l.Key(std::string(key),
            "the one-touch " + std::string(key == kOneTouchBankKey ? "banks" : "channels"));
      state.one_touch_lines[std::string(key)] = {number, std::u32string(line)};
      return;
    }
  }
  if (StartsWith(line, "NUM_DTMF")) return ParseDtmfMemory(l);
  if (StartsWith(line, "SET_DTMF")) return ParseDtmfSettings(l);
  if (StartsWith(line, "TITLE")) return ParseTitle(l);
  if (StartsWith(line, "GRD")) return ParseGroup(l);
  if (StartsWith(line, "GRI")) return ParseGroupFlags(l);
  if (StartsWith(line, "SD")) return ParseSettings(l);
  if (StartsWith(line, kFontKey)) return ParseFont(l);
  if (StartsWith(line, kLinkKey)) return ParseLink(l);
  if (StartsWith(line, kSlideKey)) return ParseSlide(l);
  if (StartsWith(line, kSnapshotKey)) {
    std::string digest = TextAt(line, kSnapshotKey.size() + 1);
    if (!IsSnapshotDigest(digest)) {
      return l.Report("", "", "not the name of a radio snapshot, " + LineStart(line) + "; ignored");
    }
    l.Key(std::string(kSnapshotKey), "the radio snapshot");
    state.snapshot_digest = std::move(digest);
    return;
  }
  // The port is read back only from "com.ini"; the end line closes the file.
  if (StartsWith(line, "COMPORT") || line == U"File End") return;
  l.Report("", "", "a line the loader does not know, " + LineStart(line) + "; ignored");
}

std::string MissingRequiredLines(const std::vector<std::string>& lines) {
  // The keys as the parsers note them (`LineLoad::Key`): "BK" and "SD" with all their digits.
  // Every file is checked before it loads, so the lines are only marked off here.
  auto number = [](std::string_view line, size_t from, size_t width) {
    int value = 0;
    if (line.size() < from + width) return -1;
    for (char c : line.substr(from, width)) {
      if (c < '0' || c > '9') return -1;
      value = value * 10 + (c - '0');
    }
    return value;
  };
  constexpr int kLastSettingLine = 11;
  constexpr std::array<std::string_view, 5> kWholeKeys = {kAllBankKey, kOneTouchBankKey,
                                                          kOneTouchChannelKey, "SET_DTMF", "TITLE"};
  std::array<bool, kLastSettingLine + 1> settings{};
  std::array<bool, kBankLineCount> banks{};
  std::array<bool, kWholeKeys.size()> whole{};
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.starts_with("BK") && number(line, 2, 4) >= 0) {
      int bank = number(line, 2, 4);
      if (bank < kBankLineCount) banks[static_cast<size_t>(bank)] = true;
    } else if (line.starts_with("SD") && number(line, 2, 2) >= 0) {
      int item = number(line, 2, 2);
      if (item <= kLastSettingLine) settings[static_cast<size_t>(item)] = true;
    } else {
      for (size_t k = 0; k < kWholeKeys.size(); ++k)
        whole[k] = whole[k] || line.starts_with(kWholeKeys[k]);
    }
  }
  std::vector<std::string> missing = MissingKeys(
      "SD", 1, kLastSettingLine, 2, [&](int n) { return settings[static_cast<size_t>(n)]; });
  if (!whole[0]) {
    std::vector<std::string> bank_keys = MissingKeys(
        "BK", 0, kBankLineCount - 1, 4, [&](int n) { return banks[static_cast<size_t>(n)]; });
    missing.insert(missing.end(), bank_keys.begin(), bank_keys.end());
  }
  for (size_t k = 1; k < kWholeKeys.size(); ++k) {
    if (!whole[k]) missing.emplace_back(kWholeKeys[k]);
  }
  return missing.empty() ? "" : "incomplete project file: no line for " + Joined(missing);
}

void FinishProjectLoad(MemoryImage& image, ProjectLoadState& state) {
  // Banks first: the channel entries count the channels of the banks the keys name.
  for (std::string_view key : {kOneTouchBankKey, kOneTouchChannelKey}) {
    auto it = state.one_touch_lines.find(std::string(key));
    if (it == state.one_touch_lines.end()) continue;
    LineLoad l{image, it->second.second, it->second.first, state};
    if (key == kOneTouchBankKey) {
      ParseOneTouchBanks(l);
    } else {
      ParseOneTouchChannels(l);
    }
  }
  bool all_bank = state.line_of_key.contains(std::string(kAllBankKey));
  bool bank_lines = std::any_of(state.line_of_key.begin(), state.line_of_key.end(),
                                [](const auto& entry) { return entry.first.starts_with("BK"); });
  if (all_bank && bank_lines) {
    state.problems.push_back({state.line_of_key[std::string(kAllBankKey)], 0, "", "",
                              "the file gives the bank sizes both by BK lines and by an ALLBANK "
                              "line; they were applied in the order of the file",
                              false});
  }
  // Older programs wrote none of these; the image keeps what it held for them.
  const std::pair<std::vector<std::string>, std::string> optional[] = {
      {MissingKeys(state.line_of_key, std::string(kSlideKey), -1, -1, 0),
       "the title's scroll choice keeps what it held"},
      {MissingKeys(state.line_of_key, "SD", kChModeRecord, kChModeRecord, 2),
       "the channel display mode keeps what it held"},
      {MissingKeys(state.line_of_key, std::string(kFontKey), 0, kGlyphCount - 1, 1),
       "the glyphs keep what they held"},
      {MissingKeys(state.line_of_key, std::string(kLinkKey), 0, kBankLinkGroupCount - 1, 2),
       "the bank-link groups keep what they held"},
  };
  for (const auto& [keys, what] : optional) {
    if (!keys.empty()) {
      state.problems.push_back({0, 0, "", "", "no line for " + Joined(keys) + "; " + what, false});
    }
  }
  // In the order of the file's lines; what concerns no line of its own comes last.
  std::stable_sort(state.problems.begin(), state.problems.end(), [](const auto& a, const auto& b) {
    return (a.line > 0 ? a.line : INT_MAX) < (b.line > 0 ? b.line : INT_MAX);
  });
}

}  // namespace tqm5
