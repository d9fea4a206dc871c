#include <gtest/gtest.h>

#include <ctime>

#include "image/channel_numbering.h"
#include "image/memory_map.h"
#include "support/bench.h"
#include "transfer/transfers.h"

namespace tqm5 {
namespace {

using testing::Bench;

// The demo radio with bytes the program does not own changed in the settings area (the
// read-modify-write must keep them) and one pass-channel order record that is not the one the
// image makes.
SimRadio::Memory StartMemory() {
  SimRadio::Memory memory = SimRadio::DemoMemory(kTqM5);
  memory[0x00008] = 0x5A;
  memory[0x00C09] = 0x77;
  return memory;
}

// Edits of every kind a full write carries: channel records (one of them a pass channel), the
// title and a setting in the first settings block.
void Edit(MemoryImage& image) {
  for (int n : {100, 500, 1102, 1450, 1600}) image.channel(n) = image.channel(7);
  image.title = "AB";
  image.settings[kLanguageItem] = static_cast<int16_t>(1 - image.settings[kLanguageItem]);
}

// The write commands the radio received after the first `skip` command lines.
std::vector<std::string> WritesAfter(const Bench& bench, size_t skip) {
  std::vector<std::string> writes;
  for (size_t i = skip; i < bench.radio.commands().size(); ++i) {
    const std::string& c = bench.radio.commands()[i];
    if (c.starts_with("ZR~F") && c[9] == 'W') writes.push_back(c.substr(0, 10));
  }
  return writes;
}

// A read, some edits and a write of the changes leave the radio byte for byte as a full write of
// the same image leaves the same radio, and send only what differs.
TEST(WriteChangesTest, LeavesTheRadioAsAFullWriteDoes) {
  Bench changes;
  changes.radio.memory() = StartMemory();
  ASSERT_EQ(changes.Run(TransferCommand::kReadAll), ReadAllSuccessOutcome());
  Edit(changes.image);
  const size_t after_read = changes.radio.commands().size();
  changes.progress.clear();
  Outcome outcome = changes.Run(TransferCommand::kWriteChanges);
  ASSERT_EQ(outcome.kind, OutcomeKind::kDone) << outcome.text << " " << outcome.detail;

  Bench full;
  full.radio.memory() = StartMemory();
  full.image = changes.image;
  ASSERT_EQ(full.Run(TransferCommand::kWriteAll), CompleteOutcome());
  EXPECT_TRUE(changes.radio.memory() == full.radio.memory());

  // Channels 1102 and 1450 lie in slots 1201 and 1450; the pass channel changes the order table.
  std::vector<std::string> writes = WritesAfter(changes, after_read);
  std::vector<std::string> areas(writes.begin(), writes.begin() + 7);
  EXPECT_EQ(areas, (std::vector<std::string>{"ZR~F00000W", "ZR~F001A0W", "ZR~F02AC0W", "ZR~F08EC0W",
                                             "ZR~F13E00W", "ZR~F17C40W", "ZR~F1A1C0W"}));
  for (size_t i = 7; i < writes.size(); ++i) {
    EXPECT_TRUE(writes[i] >= "ZR~F00C00" && writes[i] < "ZR~F00F28") << writes[i];
  }
  EXPECT_NE(std::find(writes.begin(), writes.end(), "ZR~F00C08W"), writes.end());
  const std::string phase = "writing " + std::to_string(writes.size()) + " changed blocks";
  EXPECT_NE(std::find(changes.progress.begin(), changes.progress.end(),
                      Progress{double(writes.size()), double(writes.size()), phase}),
            changes.progress.end());

  // Written again, nothing differs and nothing is sent.
  const size_t after_changes = changes.radio.commands().size();
  EXPECT_EQ(changes.Run(TransferCommand::kWriteChanges).kind, OutcomeKind::kDone);
  EXPECT_TRUE(WritesAfter(changes, after_changes).empty());
}

// 10:32 today, local time.
std::chrono::system_clock::time_point At1032() {
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  local.tm_hour = 10;
  local.tm_min = 32;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(WriteChangesTest, RefusesUnlessTheRadioIsTheOneLastRead) {
  const std::string differs =
      "The radio's memory differs from what was last read at 10:32: read it again or write "
      "everything.";
  // clang-format off
  struct Case { const char* what; std::function<void(Bench&)> setup; OutcomeKind kind; std::string text; std::string detail; };
  const Case cases[] = {
      {"nothing read", [](Bench& b) { b.snapshot = {}; }, OutcomeKind::kWriteRefused,
       "Nothing is known yet of what the radio holds: read it first or write everything.", "Nothing was sent."},
      {"read from a T radio", [](Bench& b) { b.snapshot.identification = "ZR~TQ-M5T"; }, OutcomeKind::kWriteRefused,
       "What is known of the radio was read from one that answers \"ZR~TQ-M5T\", not one of model option J: read it first or write everything.", ""},
      {"title never read", [](Bench& b) { b.snapshot.blocks.erase(kTitleAddress); }, OutcomeKind::kWriteRefused,
       "What is known of the radio is not enough to find the changes (the title at 001A0 is not known): read it first or write everything.", ""},
      {"a sampled channel changed on the radio", [](Bench& b) { b.radio.memory()[ChannelAddress(325) + 3] ^= 1; },
       OutcomeKind::kRadioDiffers, differs, "channel 325 (address 06300) does not hold what was last read; nothing was sent."},
      {"a changed channel changed on the radio too", [](Bench& b) { b.radio.memory()[ChannelAddress(500)] ^= 1; },
       OutcomeKind::kRadioDiffers, differs, "channel 500 (address 08EC0) does not hold"},
      {"a settings byte changed on the radio", [](Bench& b) { b.radio.memory()[0x00090] ^= 1; },
       OutcomeKind::kRadioDiffers, differs, "the settings area at 00080 does not hold"},
      {"another radio answers", [](Bench& b) { b.radio = SimRadio(kTqM5J, SimContent::kDemo); },
       OutcomeKind::kRadioDiffers, differs, "the radio answers \"ZR~TQ-M5J\", but what is known of it was read from one that answers \"ZR~TQ-M5\""},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    bench.radio.memory() = StartMemory();
    ASSERT_EQ(bench.Run(TransferCommand::kReadAll), ReadAllSuccessOutcome());
    Edit(bench.image);
    bench.snapshot.updated = At1032();
    c.setup(bench);
    const size_t sent_before = bench.radio.commands().size();
    Outcome outcome = bench.Run(TransferCommand::kWriteChanges);
    EXPECT_EQ(std::tuple(outcome.kind, outcome.text), std::tuple(c.kind, c.text)) << c.what;
    EXPECT_TRUE(outcome.detail.starts_with(c.detail)) << c.what << ": " << outcome.detail;
    EXPECT_TRUE(WritesAfter(bench, sent_before).empty()) << c.what;
    if (c.kind == OutcomeKind::kWriteRefused) {
      EXPECT_EQ(bench.radio.commands().size(), sent_before) << c.what << ": the port was opened";
    }
    // Once the radio's memory was found changed, the next write of changes asks for a read.
    if (c.kind == OutcomeKind::kRadioDiffers && !c.detail.starts_with("the radio answers")) {
      EXPECT_EQ(bench.Run(TransferCommand::kWriteChanges).kind, OutcomeKind::kWriteRefused)
          << c.what;
    }
  }
}

// A full write with nothing read before it leaves enough known for a write of changes, which
// still checks every known block it is about to rewrite, the order table's among them.
TEST(WriteChangesTest, FollowsAFullWriteWithNothingRead) {
  Bench bench;
  ASSERT_EQ(bench.Run(TransferCommand::kWriteAll), CompleteOutcome());
  bench.image.title = "AB";
  size_t before = bench.radio.commands().size();
  ASSERT_EQ(bench.Run(TransferCommand::kWriteChanges).kind, OutcomeKind::kDone);
  EXPECT_EQ(WritesAfter(bench, before), std::vector<std::string>{"ZR~F001A0W"});

  Channel& pass = bench.image.channel(1404);  // rewrites order records 0 and 100
  pass.used = true, pass.blank = false, pass.frequency_hz = 145000000;
  bench.radio.memory()[0x00C05] ^= 1;
  before = bench.radio.commands().size();
  Outcome outcome = bench.Run(TransferCommand::kWriteChanges);
  EXPECT_EQ(outcome.kind, OutcomeKind::kRadioDiffers);
  EXPECT_TRUE(outcome.detail.starts_with("the pass-channel order table at 00C00 does not hold"))
      << outcome.detail;
  EXPECT_TRUE(WritesAfter(bench, before).empty());
}

// A failed identification leaves the snapshot naming the radio its blocks came from.
TEST(WriteChangesTest, AFailedIdentificationKeepsTheKnownRadio) {
  Bench bench;
  ASSERT_EQ(bench.Run(TransferCommand::kTitleRead).kind, OutcomeKind::kDone);
  bench.radio = SimRadio(kTqM5T);
  EXPECT_EQ(bench.Run(TransferCommand::kTitleRead).kind, OutcomeKind::kRadioFailed);
  EXPECT_EQ(bench.snapshot.identification, "ZR~TQ-M5");
}

// The radio stores every N-th write with its middle byte's lowest bit flipped: verification
// names the first block that came back wrong. Full write order: settings 1-3, write
// protection 4, DTMF 5-7, title 8, one-touch keys 9, banks 10-11, groups 12-22, glyphs 23-30,
// channel n as write 30 + n, order record k as write 1654 + k.
TEST(VerifyTest, ACorruptedStoreIsNamed) {
  // clang-format off
  struct Case { TransferCommand command; bool verify; int corrupt_every; OutcomeKind kind; std::string text, detail; };
  const Case cases[] = {
      {TransferCommand::kWriteAll, false, 100, OutcomeKind::kDone, "Complete", ""},
      {TransferCommand::kWriteAll, true, 100, OutcomeKind::kVerifyFailed,
       "Verification failed: channel 70 does not hold what was sent. The radio keeps what it holds now: write again, and if this comes back, check the cable and the radio.",
       "channel 70 (address 02340): byte 32 was sent as 00 and read back as 01; 16 more differ: channel 170, channel 270, channel 370."},
      {TransferCommand::kWriteAll, true, 1700, OutcomeKind::kVerifyFailed,
       "Verification failed: the pass-channel order table at 00D70 does not hold what was sent. The radio keeps what it holds now: write again, and if this comes back, check the cable and the radio.",
       "the pass-channel order table at 00D70: byte 4 was sent as "},
      {TransferCommand::kWriteAll, true, 8, OutcomeKind::kVerifyFailed, "Verification failed: the title at 001A0",
       "the title at 001A0: byte 17 was sent as "},
      // The changes: the first settings block, the title, five channels and an order record.
      {TransferCommand::kWriteChanges, true, 3, OutcomeKind::kVerifyFailed, "Verification failed: channel 100 does not hold",
       "channel 100 (address 02AC0): byte 32 was sent as"},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    bench.radio.memory() = StartMemory();
    ASSERT_EQ(bench.Run(TransferCommand::kReadAll), ReadAllSuccessOutcome());
    if (c.command == TransferCommand::kWriteAll) {
      bench.image = MemoryImage();
      SelectModelOption(bench.image, ModelOption::kJ);
    }
    Edit(bench.image);
    SimFaults faults;
    faults.corrupt_every = c.corrupt_every;
    bench.radio.set_faults(faults);
    TransferContext context{bench.link, bench.image, nullptr, &bench.snapshot};
    Outcome outcome = RunTransfer({c.command, 1, 1, 0, c.verify}, context);
    EXPECT_EQ(outcome.kind, c.kind) << c.corrupt_every;
    EXPECT_TRUE(outcome.text.starts_with(c.text)) << outcome.text;
    EXPECT_TRUE(outcome.detail.starts_with(c.detail)) << outcome.detail;
  }
}

}  // namespace
}  // namespace tqm5
