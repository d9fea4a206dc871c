#include "files/exchange_csv.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <optional>
#include <utility>

#include "files/csv_file.h"
#include "files/file_ops.h"
#include "files/text_file.h"
#include "image/frequency_text.h"
#include "image/vocabulary.h"
#include "model/channel.h"

namespace tqm5 {
namespace {

// Positions in `kExchangeColumns`.
enum ExchangeColumn : int {
  kLocation,
  kName,
  kFrequency,
  kDuplex,
  kOffset,
  kTone,
  kRToneFreq,
  kCToneFreq,
  kDtcsCode,
  kDtcsPolarity,
  kMode,
  kTStep,
  kSkip,
  kComment,
  kExchangeColumnCount,
};

constexpr int kDefaultToneIndex = 8;  // "88.5Hz", the empty channel's tone
constexpr std::string_view kCarrierKey = "carrier=";
constexpr std::string_view kToneKey = "tone=";
// TSQL has one tone, cToneFreq, for both ways; this radio's TSQ may send another.
constexpr std::string_view kTxToneKey = "tx-tone=";
constexpr std::string_view kNotImported = "; row not imported";

// A number in the file's decimal form ("88.5", "12.50", "145.000000") in millionths, or nullopt.
std::optional<int64_t> Millionths(std::string_view text) { return MegahertzToHertz(text); }

std::string_view WithoutSuffix(std::string_view text, std::string_view suffix) {
  if (text.ends_with(suffix)) text.remove_suffix(suffix.size());
  return text;
}

// "145.000000": whole units, ".", six decimals.
std::string SixDecimals(int64_t millionths) {
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId64 ".%06" PRId64, millionths / 1000000,
                millionths % 1000000);
  return text;
}

// The step of a `StepList` entry in millionths of a kilohertz ("1MHz" is 1000 kHz).
int64_t StepMillionthsOfKilohertz(int index) {
  std::string_view caption = kStepList[static_cast<size_t>(index)];
  if (caption.ends_with("MHz")) return *Millionths(WithoutSuffix(caption, "MHz")) * 1000;
  return *Millionths(WithoutSuffix(caption, "KHz"));
}

// The step as the file writes it: kilohertz with two decimals ("12.50", "8.33").
std::string StepText(int index) {
  int64_t value = StepMillionthsOfKilohertz(index);
  char text[32];
  std::snprintf(text, sizeof text, "%" PRId64 ".%02" PRId64, value / 1000000,
                value % 1000000 / 10000);
  return text;
}

// The `StepList` entry of the file's step in kHz ("12.5", "12.50"), or -1.
int StepIndexOfKilohertz(std::string_view text) {
  std::optional<int64_t> value = Millionths(text);
  for (int i = 0; value && i < kStepCount; ++i) {
    if (StepMillionthsOfKilohertz(i) == *value) return i;
  }
  return -1;
}

// A `ToneList` entry without its "Hz" ("88.5").
std::string_view ToneText(int index) {
  return WithoutSuffix(kToneList[static_cast<size_t>(index)], "Hz");
}

// The `ToneList` entry of the file's tone in Hz ("88.5", "88.50"), or -1.
int ToneIndexOfHertz(std::string_view text) {
  std::optional<int64_t> value = Millionths(text);
  for (int i = 0; value && i < kToneCount; ++i) {
    if (Millionths(ToneText(i)) == value) return i;
  }
  return -1;
}

// The Tone column of a tone mode, and what the Comment must add for the modes it has no name for.
std::pair<std::string_view, std::string_view> ToneColumn(std::optional<ToneMode> mode) {
  if (!mode) return {"", ""};
  switch (*mode) {
    case ToneMode::kTone:
      return {"Tone", ""};
    case ToneMode::kTsq:
      return {"TSQL", ""};
    case ToneMode::kDcs:
      return {"DTCS", ""};
    case ToneMode::kSq:
      return {"", "SQ"};
    case ToneMode::kTrain:
      return {"", "Train"};
    case ToneMode::kNone:
      break;
  }
  return {"", ""};
}

std::string ExchangeLine(const Channel& channel, int number) {
  auto [tone, comment_tone] = ToneColumn(channel.tone_mode);
  const int direction = ShiftDirection(channel.shift);
  std::string comment = std::string(kCarrierKey) + CellText(channel, kColCarrier);
  if (!comment_tone.empty()) comment += " " + std::string(kToneKey) + std::string(comment_tone);
  if (channel.tone_mode == ToneMode::kTsq && channel.tx_tone_index != channel.rx_tone_index) {
    comment += " " + std::string(kTxToneKey) + std::string(ToneText(channel.tx_tone_index));
  }
  const std::string fields[kExchangeColumnCount] = {std::to_string(number),
                                                    channel.name,
                                                    SixDecimals(channel.frequency_hz.value_or(0)),
                                                    direction == 1   ? "+"
                                                    : direction == 2 ? "-"
                                                                     : "",
                                                    SixDecimals(channel.offset_hz),
                                                    std::string(tone),
                                                    std::string(ToneText(channel.tx_tone_index)),
                                                    std::string(ToneText(channel.rx_tone_index)),
                                                    std::string(kDcsList[channel.dcs_index]),
                                                    "NN",
                                                    CellText(channel, kColMode),
                                                    StepText(channel.step_index),
                                                    IsSkipped(channel.skip) ? "S" : "",
                                                    comment};
  std::string line;
  for (int column = 0; column < kExchangeColumnCount; ++column) {
    if (column > 0) line += ',';
    AppendField(line, fields[column], ',');
  }
  return line;
}

// The bank that memory `number` lies in, or -1 beyond the banks' total.
int BankOfMemory(const MemoryImage& image, int number) {
  int end = 0;
  for (int bank = 0; bank < kBankCount; ++bank) {
    end += image.bank_sizes[static_cast<size_t>(bank)];
    if (number <= end) return bank;
  }
  return -1;
}

std::string BankName(int bank) {
  return bank < 0 ? std::string("no bank (beyond the banks' total)")
                  : "bank " + std::string(bank < 10 ? "0" : "") + std::to_string(bank);
}

// One row of the file as the cells of the channel grid, with every value the radio cannot hold
// reported. The cells then go through the rules every imported channel goes through.
class RowReader {
 public:
  RowReader(const std::array<int, kExchangeColumnCount>& positions,
            const std::vector<std::string>& fields, int line, int number,
            std::vector<FileProblem>& problems)
      : positions_(positions), fields_(fields), line_(line), number_(number), problems_(problems) {}

  // Reads the row into `channel` (its label kept); false when the row is refused.
  bool Read(Channel& channel) {
    std::vector<std::string> cells(kColumnCount);
    cells[kColFreq] = Field(kFrequency);
    if (cells[kColFreq].empty()) Fault(kFrequency, "no frequency");
    CheckMegahertz(kFrequency, 5, kLowestFrequencyHertz, kHighestFrequencyHertz,
                   "0.53099..1299.99999");
    cells[kColShiftFreq] = Field(kOffset).empty() ? "0" : Field(kOffset);
    CheckMegahertz(kOffset, 3, 0, kHighestOffsetHertz, "0..999.995");

    const std::string& duplex = Field(kDuplex);
    if (duplex.empty() || duplex == "+" || duplex == "-") {
      cells[kColShift] = duplex.empty() ? "Off" : duplex;
    } else if (duplex == "split") {
      Fault(kDuplex,
            "a transmit frequency of its own: this radio transmits on the receive "
            "frequency shifted by the offset");
    } else if (duplex == "off") {
      Fault(kDuplex, "transmitting switched off: this radio has no such setting");
    } else {
      Fault(kDuplex, "not \"\", +, -, split or off");
    }

    ReadTones(cells);

    cells[kColMode] = Field(kMode);
    if (!ParseModulation(cells[kColMode])) Fault(kMode, "this radio has FM, NFM, AM and WFM only");
    int step = Field(kTStep).empty() ? 0 : StepIndexOfKilohertz(Field(kTStep));
    if (step < 0) {
      Fault(kTStep,
            "no step of this radio (5, 6.25, 8.33, 10, 12.5, 15, 20, 25, 30, 50, 100, "
            "125, 150, 200, 500, 1000 kHz)");
    } else {
      cells[kColStep] = kStepList[static_cast<size_t>(step)];
    }
    const std::string& skip = Field(kSkip);
    if (skip == "S" || skip.empty()) {
      cells[kColSkip] = skip.empty() ? "" : "*";
    } else {
      Fault(kSkip,
            skip == "P" ? "priority skip: this radio has the skip mark only" : "not \"\", S or P");
    }
    cells[kColName] = Field(kName);
    std::string name = cells[kColName];
    FileProblem name_problem = CheckChannelName(name);
    if (name_problem.emptied) Fault(kName, name_problem.what);
    if (!ok_) return false;

    Channel parsed;
    parsed.label = channel.label;
    FileProblem problem = ReadChannelFields(parsed, cells);
    if (!problem.column.empty()) {
      problem.line = line_;
      problem.channel = number_;
      if (problem.emptied) problem.what += kNotImported;
      bool refused = problem.emptied;
      problem.emptied = false;
      problems_.push_back(std::move(problem));
      if (refused) return false;
    }
    channel = std::move(parsed);
    problems_.insert(problems_.end(), notes_.begin(), notes_.end());
    return true;
  }

 private:
  const std::string& Field(int column) const {
    static const std::string kEmpty;
    int position = positions_[static_cast<size_t>(column)];
    return position < 0 ? kEmpty : fields_[static_cast<size_t>(position)];
  }

  void Fault(int column, std::string what) {
    problems_.push_back({line_, number_, std::string(kExchangeColumns[column]), Field(column),
                         std::move(what) + std::string(kNotImported), false});
    ok_ = false;
  }

  void CheckMegahertz(int column, int decimals, int64_t low, int64_t high, std::string_view range) {
    const std::string& text = Field(column);
    if (text.empty()) return;
    int64_t hertz = 0;
    std::string fault = MegahertzFieldFault(text, decimals, low, high, range, hertz);
    if (!fault.empty()) Fault(column, fault);
  }

  // The tone mode, the tones and the DCS code, and the carrier and tone mode of the Comment. Tones
  // and a DCS code the tone mode does not use are taken when this radio has them; otherwise the
  // channel keeps the empty channel's, which is noted.
  void ReadTones(std::vector<std::string>& cells) {
    const std::string& tone = Field(kTone);
    std::string_view comment_tone, tsq_tx, carrier = kTrainList[kJrTrainIndex];
    for (std::string_view rest = Field(kComment); !rest.empty();) {
      size_t end = std::min(rest.find(' '), rest.size());
      std::string_view word = rest.substr(0, end);
      rest.remove_prefix(std::min(end + 1, rest.size()));
      if (word.starts_with(kCarrierKey)) carrier = word.substr(kCarrierKey.size());
      if (word.starts_with(kToneKey)) comment_tone = word.substr(kToneKey.size());
      if (word.starts_with(kTxToneKey)) tsq_tx = word.substr(kTxToneKey.size());
    }
    if (IndexOf(kTrainList, carrier) < 0 && carrier != kHalfWidthJr) {
      Fault(kComment, "carrier " + std::string(carrier) + ": not a carrier of this radio");
    }
    cells[kColCarrier] = carrier;
    if (!comment_tone.empty() && comment_tone != "Train" && comment_tone != "SQ") {
      Fault(kComment, "tone " + std::string(comment_tone) + ": not Train or SQ");
    } else if (!comment_tone.empty() && !tone.empty()) {
      Fault(kComment, "tone " + std::string(comment_tone) + " beside the Tone column's " + tone);
    }
    int tx = ToneIndexOfHertz(Field(kRToneFreq));
    int rx = ToneIndexOfHertz(Field(kCToneFreq));
    int dcs = DcsIndexOfText(Field(kDtcsCode));
    if (tone.empty()) {
      cells[kColToneMode] = comment_tone.empty() ? "None" : std::string(comment_tone);
    } else if (tone == "Tone") {
      cells[kColToneMode] = "Tone";
      if (tx < 0) Fault(kRToneFreq, "not a tone of this radio (67.0 .. 250.3 Hz)");
    } else if (tone == "TSQL") {
      cells[kColToneMode] = "TSQ";
      if (rx < 0) Fault(kCToneFreq, "not a tone of this radio (67.0 .. 250.3 Hz)");
      tx = tsq_tx.empty() ? rx : ToneIndexOfHertz(tsq_tx);
      if (tx < 0 && !tsq_tx.empty()) {
        Fault(kComment, "tx-tone " + std::string(tsq_tx) + ": not a tone of this radio");
      }
    } else if (tone == "DTCS") {
      cells[kColToneMode] = "DCS";
      if (dcs < 0) Fault(kDtcsCode, "not a DCS code of this radio (023 .. 754)");
      const std::string& polarity = Field(kDtcsPolarity);
      if (!polarity.empty() && polarity != "NN") {
        Fault(kDtcsPolarity, "this radio sends and receives DCS with normal polarity only (NN)");
      }
    } else if (tone == "Cross") {
      Fault(kTone, "this radio has no cross tone modes");
    } else {
      Fault(kTone, "not \"\", Tone, TSQL, DTCS or Cross");
    }
    auto unused = [this](int column, int index, std::string_view kept) {
      if (index < 0 && !Field(column).empty()) {
        notes_.push_back({line_, number_, std::string(kExchangeColumns[column]), Field(column),
                          "not this radio's, unused by the row's tone mode; the channel holds " +
                              std::string(kept),
                          false});
      }
    };
    if (tone.empty() || tone == "DTCS") unused(kRToneFreq, tx, kToneList[kDefaultToneIndex]);
    if (tone.empty() || tone == "DTCS" || tone == "Tone") {
      unused(kCToneFreq, rx, kToneList[kDefaultToneIndex]);
    }
    if (tone != "DTCS") unused(kDtcsCode, dcs, kDcsList[0]);
    cells[kColTxTone] = kToneList[static_cast<size_t>(tx < 0 ? kDefaultToneIndex : tx)];
    cells[kColRxTone] = kToneList[static_cast<size_t>(rx < 0 ? kDefaultToneIndex : rx)];
    cells[kColDcs] = kDcsList[static_cast<size_t>(std::max(dcs, 0))];
  }

  const std::array<int, kExchangeColumnCount>& positions_;
  const std::vector<std::string>& fields_;
  int line_;
  int number_;
  std::vector<FileProblem>& problems_;
  std::vector<FileProblem> notes_;  // reported when the row is imported
  bool ok_ = true;
};

Outcome Refused(std::string text, std::string detail) {
  Outcome outcome =
      MessageOutcome(OutcomeKind::kFileRefused, std::move(text), " Error", OutcomeIcon::kNone);
  outcome.detail = std::move(detail);
  return outcome;
}

}  // namespace

std::string ExchangeCsvText(const MemoryImage& image) {
  std::string text;
  for (int column = 0; column < kExchangeColumnCount; ++column) {
    if (column > 0) text += ',';
    text += kExchangeColumns[static_cast<size_t>(column)];
  }
  text += "\r\n";
  for (int number = 1; number <= kMemoryChannelCount; ++number) {
    const Channel& channel = image.channel(number);
    if (channel.used) text += ExchangeLine(channel, number) + "\r\n";
  }
  return text;
}

Outcome ExportExchangeCsv(const MemoryImage& image, const std::string& path) {
  std::string error;
  if (!ReplaceFile(path, ExchangeCsvText(image), error)) {
    Outcome outcome = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kFileFailed);
    outcome.detail = error;
    return outcome;
  }
  return MessageOutcome(OutcomeKind::kDone, "Save File", "Finish", OutcomeIcon::kNone);
}

int FirstEmptyMemory(const MemoryImage& image) {
  for (int number = 1; number <= kMemoryChannelCount; ++number) {
    if (!image.channel(number).used) return number;
  }
  return 0;
}

Outcome ImportExchangeCsvBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                               int start, std::vector<FileProblem>* problems) {
  std::vector<FileProblem> found;
  auto done = [&](Outcome outcome) {
    if (problems != nullptr) *problems = std::move(found);
    return outcome;
  };
  std::vector<std::string> lines;
  std::string error;
  if (!TextLinesFromBytes(bytes, name, lines, error))
    return done(SilentOutcome(OutcomeKind::kFileRefused, error));
  std::array<int, kExchangeColumnCount> positions;
  positions.fill(-1);
  std::vector<std::string> header =
      lines.empty() ? std::vector<std::string>{} : SplitCsvFields(lines[0]);
  for (size_t i = 0; i < header.size(); ++i) {
    auto it = std::find(kExchangeColumns.begin(), kExchangeColumns.end(), header[i]);
    if (it != kExchangeColumns.end() &&
        positions[static_cast<size_t>(it - kExchangeColumns.begin())] < 0) {
      positions[static_cast<size_t>(it - kExchangeColumns.begin())] = static_cast<int>(i);
    }
  }
  if (positions[kFrequency] < 0) {
    return done(Refused("Not a channel list",
                        name + " line 1: no header row with a \"Frequency\" column; nothing was "
                               "changed"));
  }
  if (start == 0) start = FirstEmptyMemory(image);
  if (start == 0) {
    return done(Refused("No empty memory",
                        "every memory 1..1000 is used: give the memory to "
                        "start at; nothing was changed"));
  }
  if (start < 1 || start > kMemoryChannelCount) {
    return done(Refused("No such memory", "the first memory must be 1..1000, not " +
                                              std::to_string(start) + "; nothing was changed"));
  }
  int number = start, taken = 0, last = 0;
  int bank = BankOfMemory(image, start);
  for (size_t i = 1; i < lines.size(); ++i) {
    const int line = static_cast<int>(i) + 1;
    if (lines[i].empty()) continue;
    if (number > kMemoryChannelCount) {
      found.push_back({line, 0, "", "", "no memory left after 1000; row not imported", false});
      continue;
    }
    std::vector<std::string> fields = SplitCsvFields(lines[i]);
    if (int row_bank = BankOfMemory(image, number); row_bank != bank) {
      found.push_back(
          {line, number, "", "",
           "the rows go on from " + BankName(bank) + " into " + BankName(row_bank) + " here",
           false});
      bank = row_bank;
    }
    Channel& channel = image.channel(number);
    Channel parsed;
    parsed.label = channel.label;
    if (fields.size() != header.size()) {
      found.push_back({line, number, "", "",
                       std::to_string(fields.size()) + " fields, the header row has " +
                           std::to_string(header.size()) + std::string(kNotImported),
                       false});
    } else if (RowReader(positions, fields, line, number, found).Read(parsed)) {
      if (channel.used) {
        found.push_back({line, number, "", "",
                         "replaces what the memory held (" + CellText(channel, kColFreq) + " " +
                             channel.name + ")",
                         false});
      }
      channel = std::move(parsed);
      ++taken;
      last = number;
    }
    ++number;
  }
  Outcome outcome =
      MessageOutcome(OutcomeKind::kDone, "Import Channel List", " Finish", OutcomeIcon::kNone);
  outcome.detail = taken == 0 ? "no row was imported"
                              : std::to_string(taken) + " row(s) imported into memories " +
                                    std::to_string(start) + ".." + std::to_string(last);
  return done(std::move(outcome));
}

Outcome ImportExchangeCsv(MemoryImage& image, const std::string& path, int start,
                          std::vector<FileProblem>* problems) {
  std::string bytes, error;
  if (!ReadFileBytes(path, bytes, error)) {
    if (problems != nullptr) problems->clear();
    return SilentOutcome(OutcomeKind::kFileRefused, error);
  }
  return ImportExchangeCsvBytes(image, bytes, path, start, problems);
}

}  // namespace tqm5
