// The project loader's parsers, one per line key. Every position is a character position,
// counted from 1, so that Japanese characters in a name or the title do not shift the fields.
#include "files/project_parsers.h"

#include <cctype>
#include <string>

#include "files/project_file.h"
#include "fonts/font_codec.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/cp932.h"
#include "textdata/dtmf.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

using Line = std::u32string_view;

// Longest name or title the loader takes, in CP932 bytes.
constexpr int kMaxTextBytes = 32;

// The characters from 1-based `position` on, at most `width` of them, as far as the line reaches.
Line Slice(Line line, size_t position, size_t width = Line::npos) {
  if (position > line.size()) return {};
  return line.substr(position - 1, width);
}

// The slice as 8-bit text; a character outside ASCII becomes "?", which no field accepts.
std::string NarrowAt(Line line, size_t position, size_t width = Line::npos) {
  std::string text;
  for (char32_t c : Slice(line, position, width)) text += c < 0x80 ? static_cast<char>(c) : '?';
  return text;
}

// A decimal field; one that is empty or not all digits reads as 0.
int NumberAt(Line line, size_t position, size_t width) {
  return DecimalField(NarrowAt(line, position, width));
}

std::string TextAt(Line line, size_t position, size_t width = Line::npos) {
  return U32ToUtf8(Slice(line, position, width));
}

bool StartsWith(Line line, std::string_view key) {
  if (line.size() < key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    if (line[i] != static_cast<unsigned char>(key[i])) return false;
  }
  return true;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string OutOfRange(const std::string& what, int value) {
  return what + " " + std::to_string(value) + " is out of range";
}

// An index field that selects an entry of a list of `count`. Out of range ends the load and
// leaves `value` as it was.
bool IndexAt(Line line, size_t position, size_t width, int count, const char* what, int& value,
             std::string& error) {
  int index = NumberAt(line, position, width);
  if (index >= count) {
    error = OutOfRange(what, index);
    return false;
  }
  value = index;
  return true;
}

// A character of a line as the user would see it in a message: printable characters as
// themselves, control characters by their code.
std::string Shown(char32_t c) {
  if (c < 0x20 || c == 0x7F) return "character code " + std::to_string(static_cast<int>(c));
  return "\"" + U32ToUtf8(std::u32string(1, c)) + "\"";
}

// The fixed part of a channel line holds digits, with the decimal points of the frequency and the
// offset at positions 11 and 34. A line of another shape would put its characters into the
// wrong fields, so it is refused with the first position that is wrong.
bool CheckChannelShape(Line line, std::string& error) {
  if (line.size() < kChannelFixedLength) {
    error = "channel line: " + std::to_string(line.size()) + " characters, the fixed fields need " +
            std::to_string(kChannelFixedLength);
    return false;
  }
  for (size_t position = 3; position <= kChannelFixedLength; ++position) {
    char32_t c = line[position - 1];
    bool point = position == 11 || position == 34;
    if (point ? c == U'.' : c >= U'0' && c <= U'9') continue;
    error = "channel line: position " + std::to_string(position) + " should be " +
            (point ? "\".\"" : "a digit") + ", found " + Shown(c);
    return false;
  }
  return true;
}

bool ParseChannel(MemoryImage& image, Line line, std::string& error) {
  if (!CheckChannelShape(line, error)) return false;
  int number = NumberAt(line, 3, 4) + 1;
  if (number > kChannelCount) {
    error = OutOfRange("channel number", number);
    return false;
  }
  Channel& channel = image.channel(number);
  ChannelRow& row = channel.row;
  // The decimal points at positions 11 and 34 are checked above and put back in place.
  row[kColFreq] = std::to_string(NumberAt(line, 7, 4)) + "." + TextAt(line, 12, 5) + "MHz";

  static constexpr std::array<std::string_view, 4> kModes = {"FM", "AM", "NFM", "WFM"};
  int mode = NumberAt(line, 17, 1);
  row[kColMode] = kModes[static_cast<size_t>(mode < 4 ? mode : 0)];

  int step = NumberAt(line, 18, 2);
  channel.step_index = static_cast<uint8_t>(step);
  row[kColStep] = kStepList[static_cast<size_t>(step < kStepCount ? step : 0)];

  int value = 0;
  if (!IndexAt(line, 20, 2, kTrainCount, "train-tone index", value, error)) return false;
  channel.train_index = static_cast<uint8_t>(value);
  row[kColCarrier] = kTrainList[static_cast<size_t>(value)];

  static constexpr std::array<std::string_view, 5> kToneModes = {"None", "Tone", "TSQ", "SQ",
                                                                 "DCS"};
  int tone_mode = NumberAt(line, 22, 1);
  if (tone_mode < 5) {
    row[kColToneMode] = kToneModes[static_cast<size_t>(tone_mode)];
  } else {
    // Train tones exist only on the "J" variant.
    row[kColToneMode] = tone_mode == 5 && UsesGlyphCharacters(image) ? "Train" : "None";
  }

  if (!IndexAt(line, 23, 2, kToneCount, "transmit tone index", value, error)) return false;
  channel.tx_tone_index = static_cast<uint8_t>(value);
  row[kColTxTone] = kToneList[static_cast<size_t>(value)];
  if (!IndexAt(line, 25, 2, kToneCount, "receive tone index", value, error)) return false;
  channel.rx_tone_index = static_cast<uint8_t>(value);
  row[kColRxTone] = kToneList[static_cast<size_t>(value)];
  if (!IndexAt(line, 27, 3, kDcsCount, "DCS index", value, error)) return false;
  channel.dcs_index = static_cast<uint8_t>(value);
  row[kColDcs] = kDcsList[static_cast<size_t>(value)];

  int shift = NumberAt(line, 30, 1);
  row[kColShift] = kShiftText[static_cast<size_t>(shift < 3 ? shift : 0)];
  row[kColShiftFreq] = std::to_string(NumberAt(line, 31, 3)) + "." + TextAt(line, 35, 3) + "MHz";
  row[kColSkip] = TextAt(line, 38, 1) == "1" ? "*" : "";

  if (line.size() <= kChannelFixedLength) {
    row[kColName].clear();
  } else {
    // A name too long for the radio is refused whole; the channel then stays as the load's
    // clearing left it (unused).
    std::string name = TextAt(line, kChannelFixedLength + 1);
    if (Cp932ByteLength(name) > kMaxTextBytes) return true;
    row[kColName] = FilterRadioText(name);
  }
  channel.used = true;
  return true;
}

bool ParseBankSizes(MemoryImage& image, Line line, std::string& error) {
  int k = NumberAt(line, 3, 4);
  if (k >= kBankLineCount) {
    error = OutOfRange("bank line", k);
    return false;
  }
  for (int i = 0; i < kBanksPerLine; ++i) {
    image.bank_sizes[static_cast<size_t>(kBanksPerLine * k + i)] =
        NumberAt(line, 7 + 3 * static_cast<size_t>(i), 3);
  }
  return true;
}

// "ALLBANK" + bank (2 digits): every memory in that bank (see the writer). Malformed lines are
// ignored.
void ParseAllBank(MemoryImage& image, Line line) {
  if (line.size() != kAllBankKey.size() + 2 || !StartsWith(line, kAllBankKey)) return;
  std::string digits = NarrowAt(line, kAllBankKey.size() + 1, 2);
  if (!AllDigits(digits)) return;
  int bank = DecimalField(digits);
  if (bank >= kBankCount) return;
  image.bank_sizes.fill(0);
  image.bank_sizes[static_cast<size_t>(bank)] = kMemoryChannelCount;
}

// The one-touch entries are at positions 14 + 3i, after the 13-character key.
int OneTouchEntry(Line line, int key) {
  return NumberAt(line, 14 + 3 * static_cast<size_t>(key), 3);
}

// Entries are bank numbers, looked up in the used-bank table of the sizes loaded so far, which
// is why the bank lines must come first.
void ParseOneTouchBanks(MemoryImage& image, Line line) {
  RebuildUsedBanks(image);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    int bank = OneTouchEntry(line, k);
    OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    if (bank == kOneTouchNoSetting) {
      key.no_setting = true;
      SelectOneTouchBank(image, k, 0);
      continue;
    }
    key.no_setting = false;
    // A bank that is not in use keeps the key's bank selection.
    int position = UsedBankPosition(image, bank);
    if (position >= 0) SelectOneTouchBank(image, k, position);
  }
}

void ParseOneTouchChannels(MemoryImage& image, Line line) {
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    int position = OneTouchEntry(line, k);
    image.one_touch[static_cast<size_t>(k)].channel_position =
        OneTouchChannelCount(image, k) > position ? position : 0;
  }
}

bool ParseDtmfMemory(MemoryImage& image, Line line, std::string& error) {
  int n = NumberAt(line, 9, 3);
  Line digits = Slice(line, 12);
  if (digits.empty() || digits.size() > kDtmfMemoryLength) return true;
  if (n < 1 || n > kDtmfMemoryCount) {
    error = OutOfRange("DTMF memory number", n);
    return false;
  }
  image.dtmf.memories[static_cast<size_t>(n - 1)] = FilterDtmf(U32ToUtf8(digits));
  return true;
}

bool ParseDtmfSettings(MemoryImage& image, Line line, std::string& error) {
  struct Box {
    const char* what;
    int& position;
    int count;
  };
  DtmfState& dtmf = image.dtmf;
  const Box boxes[] = {{"DTMF wait position", dtmf.wait, kDtmfWaitCount},
                       {"DTMF head position", dtmf.head, kDtmfTimeCount},
                       {"DTMF burst position", dtmf.burst, kDtmfTimeCount},
                       {"DTMF pause position", dtmf.pause, kDtmfTimeCount},
                       {"DTMF channel position", dtmf.dial_ch, kDtmfDialChCount}};
  size_t position = 9;
  for (const Box& box : boxes) {
    if (!IndexAt(line, position, 3, box.count, box.what, box.position, error)) return false;
    position += 3;
  }
  return true;
}

void ParseTitle(MemoryImage& image, Line line) {
  std::string text = TextAt(line, 6);
  if (text.empty() || Cp932ByteLength(text) > kMaxTextBytes) return;
  image.title = FilterRadioText(text);
}

bool ParseGroup(MemoryImage& image, Line line, std::string& error) {
  int group = NumberAt(line, 4, 2);
  if (group >= kBankLinkGroupCount) {
    error = OutOfRange("group number", group);
    return false;
  }
  auto& entries = image.group_file_table[static_cast<size_t>(group)];
  for (size_t b = 0; b < entries.size(); ++b)
    entries[b] = static_cast<uint8_t>(NumberAt(line, 6 + b, 1));
  return true;
}

void ParseGroupFlags(MemoryImage& image, Line line) {
  auto& flags = image.group_file_flags;
  for (size_t b = 0; b < flags.size(); ++b)
    flags[b] = static_cast<uint8_t>(NumberAt(line, 4 + b, 1));
}

bool ParseSettings(MemoryImage& image, Line line, std::string& error) {
  int record = NumberAt(line, 3, 2);
  if (record == kChModeRecord) {
    SettingId id{SettingGroup::kChMode, 0};
    int choice = NumberAt(line, 5, 3);
    if (line.size() == 7 && choice < SettingChoiceCount(id)) {
      image.settings[id] = static_cast<int16_t>(choice);
    }
    return true;
  }
  if (record < 1 || record > static_cast<int>(kProjectSettingRecords.size())) return true;
  SettingGroup group = kProjectSettingRecords[static_cast<size_t>(record - 1)];
  for (int item = 0; item < kSettingGroupSizes[static_cast<size_t>(group)]; ++item) {
    SettingId id{group, item};
    int choice = NumberAt(line, 5 + 3 * static_cast<size_t>(item), 3);
    if (choice >= SettingChoiceCount(id)) {
      error = OutOfRange("SD" + ZeroPad(record, 2) + " item " + std::to_string(item) + " choice",
                         choice);
      return false;
    }
    image.settings[id] = static_cast<int16_t>(choice);
    // Choosing the language item switches the settings views at once.
    if (id == kLanguageItem) image.language = choice;
  }
  return true;
}

// "FONT" + glyph (0..7) + 64 hex digits. Malformed lines are ignored.
void ParseFont(MemoryImage& image, Line line) {
  if (line.size() != kFontKey.size() + 1 + kGlyphRecordHexLength || !StartsWith(line, kFontKey)) {
    return;
  }
  std::string digit = NarrowAt(line, kFontKey.size() + 1, 1);
  std::string hex = NarrowAt(line, kFontKey.size() + 2);
  if (!AllDigits(digit) || DecimalField(digit) >= kGlyphCount || !IsHexText(hex)) return;
  ExpandFontString(image.font_bits, DecimalField(digit), hex);
}

// "SLIDE" + the title's scroll choice, 0 or 1. Malformed lines are ignored.
void ParseSlide(MemoryImage& image, Line line) {
  if (line.size() != kSlideKey.size() + 1 || !StartsWith(line, kSlideKey)) return;
  std::string digit = NarrowAt(line, kSlideKey.size() + 1, 1);
  if (digit == "0" || digit == "1") image.title_scroll = DecimalField(digit);
}

// "LINK" + group (00..10) + 16 hex digits. Malformed lines are ignored.
void ParseLink(MemoryImage& image, Line line) {
  constexpr size_t kGroupHexLength = 16;
  if (line.size() != kLinkKey.size() + 2 + kGroupHexLength || !StartsWith(line, kLinkKey)) return;
  std::string digits = NarrowAt(line, kLinkKey.size() + 1, 2);
  std::string hex = NarrowAt(line, kLinkKey.size() + 3);
  if (!AllDigits(digits) || DecimalField(digits) >= kBankLinkGroupCount || !IsHexText(hex)) {
    return;
  }
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  image.bank_link_hex[static_cast<size_t>(DecimalField(digits))] = hex;
}

}  // namespace

bool ApplyProjectLine(MemoryImage& image, Line line, std::string& error) {
  if (line.size() < 2) return true;
  auto key_is = [&](const char(&key)[3]) { return StartsWith(line, key); };
  if (key_is("CH")) return ParseChannel(image, line, error);
  if (key_is("BK")) return line.size() < 36 || ParseBankSizes(image, line, error);
  if (key_is("ON")) {
    if (line.size() < 40) return true;
    if (StartsWith(line, kOneTouchBankKey)) ParseOneTouchBanks(image, line);
    if (StartsWith(line, kOneTouchChannelKey)) ParseOneTouchChannels(image, line);
    return true;
  }
  if (key_is("NU")) return ParseDtmfMemory(image, line, error);
  if (key_is("SE")) return line.size() != 23 || ParseDtmfSettings(image, line, error);
  if (key_is("TI")) {
    ParseTitle(image, line);
    return true;
  }
  if (key_is("GR")) {
    if (StartsWith(line, "GRD") && line.size() == 55) return ParseGroup(image, line, error);
    if (StartsWith(line, "GRI") && line.size() == 53) ParseGroupFlags(image, line);
    return true;
  }
  if (key_is("SD")) return ParseSettings(image, line, error);
  if (key_is("AL")) ParseAllBank(image, line);
  if (key_is("FO")) ParseFont(image, line);
  if (key_is("LI")) ParseLink(image, line);
  if (key_is("SL")) ParseSlide(image, line);
  // Anything else ("COMPORT", "File End", empty lines) is not the loader's.
  return true;
}

bool ParseChannelLine(MemoryImage& image, std::string_view line, std::string& error) {
  return ParseChannel(image, Utf8ToU32(line), error);
}

}  // namespace tqm5
