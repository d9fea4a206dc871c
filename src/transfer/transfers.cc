#include "transfer/transfers.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <initializer_list>

#include "fonts/font_codec.h"
#include "image/banks.h"
#include "image/channel_numbering.h"
#include "link/areas.h"
#include "settings/order_table.h"
#include "settings/settings_codec.h"
#include "textdata/dtmf.h"

namespace tqm5 {
namespace {

constexpr int kAreaSteps = 15;  // progress maximum of the area part of read all and write all
constexpr int kOrderRecords = 101;

// One running command: its context and its progress display.
class Run {
 public:
  explicit Run(TransferContext& context) : context_(context) {}

  RadioLink& link() { return context_.link; }
  MemoryImage& image() { return context_.image; }

  void SetProgress(double value, double maximum) {
    progress_ = {value, maximum};
    Report();
  }
  void Step() {
    progress_.value += 1;
    Report();
  }
  void SetValue(double value) {
    progress_.value = value;
    Report();
  }

 private:
  void Report() {
    if (context_.on_progress) context_.on_progress(progress_);
  }

  TransferContext& context_;
  Progress progress_;
};

// The frame of every command: identify the radio, run the body, turn whatever stops it into
// its outcome, and close the port in every case.
template <typename Body>
Outcome Framed(TransferContext& context, Body body) {
  Run run(context);
  Outcome outcome;
  try {
    MemoryImage& image = context.image;
    if (!StartComm(context.link, image.model_option, image.model_command)) {
      outcome = ErrorOutcome();
    } else {
      outcome = body(run);
    }
  } catch (const PortOpenError& e) {
    outcome = SilentOutcome(e.what());
  } catch (const CancelledError&) {
    outcome = CancelledOutcome();
  } catch (const std::exception& e) {
    outcome = SilentOutcome(std::string("unexpected failure: ") + e.what());
  }
  context.link.ClosePort();
  return outcome;
}

bool ReadAndDecodeSettings(RadioLink& link, MemoryImage& image) {
  if (!ReadSettingsArea(link, image)) return false;
  DecodeSettings(image.settings_hex, image.settings, image.language);
  return true;
}

bool ReadAndShowDtmf(RadioLink& link, MemoryImage& image) {
  if (!ReadDtmfArea(link, image)) return false;
  ShowDtmfArea(image.dtmf_hex, image.dtmf);
  return true;
}

// Reads glyph g into the image; false when its block does not come back whole.
bool ReadGlyph(RadioLink& link, MemoryImage& image, int g) {
  std::string record = ReadFontData(link, g);
  if (record.size() != kRecordHexLength) return false;
  ExpandFontString(image.font_bits, g, record);
  return true;
}

// One area procedure of read all or write all, and the icon of the error it ends with.
struct AreaStep {
  std::function<bool(RadioLink&, MemoryImage&)> procedure;
  OutcomeIcon failure_icon = OutcomeIcon::kCritical;
};

// Runs the steps in order, one progress step each; false at the first that fails, with the
// failure's outcome.
bool RunAreaSteps(Run& run, std::initializer_list<AreaStep> steps, Outcome& failure) {
  for (const AreaStep& step : steps) {
    if (!step.procedure(run.link(), run.image())) {
      failure = ErrorOutcome(step.failure_icon);
      return false;
    }
    run.Step();
  }
  return true;
}

// The areas of read all before its channels. A failed bank-size read has no icon.
bool ReadAreas(Run& run, Outcome& failure) {
  MemoryImage& image = run.image();
  if (!RunAreaSteps(run,
                    {{ReadAndDecodeSettings},
                     {ReadMemFlag},
                     {ReadAndShowDtmf},
                     {ReadTitleArea},
                     {ReadBankSizes, OutcomeIcon::kNone},
                     {ReadOneTouchArea}},
                    failure)) {
    return false;
  }
  failure = ErrorOutcome();
  for (int g = 0; g < kGlyphCount; ++g) {
    if (!ReadGlyph(run.link(), image, g)) return false;
    run.Step();
  }
  image.bank_size_hex = ExportBankSizes(image);
  return RunAreaSteps(run, {{ReadBankLinkData}}, failure);
}

// Reads and decodes channels first..last, one progress step each; false at the first channel
// that does not come back.
bool ReadChannels(Run& run, int first, int last) {
  MemoryImage& image = run.image();
  bool glyph_characters = UsesGlyphCharacters(image);
  for (int n = first; n <= last; ++n) {
    std::string record = ReadChannel(run.link(), n);
    if (record.empty()) return false;
    DecodeChannel(image.channel(n), record, glyph_characters);
    run.Step();
  }
  return true;
}

bool WriteChannels(Run& run, int first, int last) {
  for (int n = first; n <= last; ++n) {
    if (!WriteChannel(run.link(), run.image(), n)) return false;
    run.Step();
  }
  return true;
}

// Rebuilds the pass-channel order table and sends its 101 records. The radio's answers are not
// checked: a refused record does not stop the command.
void WriteOrderTable(Run& run) {
  ChannelOrderTable table = BuildChannelOrderTable(run.image());
  for (int k = 0; k < kOrderRecords; ++k) {
    WriteOrderRecord(run.link(), table, k);
    run.Step();
  }
}

// The areas of write all before its channels. A refused bank-size write has no icon.
bool WriteAreas(Run& run, Outcome& failure) {
  if (!RunAreaSteps(run,
                    {{WriteSettingsArea},
                     {WriteMemFlag},
                     {WriteDtmfArea},
                     {WriteTitleArea},
                     {WriteOneTouchArea},
                     {WriteBankSizes, OutcomeIcon::kNone},
                     {WriteBankLinkData}},
                    failure)) {
    return false;
  }
  failure = ErrorOutcome();
  for (int g = 0; g < kGlyphCount; ++g) {
    if (!WriteFontData(run.link(), run.image(), g)) return false;
    run.Step();
  }
  return true;
}

// A command of one area procedure: progress 50 before it and 100 after it.
template <typename Procedure>
Outcome SingleArea(TransferContext& context, OutcomeIcon failure_icon, Procedure procedure) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(50, 100);
    if (!procedure(run.link(), run.image())) return ErrorOutcome(failure_icon);
    run.SetValue(100);
    return SuccessOutcome();
  });
}

// The settings read and write: five procedures at 20, 40, 60, 80 and 100.
template <typename... Procedures>
Outcome FiveAreas(TransferContext& context, Procedures... procedures) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(0, 100);
    int value = 0;
    bool ok = ((procedures(run.link(), run.image()) && (run.SetValue(value += 20), true)) && ...);
    return ok ? SuccessOutcome() : ErrorOutcome();
  });
}

Outcome OneMemoryRead(TransferContext& context, int first, int last) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(0, last - first + 1);
    return ReadChannels(run, first, last) ? CompleteOutcome() : ErrorOutcome();
  });
}

Outcome OneMemoryWrite(TransferContext& context, int first, int last) {
  int pass = SelectedPassChannels(first, last);
  if (pass > 0 && pass < kPassChannelCount) return PassRuleOutcome();
  return Framed(context, [&](Run& run) {
    int count = last - first + 1;
    bool with_order_table = pass == kPassChannelCount;
    run.SetProgress(0, count + (with_order_table ? kOrderRecords : 0));
    if (!WriteChannels(run, first, last)) return ErrorOutcome();
    if (with_order_table) WriteOrderTable(run);
    return CompleteOutcome();
  });
}

Outcome GlyphRead(TransferContext& context, int glyph) {
  return Framed(context, [&](Run& run) {
    return ReadGlyph(run.link(), run.image(), glyph) ? CompleteOutcome() : ErrorOutcome();
  });
}

Outcome GlyphsReadAll(TransferContext& context) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(0, kGlyphCount);
    for (int g = 0; g < kGlyphCount; ++g) {
      if (!ReadGlyph(run.link(), run.image(), g)) return ErrorOutcome();
      run.Step();
    }
    return CompleteOutcome();
  });
}

Outcome GlyphsWrite(TransferContext& context, int first, int last) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(0, last - first + 1);
    for (int g = first; g <= last; ++g) {
      if (!WriteFontData(run.link(), run.image(), g)) return ErrorOutcome();
      run.Step();
    }
    return CompleteOutcome();
  });
}

template <typename Procedure>
Outcome CompleteArea(TransferContext& context, Procedure procedure) {
  return Framed(context, [&](Run& run) {
    return procedure(run.link(), run.image()) ? CompleteOutcome() : ErrorOutcome();
  });
}

}  // namespace

std::string ProgressPercentText(const Progress& progress) {
  long long value = std::llround(progress.value * 100);
  long long maximum = std::llround(progress.maximum);
  return std::to_string(maximum == 0 ? 0 : value / maximum) + "%";
}

int SelectedPassChannels(int first_row, int last_row) {
  int first = std::max(std::min(first_row, last_row), kFirstPassChannel);
  int last = std::min(std::max(first_row, last_row), kLastPassChannel);
  return std::max(0, last - first + 1);
}

Outcome ReadAll(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kAreaSteps);
    Outcome failure;
    if (!ReadAreas(run, failure)) return failure;
    run.SetProgress(0, kChannelCount);
    if (!ReadChannels(run, 1, kChannelCount)) return ErrorOutcome();
    return ReadAllSuccessOutcome();
  });
}

Outcome ReadMemories(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kChannelCount);
    return ReadChannels(run, 1, kChannelCount) ? CompleteOutcome() : ErrorOutcome();
  });
}

Outcome WriteAll(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kAreaSteps);
    Outcome failure;
    if (!WriteAreas(run, failure)) return failure;
    run.SetProgress(0, kChannelCount + kOrderRecords);
    if (!WriteChannels(run, 1, kChannelCount)) return ErrorOutcome();
    WriteOrderTable(run);
    return CompleteOutcome();
  });
}

Outcome WriteMemories(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kChannelCount + kOrderRecords);
    if (!WriteChannels(run, 1, kChannelCount)) return ErrorOutcome();
    WriteOrderTable(run);
    return CompleteOutcome();
  });
}

Outcome RunTransfer(const TransferRequest& request, TransferContext& context) {
  int first = std::max(1, std::min(request.first_row, request.last_row));
  int last = std::min(kChannelCount, std::max(request.first_row, request.last_row));
  int glyph = std::clamp(request.glyph, 0, kGlyphCount - 1);
  switch (request.command) {
    case TransferCommand::kReadAll:
      return ReadAll(context);
    case TransferCommand::kWriteAll:
      return WriteAll(context);
    case TransferCommand::kReadMemories:
      return ReadMemories(context);
    case TransferCommand::kWriteMemories:
      return WriteMemories(context);
    case TransferCommand::kOneMemoryRead:
      return OneMemoryRead(context, first, last);
    case TransferCommand::kOneMemoryWrite:
      return OneMemoryWrite(context, first, last);
    case TransferCommand::kBankRead:
      return SingleArea(context, OutcomeIcon::kNone, ReadBankSizes);
    case TransferCommand::kBankWrite:
      return SingleArea(context, OutcomeIcon::kNone, WriteBankSizes);
    case TransferCommand::kTitleRead:
      return SingleArea(context, OutcomeIcon::kCritical, ReadTitleArea);
    case TransferCommand::kTitleWrite:
      return SingleArea(context, OutcomeIcon::kCritical, WriteTitleArea);
    case TransferCommand::kOneTouchRead:
      return SingleArea(context, OutcomeIcon::kCritical, ReadOneTouchArea);
    case TransferCommand::kOneTouchWrite:
      return SingleArea(context, OutcomeIcon::kCritical, WriteOneTouchArea);
    case TransferCommand::kSettingsRead:
      return FiveAreas(context, ReadAndDecodeSettings, ReadMemFlag, ReadAndShowDtmf, ReadTitleArea,
                       ReadOneTouchArea);
    case TransferCommand::kSettingsWrite:
      return FiveAreas(context, WriteSettingsArea, WriteMemFlag, WriteDtmfArea, WriteTitleArea,
                       WriteOneTouchArea);
    case TransferCommand::kGlyphRead:
      return GlyphRead(context, glyph);
    case TransferCommand::kGlyphWrite:
      return GlyphsWrite(context, glyph, glyph);
    case TransferCommand::kGlyphsReadAll:
      return GlyphsReadAll(context);
    case TransferCommand::kGlyphsWriteAll:
      return GlyphsWrite(context, 0, kGlyphCount - 1);
    case TransferCommand::kGroupsRead:
      return CompleteArea(context, ReadBankLinkData);
    case TransferCommand::kGroupsWrite:
      return CompleteArea(context, WriteBankLinkData);
  }
  return SilentOutcome("unknown command");
}

}  // namespace tqm5
