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

// The unit the grid shows after a frequency; a cell may carry it or not.
constexpr std::string_view kMegahertz = "MHz";

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
}  // namespace

std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  size_t i = 0;
  for (;;) {
    std::string field;
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        if (line[i] != '"') {
          field += line[i];
        } else if (i + 1 == line.size() || line[i + 1] == separator) {
          ++i;
          break;
        } else {
          field += '"';
          if (line[i + 1] == '"') ++i;
        }
      }
    } else {
      size_t end = std::min(line.find(separator, i), line.size());
      field = line.substr(i, end - i);
      i = end;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) return fields;
    ++i;  // past the separator
  }
}

std::vector<std::string> SplitCsvFields(std::string_view line) { return SplitFields(line, ','); }

void AppendField(std::string& line, std::string_view field, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (field.find_first_of(special) == std::string_view::npos) {
    line.append(field);
    return;
  }
  line += '"';
  for (char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

std::string CsvFrequencyField(std::string_view frequency) {
  std::u32string characters = Utf8ToU32(frequency);
  if (characters.size() <= 3) return std::string(frequency);
  characters.resize(characters.size() - 3);
  return U32ToUtf8(characters);
}

namespace {

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
  for (const std::string& field : SplitCsvFields(line)) joined += field;
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

}  // namespace

int DcsIndexOfText(std::string_view text) {
  int number = DcsNumber(text);
  if (number <= 0) return -1;
  for (int i = 0; i < kDcsCount; ++i) {
    if (DecimalField(kDcsList[static_cast<size_t>(i)]) == number) return i;
  }
  return -1;
}

std::string MegahertzFieldFault(std::string_view text, int decimals, int64_t low, int64_t high,
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

namespace {

// The problem of a column that fails: its caption, the file's text and why. It empties the
// channel unless `emptied` is false.
CsvImportProblem CellProblem(int column, std::string text, std::string what, bool emptied = true) {
  return {0, 0, std::string(kColumnCaptions[column]), std::move(text), std::move(what), emptied};
}

}  // namespace

CsvImportProblem CheckChannelName(std::string& name) {
  if (TitleByteCount(FilterRadioText(name), false) > kTitleMaxBytes) {
    return CellProblem(kColName, name,
                       "longer than the radio's 16 bytes (a double-byte character takes 2)");
  }
  RadioTextCheck check = CheckRadioText(name);
  if (check.fault.empty()) return {};
  CsvImportProblem problem =
      CellProblem(kColName, name, check.fault + "; taken as \"" + check.kept + "\"", false);
  name = std::move(check.kept);
  return problem;
}

CsvImportProblem ReadChannelFields(Channel& channel, const std::vector<std::string>& fields) {
  auto text = [&fields](int column) -> const std::string& {
    return fields[static_cast<size_t>(column)];
  };
  auto fail = [&text](int column, std::string what) {
    return CellProblem(column, text(column), std::move(what));
  };
  channel.blank = false;
  channel.used = true;
  int64_t hertz = 0;
  std::string fault = MegahertzFieldFault(text(kColFreq), 5, kLowestFrequencyHertz,
                                          kHighestFrequencyHertz, "0.53099..1299.99999", hertz);
  if (!fault.empty()) return fail(kColFreq, fault);
  channel.frequency_hz = static_cast<uint32_t>(hertz);

  channel.mode = ParseModulation(text(kColMode));
  if (!channel.mode) return fail(kColMode, "not WFM, NFM, AM or FM");

  int step = IndexOf(kStepList, text(kColStep));
  if (step < 0) return fail(kColStep, "not a step of the list (5KHz .. 1MHz)");
  channel.step_index = static_cast<uint8_t>(step);

  channel.half_width_jr = text(kColCarrier) == kHalfWidthJr;
  int train = channel.half_width_jr ? kJrTrainIndex : IndexOf(kTrainList, text(kColCarrier));
  if (train < 0) return fail(kColCarrier, "not a carrier of the list (300Hz .. 3000Hz, ＪＲ)");
  channel.train_index = static_cast<uint8_t>(train);

  channel.tone_mode = ParseToneMode(text(kColToneMode));
  if (!channel.tone_mode) return fail(kColToneMode, "not Train, SQ, DCS, TSQ, Tone or None");
  int tx_tone = IndexOf(kToneList, text(kColTxTone));
  if (tx_tone < 0) return fail(kColTxTone, "not a tone of the list (67.0Hz .. 250.3Hz)");
  int rx_tone = IndexOf(kToneList, text(kColRxTone));
  if (rx_tone < 0) return fail(kColRxTone, "not a tone of the list (67.0Hz .. 250.3Hz)");
  channel.tx_tone_index = static_cast<uint8_t>(tx_tone);
  channel.rx_tone_index = static_cast<uint8_t>(rx_tone);

  int dcs = DcsIndexOfText(text(kColDcs));
  if (dcs < 0) return fail(kColDcs, "not a DCS code of the list (023 .. 754)");
  channel.dcs_index = static_cast<uint8_t>(dcs);

  std::optional<Shift> shift = ParseShift(text(kColShift));
  if (!shift) return fail(kColShift, "not Off, + or -");
  channel.shift = *shift;
  const std::string& offset = text(kColShiftFreq);
  fault = MegahertzFieldFault(offset.empty() ? "0" : offset, 3, 0, kHighestOffsetHertz,
                              "0..999.995", hertz);
  if (!fault.empty()) return fail(kColShiftFreq, fault);
  channel.offset_hz = static_cast<uint32_t>(hertz);

  std::optional<Skip> skip = ParseSkip(text(kColSkip));
  if (!skip) return fail(kColSkip, "not *, ※ or empty");
  channel.skip = *skip;
  channel.name = text(kColName);
  return CheckChannelName(channel.name);
}

CsvImportProblem ReadChannelLine(Channel& channel, const std::vector<std::string>& fields) {
  const std::string& frequency = fields[kColFreq];
  if (!HasFrequencyShape(frequency)) {
    return CellProblem(kColFreq, frequency,
                       "not a frequency in MHz of 1 to 4 digits, \".\" and 1 to 5 decimals");
  }
  return ReadChannelFields(channel, fields);
}

namespace {

// Reads a channel's line into its row; the label and the channel number are not used. A
// frequency not of the frequency shape, and any column that fails, empty the row and are
// reported; a line without a frequency empties the row.
void ImportFields(Channel& channel, const std::vector<std::string>& fields, int line_number,
                  int number, std::vector<CsvImportProblem>& problems) {
  const std::string& frequency = fields[kColFreq];
  if (frequency.empty()) {
    ClearChannel(channel);
    return;
  }
  Channel parsed;
  parsed.label = channel.label;
  CsvImportProblem problem = ReadChannelLine(parsed, fields);
  bool emptied = !problem.column.empty() && problem.emptied;
  if (!problem.column.empty()) {
    problem.line = line_number;
    problem.channel = number;
    problems.push_back(std::move(problem));
  }
  if (emptied) {
    ClearChannel(channel);
  } else {
    channel = std::move(parsed);
  }
}

// Checks a used channel that the file left as it was against what an imported one may hold: a
// frequency in range, an offset in range, a mode and a tone mode, a name that fits. Returns the
// first column that fails as `ParseChannelFields` does.
CsvImportProblem CheckKeptChannel(Channel& channel) {
  auto fail = [&channel](int column, std::string what) {
    return CellProblem(column, CellText(channel, column), std::move(what));
  };
  if (channel.blank || !channel.frequency_hz) {
    return fail(kColFreq, "not a frequency in MHz (digits and one \".\" only)");
  }
  std::string fault = FrequencyRangeFault(*channel.frequency_hz);
  if (!fault.empty()) return fail(kColFreq, fault);
  if (!channel.mode) return fail(kColMode, "not WFM, NFM, AM or FM");
  if (!channel.tone_mode) return fail(kColToneMode, "not Train, SQ, DCS, TSQ, Tone or None");
  fault = OffsetRangeFault(channel.offset_hz);
  if (!fault.empty()) return fail(kColShiftFreq, fault);
  return CheckChannelName(channel.name);
}

// The end of every import that is not stopped: each used channel 1..1603 is checked, and every
// channel 1..1603 that is unused or failed is emptied. A channel that fails is reported with
// the file line it came from (0 when it kept its contents without a line).
Outcome CheckAndClearChannels(MemoryImage& image, const std::vector<int>& line_of,
                              std::vector<CsvImportProblem>& problems) {
  for (int number = 1; number <= kLastCsvImportChannel; ++number) {
    Channel& channel = image.channel(number);
    if (channel.used) {
      CsvImportProblem problem = CheckKeptChannel(channel);
      if (!problem.column.empty()) {
        problem.line = line_of[static_cast<size_t>(number)];
        problem.channel = number;
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
    std::string held = CellText(channel, column);
    if (!SameCell(fields[static_cast<size_t>(column)],
                  column == kColFreq ? CsvFrequencyField(held) : held)) {
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
    std::vector<std::string> fields = SplitCsvFields(lines[i]);
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
      ImportFields(image.channel(number), fields, line_number, number, problems);
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
  const Channel& channel = image.channel(number);
  std::string line;
  line.reserve(128);
  AppendQuoted(line, channel.label);
  line += ',';
  AppendQuoted(line, CsvFrequencyField(CellText(channel, kColFreq)));
  for (int column = kColMode; column <= kColName; ++column) {
    line += ',';
    AppendQuoted(line, CellText(channel, column));
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
