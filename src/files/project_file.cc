#include "files/project_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "files/project_parsers.h"
#include "files/snapshot_store.h"
#include "files/text_file.h"
#include "fonts/font_codec.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

// A project file begins with the date header and ends with this line.
constexpr std::string_view kHeaderStart = "Save Date and Time";
constexpr std::string_view kFileEndLine = "File End";

// A frequency as a fixed-width field: whole megahertz left-padded with "0" to `whole_digits`,
// ".", and `decimals` digits (145000000 Hz with 4 and 5 gives "0145.00000", 600000 Hz with 3 and
// 3 gives "000.600"). A value the field cannot hold gives "" and says why in `error`.
std::string FrequencyField(uint32_t hertz, std::string_view text, int whole_digits, int decimals,
                           std::string& error) {
  int64_t unit = 1;
  for (int d = decimals; d < 6; ++d) unit *= 10;
  int64_t whole_limit = 1;
  for (int d = 0; d < whole_digits; ++d) whole_limit *= 10;
  if (hertz % unit != 0 || hertz / 1000000 >= whole_limit) {
    error = QuotedValue(text) + " (" + std::to_string(hertz) +
            " Hz) does not fit the file's field of " + std::to_string(whole_digits) +
            " digits, \".\" and " + std::to_string(decimals) + " decimals";
    return "";
  }
  return ZeroPad(hertz / 1000000, whole_digits) + "." + ZeroPad(hertz % 1000000 / unit, decimals);
}

// A list position of the DTMF settings line: values below 10 get "00" in front, all others one
// "0". The lists are shorter than 100 entries, so the field is always 3 characters.
std::string DtmfSettingField(int position) {
  return (position < 10 ? "00" : "0") + std::to_string(position);
}

// Bank sizes go into 3-digit fields, which cannot hold 1000. Sizes that add up to 1000 hold 1000
// only when one bank has every memory and all others none. That layout is written as the single
// line "ALLBANK" + the bank (2 digits) in place of the five "BK" lines. Programs that do not know
// the key skip it and, finding no bank lines, keep the bank sizes they have, exactly as for a
// file saved while the sizes did not add up to 1000; this loader reads it back as 1000 in that
// bank and 0 in all others. The one-touch lines follow as usual.
void AppendBankLines(const MemoryImage& image, std::vector<std::string>& lines) {
  for (int b = 0; b < kBankCount; ++b) {
    if (image.bank_sizes[static_cast<size_t>(b)] == kMemoryChannelCount) {
      lines.push_back(std::string(kAllBankKey) + ZeroPad(b, 2));
      return;
    }
  }
  for (int k = 0; k < kBankLineCount; ++k) {
    std::string line = "BK000" + std::to_string(k);
    for (int i = 0; i < kBanksPerLine; ++i) {
      line += ZeroPad(image.bank_sizes[static_cast<size_t>(kBanksPerLine * k + i)], 3);
    }
    lines.push_back(std::move(line));
  }
}

void AppendOneTouchLines(const MemoryImage& image, std::vector<std::string>& lines) {
  std::string banks(kOneTouchBankKey);
  std::string channels(kOneTouchChannelKey);
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    const OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    banks += ZeroPad(key.no_setting ? kOneTouchNoSetting : OneTouchBank(image, k), 3);
    channels += ZeroPad(key.channel_position, 3);
  }
  lines.push_back(std::move(banks));
  lines.push_back(std::move(channels));
}

void AppendDtmfLines(const MemoryImage& image, std::vector<std::string>& lines) {
  const DtmfState& dtmf = image.dtmf;
  for (int n = 1; n <= kDtmfMemoryCount; ++n) {
    const std::string& digits = dtmf.memories[static_cast<size_t>(n - 1)];
    if (!digits.empty()) lines.push_back("NUM_DTMF" + ZeroPad(n, 3) + digits);
  }
  std::string line = "SET_DTMF";
  for (int position : {dtmf.wait, dtmf.head, dtmf.burst, dtmf.pause, dtmf.dial_ch}) {
    line += DtmfSettingField(position);
  }
  lines.push_back(std::move(line));
}

void AppendGroupLines(const MemoryImage& image, std::vector<std::string>& lines) {
  auto flags = [](const std::array<uint8_t, kBankCount>& entries) {
    std::string text;
    for (uint8_t entry : entries) text += entry == 1 ? '1' : '0';
    return text;
  };
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    lines.push_back("GRD" + ZeroPad(g, 2) + flags(image.group_file_table[static_cast<size_t>(g)]));
  }
  lines.push_back("GRI" + flags(image.group_file_flags));
}

void AppendSettingLines(const MemoryImage& image, std::vector<std::string>& lines) {
  for (size_t r = 0; r < kProjectSettingRecords.size(); ++r) {
    SettingGroup group = kProjectSettingRecords[r];
    std::string line = "SD" + ZeroPad(static_cast<int>(r) + 1, 2);
    for (int item = 0; item < kSettingGroupSizes[static_cast<size_t>(group)]; ++item) {
      line += ZeroPad(image.settings[SettingId{group, item}], 3);
    }
    lines.push_back(std::move(line));
  }
  lines.push_back("SD" + ZeroPad(kChModeRecord, 2) +
                  ZeroPad(image.settings[SettingId{SettingGroup::kChMode, 0}], 3));
}

void AppendGlyphAndLinkLines(const MemoryImage& image, std::vector<std::string>& lines) {
  for (int g = 0; g < kGlyphCount; ++g) {
    lines.push_back(std::string(kFontKey) + std::to_string(g) +
                    BuildFontString(image.font_bits, g));
  }
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    lines.push_back(std::string(kLinkKey) + ZeroPad(g, 2) +
                    image.bank_link_hex[static_cast<size_t>(g)]);
  }
}

// What keeps `lines` from being a whole project file, or an empty text when nothing does: the
// file starts with the date header and ends with "File End" (empty lines may follow it). This
// refuses files of another kind and files cut short before the loader clears any channel.
std::string MissingProjectFrame(const std::vector<std::string>& lines) {
  auto last = std::find_if(lines.rbegin(), lines.rend(),
                           [](const std::string& line) { return !line.empty(); });
  if (last == lines.rend()) return "the file is empty";
  if (!lines.front().starts_with(kHeaderStart)) {
    return "not a project file: the first line is not \"" + std::string(kHeaderStart) + " ...\"";
  }
  if (*last != kFileEndLine) return "the file is cut short: no \"File End\" line at the end";
  return "";
}

// The load proper, once the file is known to be whole: channels 1..1603 but the call channels
// cleared, the DTMF memories emptied, every line after the header applied.
void ApplyProjectLines(MemoryImage& image, const std::vector<std::string>& lines,
                       ProjectLoadState& state) {
  ClearAllChannels(image);
  for (std::string& memory : image.dtmf.memories) memory.clear();
  std::u32string line;  // one buffer for every line
  for (size_t i = 1; i < lines.size(); ++i) {
    Utf8ToU32(lines[i], line);
    ApplyProjectLine(image, static_cast<int>(i) + 1, line, state);
  }
  FinishProjectLoad(image, state);
}

Outcome ReadFileOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Read File", "Finish", OutcomeIcon::kNone);
}
// A file refused by its name or its content; `detail` says why when it is the content.
Outcome DontOpenOutcome() { return FileRefusedOutcome("Error"); }
Outcome SaveFileOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Save File", "Finish", OutcomeIcon::kNone);
}

}  // namespace

std::string BuildChannelLine(const MemoryImage& image, int c, std::string* error) {
  const Channel& channel = image.channels[static_cast<size_t>(c)];
  // An empty cell is written as 0 MHz and as the first code of its list.
  uint32_t hertz = channel.blank ? 0 : channel.frequency_hz.value_or(0);
  std::string why;
  std::string frequency = FrequencyField(hertz, CellText(channel, kColFreq), 4, 5, why);
  std::string offset =
      why.empty() ? FrequencyField(channel.offset_hz, CellText(channel, kColShiftFreq), 3, 3, why)
                  : "";
  if (!why.empty()) {
    if (error != nullptr) {
      *error = "channel " + std::to_string(c + 1) + ": " +
               (frequency.empty() ? "frequency " : "offset ") + why + "; nothing was saved";
    }
    return "";
  }
  auto code = [&channel](auto value) {
    return static_cast<char>('0' + (channel.blank || !value ? 0 : static_cast<int>(*value)));
  };
  std::string line = "CH" + ZeroPad(c, 4);
  line.reserve(kChannelFixedLength + channel.name.size());
  line += frequency;
  line += code(channel.mode);
  line += ZeroPad(channel.step_index, 2);
  line += ZeroPad(channel.train_index, 2);
  line += code(channel.tone_mode);
  line += ZeroPad(channel.tx_tone_index, 2);
  line += ZeroPad(channel.rx_tone_index, 2);
  line += ZeroPad(channel.dcs_index, 3);
  line += static_cast<char>('0' + ShiftDirection(channel.shift));
  line += offset;
  line += IsSkipped(channel.skip) ? '1' : '0';
  line += channel.name;
  return line;
}

std::vector<std::string> ProjectLines(const MemoryImage& image, const std::string& header,
                                      std::string* error, std::string_view snapshot_digest) {
  // Room for the used channels and the 60-odd other lines, rather than for every channel.
  std::vector<std::string> lines;
  lines.reserve(
      static_cast<size_t>(std::count_if(image.channels.begin(), image.channels.end(),
                                        [](const Channel& channel) { return channel.used; }) +
                          64));
  lines.push_back(header);
  for (int c = 0; c < kChannelCount; ++c) {
    if (!image.channels[static_cast<size_t>(c)].used) continue;
    lines.push_back(BuildChannelLine(image, c, error));
    if (lines.back().empty()) return {};
  }
  // The bank sizes are written whatever their total, and the one-touch keys with them: the
  // user's banks are never lost on save, even mid-edit. (The old program left both out unless
  // the sizes added up to 1000, and its files then loaded with whatever banks the loading
  // program had.) Only a write of the banks to the radio needs the total of 1000.
  AppendBankLines(image, lines);
  AppendOneTouchLines(image, lines);
  AppendDtmfLines(image, lines);
  lines.push_back("TITLE" + image.title);
  lines.push_back(std::string(kSlideKey) + std::to_string(image.title_scroll == 1 ? 1 : 0));
  AppendGroupLines(image, lines);
  AppendSettingLines(image, lines);
  AppendGlyphAndLinkLines(image, lines);
  if (!snapshot_digest.empty())
    lines.push_back(std::string(kSnapshotKey) + std::string(snapshot_digest));
  lines.push_back("COMPORT" + ZeroPad(image.com_port_number, 2));
  lines.emplace_back(kFileEndLine);
  return lines;
}

bool SaveProject(const MemoryImage& image, const std::string& path, std::string& error,
                 std::string_view snapshot_digest) {
  std::vector<std::string> lines = ProjectLines(image, SaveDateTimeLine(), &error, snapshot_digest);
  return !lines.empty() && WriteTextLines(path, lines, error);
}

Outcome SaveProjectCommand(const MemoryImage& image, const std::string& path,
                           std::string_view snapshot_digest) {
  std::string error;
  if (SaveProject(image, path, error, snapshot_digest)) return SaveFileOutcome();
  Outcome outcome = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kFileFailed);
  outcome.detail = std::move(error);
  return outcome;
}

Outcome LoadProject(MemoryImage& image, const std::string& path, std::vector<FileProblem>* problems,
                    std::string* snapshot_digest) {
  if (!PathEndsWith(path, ".M5")) return DontOpenOutcome();
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes, error))
    return SilentOutcome(OutcomeKind::kFileRefused, std::move(error));
  return LoadProjectBytes(image, bytes, path, problems, snapshot_digest);
}

Outcome LoadProjectBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                         std::vector<FileProblem>* problems, std::string* snapshot_digest) {
  std::vector<std::string> lines;
  std::string error;
  if (!TextLinesFromBytes(bytes, name, lines, error))
    return SilentOutcome(OutcomeKind::kFileRefused, std::move(error));
  return LoadProjectLines(image, lines, problems, snapshot_digest);
}

Outcome LoadProjectLines(MemoryImage& image, const std::vector<std::string>& lines,
                         std::vector<FileProblem>* problems, std::string* snapshot_digest) {
  if (problems != nullptr) problems->clear();
  if (snapshot_digest != nullptr) snapshot_digest->clear();
  // Whether the file is whole is decided on its lines alone, before anything changes: a refused
  // file leaves the image as it was without a copy to fall back on.
  std::string missing = MissingProjectFrame(lines);
  if (missing.empty()) missing = MissingRequiredLines(lines);
  if (!missing.empty()) {
    Outcome outcome = DontOpenOutcome();
    outcome.detail = std::move(missing);
    return outcome;
  }
  ProjectLoadState state;
  ApplyProjectLines(image, lines, state);
  RebuildRowLabelsForAnyTotal(image);
  if (problems != nullptr) *problems = std::move(state.problems);
  if (snapshot_digest != nullptr) *snapshot_digest = std::move(state.snapshot_digest);
  return ReadFileOutcome();
}

void ParseChannelLine(MemoryImage& image, std::string_view line,
                      std::vector<FileProblem>& problems) {
  ProjectLoadState state;
  ApplyProjectLine(image, 0, Utf8ToU32(line), state);
  problems = std::move(state.problems);
}

}  // namespace tqm5
