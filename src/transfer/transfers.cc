#include "transfer/transfers.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <initializer_list>

#include "fonts/font_codec.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "link/areas.h"
#include "model/banks.h"
#include "model/order_table.h"
#include "settings/settings_codec.h"
#include "textdata/dtmf.h"
#include "transfer/step_notes.h"
#include "transfer/transfer_run.h"
#include "transfer/write_changes.h"
#include "transfer/write_plan.h"

namespace tqm5 {
namespace {

using transfer_detail::Framed;
using transfer_detail::Run;

constexpr int kAreaSteps = 15;  // progress maximum of the area part of read all and write all
constexpr int kOrderRecords = 101;
constexpr std::string_view kAreasPhase = "areas";

std::string ChannelsPhase(int first, int last) {
  return "channels " + std::to_string(first) + ".." + std::to_string(last);
}

bool ReadAndDecodeSettings(RadioLink& link, MemoryImage& image, RadioSnapshot& radio) {
  if (!ReadSettingsArea(link, radio)) return false;
  DecodeSettings(radio.Area(kSettingsAddress, kSettingsBlocks), image.settings, image.language);
  return true;
}

bool ReadAndShowDtmf(RadioLink& link, MemoryImage& image, RadioSnapshot& radio) {
  if (!ReadDtmfArea(link, radio)) return false;
  ShowDtmfArea(radio.Area(kDtmfAddress, kDtmfBlocks), image.dtmf);
  return true;
}

// Reads glyph g into the image; false when its block does not come back whole.
bool ReadGlyph(RadioLink& link, MemoryImage& image, int g) {
  std::string record = ReadFontData(link, g);
  if (record.size() != kRecordHexLength) return false;
  ExpandFontString(image.font_bits, g, record);
  return true;
}

// One area procedure of a command, the name the user knows it by, and the icon of the error
// it ends with.
struct AreaStep {
  std::string name;  // "the settings area", "user glyph 3"
  std::function<bool(RadioLink&, MemoryImage&, RadioSnapshot&)> procedure;
  OutcomeIcon failure_icon = OutcomeIcon::kCritical;
};

// An area procedure that does not touch the snapshot.
template <typename Image>
auto ImageOnly(bool (*procedure)(RadioLink&, Image&)) {
  return [procedure](RadioLink& link, MemoryImage& image, RadioSnapshot&) {
    return procedure(link, image);
  };
}

AreaStep SettingsRead() { return {"the settings area", ReadAndDecodeSettings}; }
AreaStep MemFlagRead() { return {"the memory write protection", ImageOnly(ReadMemFlag)}; }
AreaStep DtmfRead() { return {"the DTMF area", ReadAndShowDtmf}; }
AreaStep TitleRead() { return {"the title", ImageOnly(ReadTitleArea)}; }
AreaStep OneTouchRead() { return {"the one-touch keys", ImageOnly(ReadOneTouchArea)}; }
AreaStep BankSizesRead() {
  return {"the bank sizes", ImageOnly(ReadBankSizes), OutcomeIcon::kNone};
}
AreaStep GroupsRead() { return {"the bank-link groups", ImageOnly(ReadBankLinkData)}; }
AreaStep SettingsWrite() { return {"the settings area", WriteSettingsArea}; }
AreaStep MemFlagWrite() { return {"the memory write protection", ImageOnly(WriteMemFlag)}; }
AreaStep DtmfWrite() { return {"the DTMF area", WriteDtmfArea}; }
AreaStep TitleWrite() { return {"the title", ImageOnly(WriteTitleArea)}; }
AreaStep OneTouchWrite() { return {"the one-touch keys", ImageOnly(WriteOneTouchArea)}; }
AreaStep BankSizesWrite() {
  return {"the bank sizes", ImageOnly(WriteBankSizes), OutcomeIcon::kNone};
}
AreaStep GroupsWrite() { return {"the bank-link groups", ImageOnly(WriteBankLinkData)}; }

std::string GlyphName(int g) { return "user glyph " + std::to_string(g); }

AreaStep GlyphRead(int g) {
  return {GlyphName(g), [g](RadioLink& link, MemoryImage& image, RadioSnapshot&) {
            return ReadGlyph(link, image, g);
          }};
}

AreaStep GlyphWrite(int g) {
  return {GlyphName(g), [g](RadioLink& link, MemoryImage& image, RadioSnapshot&) {
            return WriteFontData(link, image, g);
          }};
}

void AddGlyphs(std::vector<AreaStep>& steps, int first, int last, AreaStep (*glyph)(int)) {
  for (int g = first; g <= last; ++g) steps.push_back(glyph(g));
}

enum class Direction { kRead, kWrite };

// Runs the steps in order, `step_size` of progress each (0: no progress shown); false at the
// first that fails, with the failure's outcome. A stopped write says which areas were written
// when there was more than one.
bool RunAreaSteps(Run& run, Direction direction, const std::vector<AreaStep>& steps,
                  double step_size, Outcome& failure) {
  std::vector<std::string> done;
  for (const AreaStep& step : steps) {
    // The note is made when the step stops, possibly after this function has been left by a
    // cancel: it keeps its own copies.
    Run::StopNote note;
    if (direction == Direction::kWrite && steps.size() > 1) {
      note = [done, name = step.name](bool partly, bool in_doubt) {
        return AreasWrittenNote(done, name, partly, in_doubt);
      };
    }
    run.Begin((direction == Direction::kRead ? "reading " : "writing ") + step.name,
              std::move(note));
    if (!step.procedure(run.link(), run.image(), run.radio())) {
      failure = run.Fail(step.failure_icon);
      return false;
    }
    done.push_back(step.name);
    if (step_size > 0) run.Step(step_size);
  }
  return true;
}

// The areas of read all before its channels, in order. A failed bank-size read has no icon.
std::vector<AreaStep> ReadAllAreas() {
  std::vector<AreaStep> steps = {SettingsRead(), MemFlagRead(),   DtmfRead(),
                                 TitleRead(),    BankSizesRead(), OneTouchRead()};
  AddGlyphs(steps, 0, kGlyphCount - 1, GlyphRead);
  steps.push_back(GroupsRead());
  return steps;
}

// The areas of write all before its channels, in order. A refused bank-size write has no icon.
std::vector<AreaStep> WriteAllAreas() {
  std::vector<AreaStep> steps = {SettingsWrite(), MemFlagWrite(),   DtmfWrite(),  TitleWrite(),
                                 OneTouchWrite(), BankSizesWrite(), GroupsWrite()};
  AddGlyphs(steps, 0, kGlyphCount - 1, GlyphWrite);
  return steps;
}

// Reads and decodes channels first..last, one progress step each; stops at the first channel
// that does not come back.
bool ReadChannels(Run& run, int first, int last, Outcome& failure) {
  MemoryImage& image = run.image();
  bool glyph_characters = UsesGlyphCharacters(image);
  for (int n = first; n <= last; ++n) {
    run.Begin("reading " + ChannelStepName(n));
    std::string record = ReadChannel(run.link(), n);
    if (record.empty()) {
      failure = run.Fail();
      return false;
    }
    DecodeChannel(image.channel(n), record, glyph_characters);
    run.Step();
  }
  return true;
}

bool WriteChannels(Run& run, int first, int last, bool areas_before, Outcome& failure) {
  for (int n = first; n <= last; ++n) {
    run.Begin("writing " + ChannelStepName(n), [first, last, n, areas_before](bool, bool in_doubt) {
      return ChannelsWrittenNote(first, last, n, areas_before, in_doubt);
    });
    if (!WriteChannel(run.link(), run.image(), run.radio().identification, n)) {
      failure = run.Fail();
      return false;
    }
    run.Step();
  }
  return true;
}

// Rebuilds the pass-channel order table and sends its 101 records. The radio's answers are not
// checked: a refused record does not stop the command.
void WriteOrderTable(Run& run) {
  run.SetPhase("pass-channel order table");
  ChannelOrderTable table = BuildChannelOrderTable(run.image());
  for (int k = 0; k < kOrderRecords; ++k) {
    run.Begin("writing pass-channel order record " + std::to_string(k) + " (address " +
                  AddressText(OrderRecordAddress(k)) + ")",
              [](bool, bool) {
                return "The channels were written; the pass-channel order table was not "
                       "finished: write again to finish.";
              });
    WriteOrderRecord(run.link(), table, k);
    run.Step();
  }
}

// A command of one area procedure: progress 50 before it and 100 after it.
Outcome SingleArea(TransferContext& context, Direction direction, AreaStep step) {
  return Framed(context, [&](Run& run) {
    std::string phase = step.name.starts_with("the ") ? step.name.substr(4) : step.name;
    run.SetProgress(50, 100, phase);
    Outcome failure;
    if (!RunAreaSteps(run, direction, {step}, 50, failure)) return failure;
    return SuccessOutcome();
  });
}

// Area commands without progress display or with one step per area, ending in `success`.
Outcome Areas(TransferContext& context, Direction direction, std::vector<AreaStep> steps,
              double maximum, std::string_view phase, Outcome success) {
  return Framed(context, [&](Run& run) {
    double step_size = 0;
    if (maximum > 0) {
      run.SetProgress(0, maximum, phase);
      step_size = maximum / static_cast<double>(steps.size());
    }
    Outcome failure;
    if (!RunAreaSteps(run, direction, steps, step_size, failure)) return failure;
    return success;
  });
}

Outcome OneMemoryRead(TransferContext& context, int first, int last) {
  return Framed(context, [&](Run& run) {
    run.SetProgress(0, last - first + 1, ChannelsPhase(first, last));
    Outcome failure;
    return ReadChannels(run, first, last, failure) ? CompleteOutcome() : failure;
  });
}

Outcome OneMemoryWrite(TransferContext& context, int first, int last) {
  int pass = SelectedPassChannels(first, last);
  if (pass > 0 && pass < kPassChannelCount) return PassRuleOutcome();
  return Framed(context, [&](Run& run) {
    int count = last - first + 1;
    bool with_order_table = pass == kPassChannelCount;
    run.SetProgress(0, count + (with_order_table ? kOrderRecords : 0), ChannelsPhase(first, last));
    Outcome failure;
    if (!WriteChannels(run, first, last, false, failure)) return failure;
    if (with_order_table) WriteOrderTable(run);
    return CompleteOutcome();
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
    run.SetProgress(0, kAreaSteps, kAreasPhase);
    Outcome failure;
    if (!RunAreaSteps(run, Direction::kRead, ReadAllAreas(), 1, failure)) return failure;
    run.SetProgress(0, kChannelCount, ChannelsPhase(1, kChannelCount));
    if (!ReadChannels(run, 1, kChannelCount, failure)) return failure;
    return ReadAllSuccessOutcome();
  });
}

Outcome ReadMemories(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kChannelCount, ChannelsPhase(1, kChannelCount));
    Outcome failure;
    return ReadChannels(run, 1, kChannelCount, failure) ? CompleteOutcome() : failure;
  });
}

Outcome WriteAll(TransferContext& context, bool verify) {
  return Framed(context, [verify](Run& run) {
    run.SetProgress(0, kAreaSteps, kAreasPhase);
    Outcome failure;
    if (!RunAreaSteps(run, Direction::kWrite, WriteAllAreas(), 1, failure)) return failure;
    run.SetProgress(0, kChannelCount + kOrderRecords, ChannelsPhase(1, kChannelCount));
    if (!WriteChannels(run, 1, kChannelCount, true, failure)) return failure;
    WriteOrderTable(run);
    if (verify) {
      // What was sent, as the snapshot now holds the shared areas that were written.
      std::string problem;
      std::optional<std::vector<WriteUnit>> sent = FullWritePlan(run.image(), run.radio(), problem);
      if (!sent) return SilentOutcome(OutcomeKind::kFailed, "cannot verify: " + problem);
      if (!transfer_detail::VerifyWritten(run, *sent, failure)) return failure;
    }
    return CompleteOutcome();
  });
}

Outcome WriteMemories(TransferContext& context) {
  return Framed(context, [](Run& run) {
    run.SetProgress(0, kChannelCount + kOrderRecords, ChannelsPhase(1, kChannelCount));
    Outcome failure;
    if (!WriteChannels(run, 1, kChannelCount, false, failure)) return failure;
    WriteOrderTable(run);
    return CompleteOutcome();
  });
}

std::optional<Outcome> WriteRefusal(const MemoryImage& image, TransferCommand command) {
  auto refused = [](OutcomeIcon icon, std::string why, std::string_view then) {
    Outcome outcome = ErrorOutcome(icon, OutcomeKind::kWriteRefused);
    outcome.detail = std::move(why) + ": nothing was sent. " + std::string(then);
    return outcome;
  };
  using C = TransferCommand;
  bool whole = command == C::kWriteAll || command == C::kWriteChanges;
  bool banks = whole || command == C::kBankWrite;
  bool groups = whole || command == C::kGroupsWrite;
  if (banks && !BankTotalValid(image)) {
    return refused(OutcomeIcon::kNone,
                   "bank sizes add up to " + std::to_string(BankTotal(image)) + ", not " +
                       std::to_string(kMemoryChannelCount),
                   "Set the banks so that they do (or Reset them) and write again.");
  }
  for (int g = 0; groups && g < kBankLinkGroupCount; ++g) {
    const std::string& hex = image.bank_link_hex[static_cast<size_t>(g)];
    if (hex.size() != 16 || !IsHexText(hex)) {
      return refused(
          OutcomeIcon::kCritical,
          "bank-link group " + std::to_string(g) + " is \"" + hex + "\", not 16 hex digits",
          "Read the groups from the radio or set them in the bank-link editor.");
    }
  }
  return std::nullopt;
}

Outcome RunTransfer(const TransferRequest& request, TransferContext& context) {
  if (std::optional<Outcome> refusal = WriteRefusal(context.image, request.command)) {
    return *refusal;
  }
  int first = std::max(1, std::min(request.first_row, request.last_row));
  int last = std::min(kChannelCount, std::max(request.first_row, request.last_row));
  int glyph = std::clamp(request.glyph, 0, kGlyphCount - 1);
  switch (request.command) {
    case TransferCommand::kReadAll:
      return ReadAll(context);
    case TransferCommand::kWriteAll:
      return WriteAll(context, request.verify);
    case TransferCommand::kWriteChanges:
      return WriteChanges(context);
    case TransferCommand::kReadMemories:
      return ReadMemories(context);
    case TransferCommand::kWriteMemories:
      return WriteMemories(context);
    case TransferCommand::kOneMemoryRead:
      return OneMemoryRead(context, first, last);
    case TransferCommand::kOneMemoryWrite:
      return OneMemoryWrite(context, first, last);
    case TransferCommand::kBankRead:
      return SingleArea(context, Direction::kRead, BankSizesRead());
    case TransferCommand::kBankWrite:
      return SingleArea(context, Direction::kWrite, BankSizesWrite());
    case TransferCommand::kTitleRead:
      return SingleArea(context, Direction::kRead, TitleRead());
    case TransferCommand::kTitleWrite:
      return SingleArea(context, Direction::kWrite, TitleWrite());
    case TransferCommand::kOneTouchRead:
      return SingleArea(context, Direction::kRead, OneTouchRead());
    case TransferCommand::kOneTouchWrite:
      return SingleArea(context, Direction::kWrite, OneTouchWrite());
    case TransferCommand::kSettingsRead:
      return Areas(context, Direction::kRead,
                   {SettingsRead(), MemFlagRead(), DtmfRead(), TitleRead(), OneTouchRead()}, 100,
                   kAreasPhase, SuccessOutcome());
    case TransferCommand::kSettingsWrite:
      return Areas(context, Direction::kWrite,
                   {SettingsWrite(), MemFlagWrite(), DtmfWrite(), TitleWrite(), OneTouchWrite()},
                   100, kAreasPhase, SuccessOutcome());
    case TransferCommand::kGlyphRead:
      return Areas(context, Direction::kRead, {GlyphRead(glyph)}, 0, "", CompleteOutcome());
    case TransferCommand::kGlyphWrite:
      return Areas(context, Direction::kWrite, {GlyphWrite(glyph)}, 1, "glyphs", CompleteOutcome());
    case TransferCommand::kGlyphsReadAll:
    case TransferCommand::kGlyphsWriteAll: {
      bool read = request.command == TransferCommand::kGlyphsReadAll;
      std::vector<AreaStep> steps;
      AddGlyphs(steps, 0, kGlyphCount - 1, read ? GlyphRead : GlyphWrite);
      return Areas(context, read ? Direction::kRead : Direction::kWrite, std::move(steps),
                   kGlyphCount, "glyphs", CompleteOutcome());
    }
    case TransferCommand::kGroupsRead:
      return Areas(context, Direction::kRead, {GroupsRead()}, 0, "", CompleteOutcome());
    case TransferCommand::kGroupsWrite:
      return Areas(context, Direction::kWrite, {GroupsWrite()}, 0, "", CompleteOutcome());
  }
  return SilentOutcome(OutcomeKind::kFailed, "unknown command");
}

namespace {

// Every command with its name and whether it reads from the radio, in the order of the enum.
struct CommandRow {
  TransferCommand command;
  std::string_view name;
  bool reads;
};

constexpr CommandRow kCommandRows[] = {
    {TransferCommand::kReadAll, "Read All Data", true},
    {TransferCommand::kWriteAll, "Write All Data", false},
    {TransferCommand::kReadMemories, "Memory Read", true},
    {TransferCommand::kWriteMemories, "Memory Write", false},
    {TransferCommand::kOneMemoryRead, "One Memory Read", true},
    {TransferCommand::kOneMemoryWrite, "One Memory Write", false},
    {TransferCommand::kBankRead, "Bank Read", true},
    {TransferCommand::kBankWrite, "Bank Write", false},
    {TransferCommand::kTitleRead, "Title Read", true},
    {TransferCommand::kTitleWrite, "Title Write", false},
    {TransferCommand::kOneTouchRead, "One-touch Read", true},
    {TransferCommand::kOneTouchWrite, "One-touch Write", false},
    {TransferCommand::kSettingsRead, "Settings Read", true},
    {TransferCommand::kSettingsWrite, "Settings Write", false},
    {TransferCommand::kGlyphRead, "Glyph Read", true},
    {TransferCommand::kGlyphWrite, "Glyph Write", false},
    {TransferCommand::kGlyphsReadAll, "Glyphs Read ALL", true},
    {TransferCommand::kGlyphsWriteAll, "Glyphs Write ALL", false},
    {TransferCommand::kGroupsRead, "Bank-link Read", true},
    {TransferCommand::kGroupsWrite, "Bank-link Write", false},
    {TransferCommand::kWriteChanges, "Write Changes", false},
};

// The row of a command; nothing for a value outside the enum.
const CommandRow* RowOf(TransferCommand command) {
  for (const CommandRow& row : kCommandRows) {
    if (row.command == command) return &row;
  }
  return nullptr;
}

}  // namespace

std::string_view TransferCommandName(TransferCommand command) {
  const CommandRow* row = RowOf(command);
  return row != nullptr ? row->name : "Transfer";
}

bool ReadsFromRadio(TransferCommand command) {
  const CommandRow* row = RowOf(command);
  return row != nullptr && row->reads;
}

}  // namespace tqm5
