#include "files/csv_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <string_view>
#include <utility>

#include "files/text_file.h"
#include "image/frequency_text.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/channel.h"
#include "textdata/cp932.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

// Fields of an exported channel line: the label, the twelve columns and the channel number.
constexpr size_t kCsvFieldCount = 14;

// The carrier text a spreadsheet or another program may write for the full-width "ＪＲ". It
// is accepted and kept in the cell as written; the carrier code is that of "ＪＲ", the last
// entry of the carrier list, since that is the carrier the user meant.
constexpr std::string_view kHalfWidthJr = "JR";
constexpr int kJrTrainIndex = kTrainCount - 1;

// The unit the grid shows after a frequency; a cell may carry it or not.
constexpr std::string_view kMegahertz = "MHz";

constexpr std::array<std::string_view, 4> kModeTexts = {"WFM", "NFM", "AM", "FM"};
constexpr std::array<std::string_view, 6> kToneModeTexts = {"Train", "SQ",   "DCS",
                                                            "TSQ",   "Tone", "None"};
constexpr std::array<std::string_view, 5> kShiftTexts = {"－", "＋", "-", "+", "Off"};
constexpr std::array<std::string_view, 3> kSkipTexts = {"※", "*", ""};

Outcome ExportDoneOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Save File", "Finish", OutcomeIcon::kNone);
}

Outcome ImportDoneOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Import CSV File", " Finish", OutcomeIcon::kNone);
}

Outcome CaptionErrorOutcome(std::string detail) {
  Outcome outcome =
      MessageOutcome(OutcomeKind::kFileFailed, "CSV File Error", " Error", OutcomeIcon::kNone);
  outcome.detail = std::move(detail);
  return outcome;
}

template <size_t N>
bool OneOf(const std::array<std::string_view, N>& texts, std::string_view text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Appends a field in double quotes, a quote inside it doubled, so that a name holding "," or a
// quote reads back whole.
void AppendQuoted(std::string& line, std::string_view field) {
  line += '"';
  size_t start = 0;
  for (size_t quote = field.find('"'); quote != std::string_view::npos;
       quote = field.find('"', start)) {
    line.append(field.substr(start, quote + 1 - start));
    line += '"';
    start = quote + 1;
  }
  line.append(field.substr(start));
  line += '"';
}

// The fields of a line, read the CSV way: a field that begins with a quote runs to the quote
// that is followed by "," or the end of the line, with "" inside read as one quote (a lone
// quote inside is kept, as files written before quotes were doubled hold it); any other field
// runs to the next ",". A line without quotes splits at every ",".
std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t i = 0;
  for (;;) {
    std::string field;
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        if (line[i] != '"') {
          field += line[i];
        } else if (i + 1 == line.size() || line[i + 1] == ',') {
          ++i;
          break;
        } else {
          field += '"';
          if (line[i + 1] == '"') ++i;
        }
      }
    } else {
      size_t comma = std::min(line.find(',', i), line.size());
      field = line.substr(i, comma - i);
      i = comma;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) return fields;
    ++i;  // past the ","
  }
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
// characters. A spreadsheet quotes only some cells, so the captions read as fields count too.
bool IsCaptionLine(std::string_view line) {
  std::string text(line);
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  constexpr size_t kQuotedCaptionLength = 100;
  if (text == UnquotedCaptionText() || Utf8ToU32(text).size() == kQuotedCaptionLength) return true;
  std::string joined;
  for (const std::string& field : SplitFields(line)) joined += field;
  return joined == UnquotedCaptionText();
}

// Shape of an imported frequency: one to four characters, then optionally "." and one to five
// characters, then optionally "MHz" as the grid shows it ("145", "145.0125", "145.00000MHz").
bool HasFrequencyShape(std::string_view frequency) {
  if (frequency.ends_with(kMegahertz)) frequency.remove_suffix(kMegahertz.size());
  std::u32string characters = Utf8ToU32(frequency);
  size_t dot = characters.find(U'.');
  if (dot == std::u32string::npos) return !characters.empty() && characters.size() <= 4;
  size_t after = characters.size() - dot - 1;
  return dot >= 1 && dot <= 4 && after >= 1 && after <= 5;
}

// Puts the fields of a channel's line into its row; the label and the channel number are not
// used. A frequency not of the frequency shape empties the row and is reported.
void ImportFields(Channel& channel, std::vector<std::string> fields, int line_number, int number,
                  std::vector<CsvImportProblem>& problems) {
  ChannelRow row = channel.row;
  for (int column = kColFreq; column <= kColName; ++column) {
    row[column] = std::move(fields[static_cast<size_t>(column)]);
  }
  if (!row[kColFreq].empty() && !HasFrequencyShape(row[kColFreq])) {
    problems.push_back({line_number, number, std::string(kColumnCaptions[kColFreq]), row[kColFreq],
                        "not a frequency in MHz of 1 to 4 digits, \".\" and 1 to 5 decimals",
                        true});
    row[kColFreq].clear();
  }
  if (row[kColFreq].empty()) {
    // The row becomes the empty channel. Its index bytes go back to the defaults here rather
    // than in the final emptying, so that a file ending early leaves no stale codes behind.
    ClearChannel(channel);
    return;
  }
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

// Why a megahertz text is not a frequency of at most `decimals` decimals within `low`..`high`
// hertz ("" when it is one); on success `hertz` holds its value.
std::string FrequencyFault(std::string_view text, int decimals, int64_t low, int64_t high,
                           std::string_view range, int64_t& hertz) {
  std::optional<int64_t> value = MegahertzToHertz(text);
  std::string_view number = text.substr(0, text.find(kMegahertz));
  bool decimal = !number.empty() && number.find_first_not_of("0123456789.") == std::string::npos &&
                 std::count(number.begin(), number.end(), '.') <= 1;
  int64_t unit = 1;
  for (int d = decimals; d < 6; ++d) unit *= 10;
  if (!value) {
    return decimal ? "more than " + std::to_string(decimals) + " decimals"
                   : "not a frequency in MHz (digits and one \".\" only)";
  }
  if (*value % unit != 0) return "more than " + std::to_string(decimals) + " decimals";
  if (*value < low || *value > high) return "out of range " + std::string(range) + " MHz";
  hertz = *value;
  return "";
}

// Checks a used channel column by column, setting the index bytes from the texts on the way.
// At the first column that fails, returns its caption, its text and why; otherwise returns a
// problem with an empty column. The frequency and the offset are completed to their full forms
// ("145" gives "145.00000MHz", "0.6" gives "0.600MHz"); the name keeps only the characters the
// radio can show and must then fit its 16 bytes. A name that lost characters is returned as a
// problem that does not empty the channel.
CsvImportProblem CheckImportedChannel(Channel& channel) {
  ChannelRow& row = channel.row;
  auto fail = [&row](int column, std::string what) {
    return CsvImportProblem{
        0, 0, std::string(kColumnCaptions[column]), row[column], std::move(what), true};
  };
  int64_t hertz = 0;
  std::string fault = FrequencyFault(row[kColFreq], 5, kLowestFrequencyHertz,
                                     kHighestFrequencyHertz, "0.53099..1299.99999", hertz);
  if (!fault.empty()) return fail(kColFreq, fault);
  row[kColFreq] = FrequencyText(static_cast<uint32_t>(hertz));

  if (!OneOf(kModeTexts, row[kColMode])) return fail(kColMode, "not WFM, NFM, AM or FM");

  int step = IndexOf(kStepList, row[kColStep]);
  if (step < 0) return fail(kColStep, "not a step of the list (5KHz .. 1MHz)");
  channel.step_index = static_cast<uint8_t>(step);

  int train =
      row[kColCarrier] == kHalfWidthJr ? kJrTrainIndex : IndexOf(kTrainList, row[kColCarrier]);
  if (train < 0) return fail(kColCarrier, "not a carrier of the list (300Hz .. 3000Hz, ＪＲ)");
  channel.train_index = static_cast<uint8_t>(train);

  if (!OneOf(kToneModeTexts, row[kColToneMode])) {
    return fail(kColToneMode, "not Train, SQ, DCS, TSQ, Tone or None");
  }
  int tx_tone = IndexOf(kToneList, row[kColTxTone]);
  if (tx_tone < 0) return fail(kColTxTone, "not a tone of the list (67.0Hz .. 250.3Hz)");
  int rx_tone = IndexOf(kToneList, row[kColRxTone]);
  if (rx_tone < 0) return fail(kColRxTone, "not a tone of the list (67.0Hz .. 250.3Hz)");
  channel.tx_tone_index = static_cast<uint8_t>(tx_tone);
  channel.rx_tone_index = static_cast<uint8_t>(rx_tone);

  int dcs = DcsIndexOf(row[kColDcs]);
  if (dcs < 0) return fail(kColDcs, "not a DCS code of the list (023 .. 754)");
  row[kColDcs] = kDcsList[static_cast<size_t>(dcs)];
  channel.dcs_index = static_cast<uint8_t>(dcs);

  if (!OneOf(kShiftTexts, row[kColShift])) return fail(kColShift, "not Off, + or -");
  // An empty offset is no shift width, as the radio takes it: 0 MHz.
  if (row[kColShiftFreq].empty()) row[kColShiftFreq] = "0";
  fault = FrequencyFault(row[kColShiftFreq], 3, 0, kHighestOffsetHertz, "0..999.995", hertz);
  if (!fault.empty()) return fail(kColShiftFreq, fault);
  row[kColShiftFreq] = OffsetText(static_cast<uint32_t>(hertz));

  if (!OneOf(kSkipTexts, row[kColSkip])) return fail(kColSkip, "not *, ※ or empty");
  if (TitleByteCount(FilterRadioText(row[kColName]), false) > kTitleMaxBytes) {
    return fail(kColName, "longer than the radio's 16 bytes (a double-byte character takes 2)");
  }
  // Characters the radio cannot show (control characters among them) are left out, and the
  // channel is kept and reported.
  RadioTextCheck name = CheckRadioText(row[kColName]);
  if (!name.fault.empty()) {
    CsvImportProblem problem{0,
                             0,
                             std::string(kColumnCaptions[kColName]),
                             row[kColName],
                             name.fault + "; taken as \"" + name.kept + "\"",
                             false};
    row[kColName] = std::move(name.kept);
    return problem;
  }
  return {};
}

// The end of every import that is not stopped: each used channel 1..1603 is checked, and every
// channel 1..1603 that is unused or failed is emptied. A channel that fails is reported with
// the file line it came from (0 when it kept its contents without a line).
Outcome CheckAndClearChannels(MemoryImage& image, const std::vector<int>& line_of,
                              std::vector<CsvImportProblem>& problems) {
  for (int number = 1; number <= kLastCsvImportChannel; ++number) {
    Channel& channel = image.channel(number);
    if (channel.used) {
      std::string before = channel.row[kColShiftFreq];
      CsvImportProblem problem = CheckImportedChannel(channel);
      if (!problem.column.empty()) {
        problem.line = line_of[static_cast<size_t>(number)];
        problem.channel = number;
        if (problem.column == kColumnCaptions[kColShiftFreq]) problem.value = before;
        if (problem.emptied) channel.used = false;
        problems.push_back(std::move(problem));
      }
    }
    if (!channel.used) ClearChannel(channel);
  }
  return ImportDoneOutcome();
}

// The channel number of a line's last field, with leading zeros of any count ("00002" is 2); 0
// when it is not a number 1..1623.
int ChannelNumberField(std::string_view field) {
  if (field.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  field.remove_prefix(std::min(field.find_first_not_of('0'), field.size()));
  if (field.empty() || field.size() > 4) return 0;
  int number = DecimalField(field);
  return number <= kChannelCount ? number : 0;
}

// Whether two cell texts say the same: equal, or the same number ("145.00000" and "145", "023"
// and "23", "0.600MHz" and "0.6"), as a spreadsheet may save a cell it took for a number.
bool SameCell(std::string_view a, std::string_view b) {
  if (a == b) return true;
  std::optional<int64_t> a_value = MegahertzToHertz(a), b_value = MegahertzToHertz(b);
  return a_value && b_value && *a_value == *b_value;
}

// Whether the columns of a channel line (14 fields) say something else than the channel holds.
bool LineDiffersFromChannel(const std::vector<std::string>& fields, const Channel& channel) {
  for (int column = kColFreq; column <= kColName; ++column) {
    const std::string& held = channel.row[column];
    if (!SameCell(fields[static_cast<size_t>(column)],
                  column == kColFreq ? ExportedFrequency(held) : held)) {
      return true;
    }
  }
  return false;
}

// Places the channel lines (lines[1] on) by their channel numbers, reporting every line it
// skips or refuses and every channel left without a line. Lines of the bug-detector channels are
// not read; one that differs from what its channel holds is reported, since the user may have
// edited it. Returns false when the file ends before channel 1603 has been reached; `line_of`
// gets the file line of each placed channel.
bool PlaceChannelLines(MemoryImage& image, std::vector<std::string>& lines,
                       std::vector<int>& line_of, std::vector<CsvImportProblem>& problems) {
  const std::string kKeeps = "; line refused, the channel keeps what it held";
  int next = 1;  // the lowest channel no line has claimed yet
  auto report_missing = [&](int line_number, int up_to) {
    if (next > up_to) return;
    std::string what = next == up_to ? "no line for this channel in the file"
                                     : "no line for channels " + std::to_string(next) + ".." +
                                           std::to_string(up_to) + " in the file";
    problems.push_back({line_number, next, "", "", what + "; kept what it held", false});
  };
  for (size_t i = 1; i < lines.size(); ++i) {
    int line_number = static_cast<int>(i) + 1;
    if (lines[i].empty()) {
      problems.push_back({line_number, 0, "", "", "blank line; skipped", false});
      continue;
    }
    std::vector<std::string> fields = SplitFields(lines[i]);
    int number = ChannelNumberField(fields.back());
    if (number == 0) {
      problems.push_back({line_number, 0, "", fields.back(),
                          "the last field " + QuotedValue(fields.back()) +
                              " is not a channel number 1..1623; line refused",
                          false});
      continue;
    }
    if (number < next) {
      problems.push_back(
          {line_number, number, "", "",
           (number == next - 1 ? "a second line for channel " + std::to_string(number)
                               : "channel " + std::to_string(number) + " after channel " +
                                     std::to_string(next - 1) + " (out of order)") +
               kKeeps,
           false});
      continue;
    }
    report_missing(line_number, std::min(number - 1, kLastCsvImportChannel));
    next = number + 1;
    if (fields.size() != kCsvFieldCount) {
      problems.push_back({line_number, number, "", "",
                          std::to_string(fields.size()) + " fields instead of " +
                              std::to_string(kCsvFieldCount) + kKeeps,
                          false});
    } else if (number > kLastCsvImportChannel) {
      if (LineDiffersFromChannel(fields, image.channel(number))) {
        problems.push_back({line_number, number, "", "",
                            "the bug-detector channels 1604..1623 are not imported; the line was "
                            "not read and the channel keeps what it held",
                            false});
      }
    } else {
      line_of[static_cast<size_t>(number)] = line_number;
      ImportFields(image.channel(number), std::move(fields), line_number, number, problems);
    }
  }
  return next > kLastCsvImportChannel;
}

// The problems in file order; channels that had no line of their own last.
std::vector<CsvImportProblem> SortedProblems(std::vector<CsvImportProblem> problems) {
  auto key = [](const CsvImportProblem& p) { return p.line > 0 ? p.line : kCsvLineCount + 1; };
  std::stable_sort(problems.begin(), problems.end(),
                   [&key](const auto& a, const auto& b) { return key(a) < key(b); });
  return problems;
}

}  // namespace

std::vector<std::string> CsvLines(const MemoryImage& image) {
  std::vector<std::string> lines;
  lines.reserve(kCsvLineCount);
  std::string caption;
  for (int column = kColLabel; column < kColumnCount; ++column) {
    if (column != kColLabel) caption += ',';
    AppendQuoted(caption, kColumnCaptions[column]);
  }
  caption += ',';
  AppendQuoted(caption, "0");
  lines.push_back(std::move(caption));
  for (int number = 1; number <= kChannelCount; ++number) {
    lines.push_back(CsvChannelLine(image, number));
  }
  return lines;
}

std::string CsvChannelLine(const MemoryImage& image, int number) {
  // Each field is appended in place: an export builds some twenty thousand of them.
  const ChannelRow& row = image.channel(number).row;
  std::string line;
  line.reserve(128);
  AppendQuoted(line, row[kColLabel]);
  line += ',';
  AppendQuoted(line, ExportedFrequency(row[kColFreq]));
  for (int column = kColMode; column <= kColName; ++column) {
    line += ',';
    AppendQuoted(line, row[column]);
  }
  line += ',';
  AppendQuoted(line, std::to_string(number));
  return line;
}

Outcome ExportCsv(const MemoryImage& image, const std::string& path) {
  std::string error;
  if (!WriteTextLines(path, CsvLines(image), error)) {
    Outcome outcome = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kFileFailed);
    outcome.detail = error;
    return outcome;
  }
  return ExportDoneOutcome();
}

Outcome ImportCsv(MemoryImage& image, const std::string& path,
                  std::vector<CsvImportProblem>* problems) {
  if (!PathEndsWith(path, "CSV")) {
    // Not a CSV name: the file is opened but not read, and the current channels are checked.
    std::vector<CsvImportProblem> found;
    std::vector<int> line_of(kLastCsvImportChannel + 1, 0);
    Outcome outcome = std::ifstream(path, std::ios::binary)
                          ? CheckAndClearChannels(image, line_of, found)
                          : SilentOutcome(OutcomeKind::kFileRefused, "cannot open " + path);
    if (problems != nullptr) *problems = SortedProblems(std::move(found));
    return outcome;
  }
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes, error)) {
    if (problems != nullptr) problems->clear();
    return SilentOutcome(OutcomeKind::kFileRefused, error);
  }
  return ImportCsvBytes(image, bytes, path, problems);
}

Outcome ImportCsvBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                       std::vector<CsvImportProblem>* problems) {
  std::vector<CsvImportProblem> found;
  std::vector<int> line_of(kLastCsvImportChannel + 1, 0);
  auto done = [&](Outcome outcome) {
    if (problems != nullptr) *problems = SortedProblems(std::move(found));
    return outcome;
  };
  std::vector<std::string> lines;
  std::string error;
  if (!TextLinesFromBytes(bytes, name, lines, error))
    return done(SilentOutcome(OutcomeKind::kFileRefused, error));
  if (lines.empty())
    return done(
        SilentOutcome(OutcomeKind::kFileFailed, "line 1: the file ends before the caption line"));
  if (!IsCaptionLine(lines[0])) {
    return done(CaptionErrorOutcome("line 1 is not the caption line of a channel CSV file"));
  }
  if (lines.size() > 1 && !PlaceChannelLines(image, lines, line_of, found)) {
    // What became of the channels read is for the caller to say: it may keep or drop them.
    return done(
        SilentOutcome(OutcomeKind::kFileFailed, name + " line " + std::to_string(lines.size() + 1) +
                                                    ": the file ends before the line of channel " +
                                                    std::to_string(kLastCsvImportChannel) +
                                                    "; the import stopped there"));
  }
  return done(CheckAndClearChannels(image, line_of, found));
}

}  // namespace tqm5
