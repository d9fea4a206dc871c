#include "transfer/write_changes.h"

#include <algorithm>
#include <ctime>
#include <map>
#include <set>

#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "image/platform.h"
#include "link/radio_link.h"
#include "model/order_table.h"

namespace tqm5 {
namespace transfer_detail {
namespace {

// Channel records read back, besides the blocks about to be written and the settings area, to
// make sure the radio is the one the snapshot describes: spread over the whole channel memory.
constexpr int kSampledChannels = 6;
constexpr std::string_view kCheckPhase = "checking the radio";
constexpr std::string_view kReadAgain = "read it again or write everything.";
constexpr std::string_view kReadFirst = "read it first or write everything.";

// "10:32": when the snapshot was last brought up to date, in local time.
std::string ClockText(std::chrono::system_clock::time_point time) {
  std::time_t t = std::chrono::system_clock::to_time_t(time);
  const std::tm local = platform::LocalTime(t);
  char text[8];
  std::strftime(text, sizeof text, "%H:%M", &local);
  return text;
}

// A write of changes refused before the port was opened: nothing was sent.
Outcome NothingKnown(std::string text) {
  Outcome outcome =
      MessageOutcome(OutcomeKind::kWriteRefused, std::move(text), " Error", OutcomeIcon::kCritical);
  outcome.detail = "Nothing was sent.";
  return outcome;
}

// The radio is not the one the snapshot describes: nothing was sent.
Outcome RadioDiffers(const RadioSnapshot& known, std::string what) {
  Outcome outcome = MessageOutcome(OutcomeKind::kRadioDiffers,
                                   "The radio's memory differs from what was last read at " +
                                       ClockText(*known.updated) + ": " + std::string(kReadAgain),
                                   " Error", OutcomeIcon::kCritical);
  outcome.detail = std::move(what) + "; nothing was sent.";
  return outcome;
}

// The blocks read to check the radio: those that hold the writes about to be sent, then the
// settings area and a spread of channel records. Each once, in that order.
std::vector<int> CheckBlocks(const std::vector<WriteUnit>& to_send, const RadioSnapshot& known) {
  std::vector<int> blocks = ReadBackBlocks(to_send, known);
  std::vector<int> sample;
  for (int b = 0; b < kSettingsBlocks; ++b) sample.push_back(kSettingsAddress + b * kBlockSize);
  for (int k = 0; k < kSampledChannels; ++k) {
    sample.push_back(ChannelAddress(1 + k * (kChannelCount - 1) / (kSampledChannels - 1)));
  }
  for (int block : sample) {
    if (std::find(blocks.begin(), blocks.end(), block) == blocks.end()) blocks.push_back(block);
  }
  return blocks;
}

// Reads one block for the check or the verification; false after the run's failure.
bool ReadBack(Run& run, int address, std::string& hex, Outcome& failure) {
  hex = ReadBlock(run.link(), address);
  if (hex.size() == kBlockHexLength && IsHexText(hex)) return true;
  if (run.link().last_exchange().problem == ReplyProblem::kNone) {
    run.link().RefuseReply(ReplyProblem::kNotBlock);
  }
  failure = run.Fail();
  return false;
}

// A block read in the check, by the write that starts there: "channel 232 (address 04E40)",
// "the settings area at 00040", or else "the block at 01380".
std::string BlockName(const std::vector<WriteUnit>& plan, int address) {
  for (const WriteUnit& unit : plan) {
    if (unit.address == address) return WriteUnitPlace(unit);
  }
  return "the block at " + AddressText(address);
}

// The first byte in which two hex texts of one length differ.
int FirstDifferentByte(std::string_view a, std::string_view b) {
  int byte = 0;
  while (a.substr(static_cast<size_t>(2 * byte), 2) == b.substr(static_cast<size_t>(2 * byte), 2))
    ++byte;
  return byte;
}

// The write of changes once the radio has identified itself.
Outcome SendChanges(Run& run, const RadioSnapshot& known, std::vector<WriteUnit> plan) {
  RadioSnapshot& radio = run.radio();
  if (radio.identification != known.identification) {
    std::string answered = radio.identification;
    radio.identification = known.identification;  // the snapshot still describes that radio
    return RadioDiffers(known, "the radio answers \"" + answered +
                                   "\", but what is known of it was read from one that "
                                   "answers \"" +
                                   known.identification + "\"");
  }
  auto differs = [&radio](const WriteUnit& unit) {
    return KnownHex(radio, unit.address, unit.bytes()) != unit.hex;
  };
  // What differs, in the full write's order; bytes not known yet count as the same.
  auto changed = [&plan, &radio, &differs] {
    std::vector<WriteUnit> units;
    std::copy_if(plan.begin(), plan.end(), std::back_inserter(units), [&](const WriteUnit& unit) {
      return KnownHex(radio, unit.address, unit.bytes()) && differs(unit);
    });
    return units;
  };
  std::vector<WriteUnit> to_send = changed();
  // No read brings the pass-channel order table into the snapshot: while it is not known, its
  // blocks are read with the others, to be compared with the table the full write would send.
  std::set<int> unknown;
  for (const WriteUnit& unit : plan) {
    if (InOrderTable(unit) && !KnownHex(radio, unit.address, unit.bytes())) {
      unknown.insert(kOrderTableAddress +
                     (unit.address - kOrderTableAddress) / kBlockSize * kBlockSize);
    }
  }
  std::vector<int> check = CheckBlocks(to_send, known);
  check.insert(check.end(), unknown.begin(), unknown.end());

  run.SetProgress(0, static_cast<double>(check.size()), kCheckPhase);
  Outcome failure;
  std::map<int, std::string> read;
  for (int address : check) {
    run.Begin("reading the block at " + AddressText(address) + " to check the radio",
              [](bool, bool) { return std::string("Nothing was written."); });
    std::string hex;
    if (!ReadBack(run, address, hex, failure)) return failure;
    read[address] = hex;
    auto it = known.blocks.find(address);
    if (!unknown.contains(address) &&
        (it == known.blocks.end() || !MatchesWhereKnown(it->second, hex))) {
      // What else is known of the radio can no longer be trusted: only the blocks just read
      // stay known, so that the next write of changes asks for a new read.
      radio.blocks = std::move(read);
      return RadioDiffers(known, BlockName(plan, address) + " does not hold what was last read");
    }
    run.Step();
  }
  // The blocks read hold what the snapshot said, and the order table is known now.
  to_send = changed();

  const int count = static_cast<int>(to_send.size());
  if (count == 0) {
    Outcome done = CompleteOutcome();
    done.detail = "The radio already holds everything a full write would send: nothing was sent.";
    return done;
  }
  run.SetProgress(0, count, "writing " + std::to_string(count) + " changed blocks");
  for (int i = 0; i < count; ++i) {
    const WriteUnit& unit = to_send[static_cast<size_t>(i)];
    run.Begin("writing " + WriteUnitPlace(unit), [i, count](bool, bool in_doubt) {
      std::string before = std::to_string(i) + " of the " + std::to_string(count) +
                           " changed blocks were written before it";
      return in_doubt ? before + ", and it may be partly written: " + std::string(kReadAgain)
                      : before + "; it and the rest were not: write the changes again to finish.";
    });
    if (!WriteBlock(run.link(), unit.address, unit.hex) && unit.checked) return run.Fail();
    run.Step();
  }
  if (!VerifyWritten(run, to_send, failure)) return failure;
  Outcome done = CompleteOutcome();
  done.detail =
      std::to_string(count) + (count == 1 ? " changed block was" : " changed blocks were") +
      " written and read back as sent (a full write sends " + std::to_string(plan.size()) + ").";
  return done;
}

}  // namespace

bool VerifyWritten(Run& run, const std::vector<WriteUnit>& written, Outcome& failure) {
  std::vector<int> blocks = ReadBackBlocks(written, run.radio());
  run.SetProgress(0, static_cast<double>(blocks.size()), "verifying");
  std::map<int, std::string> read;
  for (int address : blocks) {
    run.Begin("reading back the block at " + AddressText(address) + " to verify it",
              [](bool, bool) {
                return std::string(
                    "Everything was written, but not all of it was read back to "
                    "verify it: write again to verify it.");
              });
    if (!ReadBack(run, address, read[address], failure)) return false;
    run.Step();
  }
  std::vector<const WriteUnit*> wrong;
  std::string first_detail;
  for (const WriteUnit& unit : written) {
    for (const auto& [block, hex] : read) {
      if (block > unit.address || unit.address + unit.bytes() > block + kBlockSize) continue;
      std::string_view back = std::string_view(hex).substr(
          static_cast<size_t>(2 * (unit.address - block)), unit.hex.size());
      if (back != unit.hex) {
        if (wrong.empty()) {
          int byte = FirstDifferentByte(unit.hex, back);
          first_detail = WriteUnitPlace(unit) + ": byte " + std::to_string(byte) + " was sent as " +
                         unit.hex.substr(static_cast<size_t>(2 * byte), 2) + " and read back as " +
                         std::string(back.substr(static_cast<size_t>(2 * byte), 2));
        }
        wrong.push_back(&unit);
      }
      break;
    }
  }
  if (wrong.empty()) return true;
  const std::string name = WriteUnitName(*wrong.front());
  failure = MessageOutcome(OutcomeKind::kVerifyFailed,
                           "Verification failed: " + name +
                               " does not hold what was sent. The radio keeps what it holds "
                               "now: write again, and if this comes back, check the cable and "
                               "the radio.",
                           " Error", OutcomeIcon::kCritical);
  failure.detail = first_detail;
  if (wrong.size() > 1) {
    failure.detail += "; " + std::to_string(wrong.size() - 1) + " more differ";
    for (size_t i = 1; i < std::min<size_t>(wrong.size(), 4); ++i) {
      failure.detail += (i == 1 ? ": " : ", ") + WriteUnitName(*wrong[i]);
    }
  }
  failure.detail += ".";
  return false;
}

}  // namespace transfer_detail

Outcome WriteChanges(TransferContext& context) {
  const MemoryImage& image = context.image;
  if (context.radio == nullptr || context.radio->blocks.empty() || !context.radio->updated) {
    return transfer_detail::NothingKnown("Nothing is known yet of what the radio holds: " +
                                         std::string(transfer_detail::kReadFirst));
  }
  const RadioSnapshot known = *context.radio;
  if (OptionOfCommand(known.identification) != image.model_option) {
    return transfer_detail::NothingKnown(
        "What is known of the radio was read from one that answers \"" + known.identification +
        "\", not one of model option " + std::string(ModelOptionName(image.model_option)) + ": " +
        std::string(transfer_detail::kReadFirst));
  }
  std::string problem;
  std::optional<std::vector<WriteUnit>> plan = FullWritePlan(image, known, problem);
  if (plan) {
    for (const WriteUnit& unit : *plan) {
      if (!InOrderTable(unit) && !KnownHex(known, unit.address, unit.bytes())) {
        problem = WriteUnitName(unit) + " is not known";
        break;
      }
    }
  }
  if (!problem.empty()) {
    return transfer_detail::NothingKnown(
        "What is known of the radio is not enough to find the changes (" + problem +
        "): " + std::string(transfer_detail::kReadFirst));
  }
  return transfer_detail::Framed(context, [&](transfer_detail::Run& run) {
    return transfer_detail::SendChanges(run, known, std::move(*plan));
  });
}

}  // namespace tqm5
