#include "files/csv_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <utility>

#include "files/text_file.h"
#include "image/channel.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "textdata/cp932.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

// Commas a line needs, once a trailing comma is added, to be read as a channel line: one after
// the label and one after each of columns 1..11 (the name may run to the end of the line). An
// exported line has 14. Lines with fewer leave their row as it is.
constexpr int kMinChannelLineCommas = 12;

constexpr std::string_view kFrequencyUnit = "MHz";
constexpr std::string_view kFrequencyCharacters = "0123456789.MHz";

// The carrier text a spreadsheet or another program may write for the full-width "ＪＲ". It
// is accepted and kept in the cell as written; the carrier code is that of "ＪＲ", the last
// entry of the carrier list, since that is the carrier the user meant.
constexpr std::string_view kHalfWidthJr = "JR";
constexpr int kJrTrainIndex = kTrainCount - 1;

constexpr std::array<std::string_view, 4> kModeTexts = {"WFM", "NFM", "AM", "FM"};
constexpr std::array<std::string_view, 6> kToneModeTexts = {"Train", "SQ",   "DCS",
                                                            "TSQ",   "Tone", "None"};
constexpr std::array<std::string_view, 5> kShiftTexts = {"－", "＋", "-", "+", "Off"};
constexpr std::array<std::string_view, 3> kSkipTexts = {"※", "*", ""};

Outcome ExportDoneOutcome() {
  return MessageOutcome("Save File", "Finish", OutcomeIcon::kNone, true);
}

Outcome ImportDoneOutcome() {
  return MessageOutcome("Import CSV File", " Finish", OutcomeIcon::kNone, true);
}

Outcome CaptionErrorOutcome(std::string detail) {
  Outcome outcome = MessageOutcome("CSV File Error", " Error", OutcomeIcon::kNone, false);
  outcome.detail = std::move(detail);
  return outcome;
}

template <size_t N>
bool OneOf(const std::array<std::string_view, N>& texts, std::string_view text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::string Quoted(std::string_view field) {
  std::string quoted;
  quoted.reserve(field.size() + 2);
  quoted += '"';
  quoted += field;
  quoted += '"';
  return quoted;
}

// The frequency as exported: the grid text without its last three characters ("MHz"); texts
// of three characters or fewer as they are.
std::string ExportedFrequency(std::string_view frequency) {
  std::u32string characters = Utf8ToU32(frequency);
  if (characters.size() <= 3) return std::string(frequency);
  characters.resize(characters.size() - 3);
  return U32ToUtf8(characters);
}

// The caption line with its quotes and commas removed, as a spreadsheet saves it unquoted.
std::string UnquotedCaptionText() {
  std::string text;
  for (int column = kColLabel; column < kColumnCount; ++column) text += kColumnCaptions[column];
  text += '0';
  return text;
}

// The caption line with every "," removed: the unquoted captions, or the quoted line's 100
// characters.
bool IsCaptionLine(std::string_view line) {
  std::string text(line);
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  constexpr size_t kQuotedCaptionLength = 100;
  return text == UnquotedCaptionText() || Utf8ToU32(text).size() == kQuotedCaptionLength;
}

// Shape of an imported frequency (without "MHz"): one to four characters, then optionally "."
// and one to five characters.
bool HasFrequencyShape(std::string_view frequency) {
  std::u32string characters = Utf8ToU32(frequency);
  size_t dot = characters.find(U'.');
  if (dot == std::u32string::npos) return !characters.empty() && characters.size() <= 4;
  size_t after = characters.size() - dot - 1;
  return dot >= 1 && dot <= 4 && after >= 1 && after <= 5;
}

// Puts one file line into its row. The row label and the channel number of the line are not
// used: rows are taken in file order.
void ImportLine(Channel& channel, std::string line) {
  line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
  if (line.empty() || line.back() != ',') line += ',';
  if (std::count(line.begin(), line.end(), ',') < kMinChannelLineCommas) return;
  ChannelRow row = channel.row;
  size_t start = line.find(',') + 1;  // past the row label
  for (int column = kColFreq; column <= kColName; ++column) {
    // A line that lacks the name (12 commas) ends before the last column: the name is empty.
    size_t comma = std::min(line.find(',', start), line.size());
    row[column] = line.substr(start, comma - start);
    start = std::min(comma + 1, line.size());
  }
  if (!HasFrequencyShape(row[kColFreq])) row[kColFreq].clear();
  if (row[kColFreq].empty()) {
    // The row becomes the empty channel. Its index bytes go back to the defaults here rather
    // than in the final emptying, so that a file ending early leaves no stale codes behind.
    ClearChannel(channel);
    return;
  }
  row[kColFreq] += kFrequencyUnit;
  channel.row = std::move(row);
  channel.used = true;
}

// Whole-number value of a DCS text's numeric prefix ("23", "023", "23.0"), or -1 when the prefix
// has a fraction or is larger than any DCS code.
int DcsNumber(std::string_view text) {
  int value = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 999) return -1;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (text[i] != '0') return -1;
    }
  }
  return value;
}

// Index of the DCS code with the text's numeric value, or -1.
int DcsIndexOf(std::string_view text) {
  int number = DcsNumber(text);
  if (number <= 0) return -1;
  for (int i = 0; i < kDcsCount; ++i) {
    if (DecimalField(kDcsList[static_cast<size_t>(i)]) == number) return i;
  }
  return -1;
}

// Checks a used channel column by column, setting the index bytes from the texts on the way,
// and returns false at the first column that fails. The frequency keeps only the characters of
// a frequency text, and the name only the characters the radio can show.
bool CheckImportedChannel(Channel& channel) {
  ChannelRow& row = channel.row;
  std::string& frequency = row[kColFreq];
  frequency.erase(
      std::remove_if(frequency.begin(), frequency.end(),
                     [](char c) { return kFrequencyCharacters.find(c) == std::string_view::npos; }),
      frequency.end());
  if (!OneOf(kModeTexts, row[kColMode])) return false;

  int step = IndexOf(kStepList, row[kColStep]);
  if (step < 0) return false;
  channel.step_index = static_cast<uint8_t>(step);

  int train =
      row[kColCarrier] == kHalfWidthJr ? kJrTrainIndex : IndexOf(kTrainList, row[kColCarrier]);
  if (train < 0) return false;
  channel.train_index = static_cast<uint8_t>(train);

  if (!OneOf(kToneModeTexts, row[kColToneMode])) return false;

  int tx_tone = IndexOf(kToneList, row[kColTxTone]);
  if (tx_tone < 0) return false;
  int rx_tone = IndexOf(kToneList, row[kColRxTone]);
  if (rx_tone < 0) return false;
  channel.tx_tone_index = static_cast<uint8_t>(tx_tone);
  channel.rx_tone_index = static_cast<uint8_t>(rx_tone);

  int dcs = DcsIndexOf(row[kColDcs]);
  if (dcs < 0) return false;
  row[kColDcs] = kDcsList[static_cast<size_t>(dcs)];
  channel.dcs_index = static_cast<uint8_t>(dcs);

  if (!OneOf(kShiftTexts, row[kColShift])) return false;
  if (!OneOf(kSkipTexts, row[kColSkip])) return false;
  row[kColName] = FilterRadioText(row[kColName]);
  return true;
}

// The end of every import that is not stopped: each used channel 1..1603 is checked, and every
// channel 1..1603 that is unused or failed is emptied.
Outcome CheckAndClearChannels(MemoryImage& image) {
  for (int number = 1; number <= kLastCsvImportChannel; ++number) {
    Channel& channel = image.channel(number);
    if (channel.used && !CheckImportedChannel(channel)) channel.used = false;
    if (!channel.used) ClearChannel(channel);
  }
  return ImportDoneOutcome();
}

}  // namespace

std::vector<std::string> CsvLines(const MemoryImage& image) {
  std::vector<std::string> lines;
  lines.reserve(kCsvLineCount);
  std::string caption;
  for (int column = kColLabel; column < kColumnCount; ++column) {
    if (column != kColLabel) caption += ',';
    caption += Quoted(kColumnCaptions[column]);
  }
  caption += ',' + Quoted("0");
  lines.push_back(std::move(caption));
  for (int number = 1; number <= kChannelCount; ++number) {
    const ChannelRow& row = image.channel(number).row;
    std::string line = Quoted(row[kColLabel]);
    line += ',' + Quoted(ExportedFrequency(row[kColFreq]));
    for (int column = kColMode; column <= kColName; ++column) line += ',' + Quoted(row[column]);
    line += ',' + Quoted(std::to_string(number));
    lines.push_back(std::move(line));
  }
  return lines;
}

Outcome ExportCsv(const MemoryImage& image, const std::string& path) {
  std::string error;
  if (!WriteTextLines(path, CsvLines(image), error)) {
    Outcome outcome = ErrorOutcome();
    outcome.detail = error;
    return outcome;
  }
  return ExportDoneOutcome();
}

Outcome ImportCsv(MemoryImage& image, const std::string& path, std::vector<CsvImportProblem>*) {
  if (!PathEndsWith(path, "CSV")) {
    // Not a CSV name: the file is opened but not read, and the current channels are checked.
    if (!std::ifstream(path, std::ios::binary)) return SilentOutcome("cannot open " + path);
    return CheckAndClearChannels(image);
  }
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextLines(path, lines, error)) return SilentOutcome(error);
  if (lines.empty()) return SilentOutcome("line 1: the file ends before the caption line");
  if (!IsCaptionLine(lines[0])) {
    return CaptionErrorOutcome("line 1 is not the caption line of a channel CSV file");
  }
  if (lines.size() > 1) {
    for (int number = 1; number <= kLastCsvImportChannel; ++number) {
      size_t line_index = static_cast<size_t>(number);
      if (line_index >= lines.size()) {
        return SilentOutcome("line " + std::to_string(line_index + 1) +
                             ": the file ends before row " + std::to_string(number) +
                             "; the rows read keep their new texts and nothing was checked");
      }
      ImportLine(image.channel(number), std::move(lines[line_index]));
    }
  }
  return CheckAndClearChannels(image);
}

}  // namespace tqm5
