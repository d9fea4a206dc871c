#include "transfer/transfers.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "settings/settings_codec.h"
#include "sim/owned_bytes.h"
#include "sim/sim_radio.h"
#include "support/bench.h"

namespace tqm5 {
namespace {

using testing::Bench;

// The message box of an outcome: what the user sees before any detail.
std::tuple<bool, std::string, std::string, OutcomeIcon, bool> Box(const Outcome& outcome) {
  return {outcome.shown, outcome.text, outcome.title, outcome.icon, outcome.success};
}

// clang-format off
SimFaults NoReadReplyAt(int address) { SimFaults f; f.no_read_reply_at = {address}; return f; }
SimFaults RefuseWriteAt(int address) { SimFaults f; f.refuse_write_at = {address}; return f; }
SimFaults StopAfter(int commands) { SimFaults f; f.stop_after = commands; return f; }
SimFaults DropLeadingCrLf() { SimFaults f; f.drop_leading_crlf = true; return f; }
SimFaults GarbleAfter(int commands) { SimFaults f; f.garble_after = commands; return f; }
SimFaults HangUpAfter(int commands) { SimFaults f; f.hang_up_after = commands; return f; }
// clang-format on

// A radio memory of random bytes, with hand-made records where the program checks its values:
// every channel not a multiple of 3 on 145 MHz (channel 1102 on 440 MHz), banks 3 and 20 of
// 600 and 400 memories, the settings in English.
SimRadio::Memory ScrambledMemory(uint32_t seed) {
  SimRadio::Memory memory;
  std::mt19937 rng(seed);
  for (uint8_t& b : memory) b = static_cast<uint8_t>(rng());
  const std::string record = "024086A4080100C027090001020909001C003E000A" + std::string(86, '0');
  auto put = [&memory](int address, const std::string& hex) {
    std::vector<uint8_t> bytes = HexToBytes(hex);
    std::copy(bytes.begin(), bytes.end(), memory.begin() + address);
  };
  for (int n = 1; n <= kChannelCount; ++n) {
    put(ChannelAddress(n), n % 3 == 0 ? std::string(128, '0') : record);
  }
  put(ChannelAddress(1102) + 1, "00DE391A");
  put(kBankSizeAddress,
      std::string(12, '0') + "5802" + std::string(64, '0') + "9001" + std::string(116, '0'));
  memory[kSettingsAddress + 0x3E] = 0x00;  // English
  return memory;
}

TEST(ReadAllTest, ReadsEveryAreaAndReportsProgressInTwoPhases) {
  Bench bench;
  bench.radio.memory() = ScrambledMemory(1);
  Outcome outcome = bench.Run(TransferCommand::kReadAll);
  EXPECT_EQ(outcome, ReadAllSuccessOutcome());
  EXPECT_FALSE(bench.link.IsOpen());

  const std::vector<Progress>& p = bench.progress;
  ASSERT_EQ(p.size(), 1u + 15 + 1 + 1623);
  EXPECT_EQ((std::vector<Progress>{p[0], p[15], p[16], p.back()}),
            (std::vector<Progress>{{0, 15, "areas"},
                                   {15, 15, "areas"},
                                   {0, 1623, "channels 1..1623"},
                                   {1623, 1623, "channels 1..1623"}}));
  const MemoryImage& image = bench.image;
  EXPECT_EQ(image.language, kEnglish);
  EXPECT_EQ(image.bank_sizes[3], 600);
  EXPECT_EQ(bench.snapshot.Area(kBankSizeAddress, kBankSizeBlocks).substr(12, 8), "58020000");
  EXPECT_TRUE(image.channel(1).used && !image.channel(3).used);
  EXPECT_EQ(image.channel(601).label + CellText(image.channel(1), kColFreq) +
                CellText(image.channel(1102), kColFreq),
            "Bank20-000145.00000MHz440.00000MHz");
  // 21 area blocks, then every channel from its own slot in channel order.
  std::vector<std::string> blocks = bench.BlockCommands();
  ASSERT_EQ(blocks.size(), 21u + 1623u);
  EXPECT_EQ(blocks[21] + blocks[21 + 1101] + blocks.back(), "ZR~F01200RZR~F13E00RZR~F1A780R");
}

TEST(ReadAllTest, FailuresEndAtTheirStepAndKeepWhatWasRead) {
  // clang-format off
  struct Case { const char* what; int silent_address; OutcomeIcon icon; double last_progress;
                bool glyph4_read, glyph5_read, channels_read; };
  const Case cases[] = {
      {"all but glyph 5", 0x010A0, OutcomeIcon::kCritical, 11, true, false, false},
      {"bank sizes", 0x00200, OutcomeIcon::kNone, 4, false, false, false},
      {"channel 1000", ChannelAddress(1000), OutcomeIcon::kCritical, 999, true, true, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    SimRadio::Memory memory = SimRadio::FactoryMemory(kTqM5);
    for (int g = 0; g < 8; ++g) memory[static_cast<size_t>(0x01000 + 32 * g)] = 0xFF;
    std::vector<uint8_t> title = HexToBytes("41004200");
    std::copy(title.begin(), title.end(), memory.begin() + kTitleAddress);
    bench.radio.memory() = memory;
    bench.image.channel(1).used = true;
    bench.radio.set_faults(NoReadReplyAt(c.silent_address));

    EXPECT_EQ(Box(bench.Run(TransferCommand::kReadAll)), Box(ErrorOutcome(c.icon))) << c.what;
    const MemoryImage& image = bench.image;  // the title is read before every failing step
    EXPECT_EQ(
        std::tuple(bench.progress.back().value, image.title, image.font_bits[4][0][0] == 1,
                   image.font_bits[5][0][0] == 1, !image.channel(1).used, bench.link.IsOpen()),
        std::tuple(c.last_progress, "AB", c.glyph4_read, c.glyph5_read, c.channels_read, false))
        << c.what;
  }
}

// Right after start-up the program's bytes are those of the factory memory; every other byte
// stays as it was, and the fresh copies read for the read-modify-write are kept.
TEST(WriteAllTest, WritesTheFactoryMemoryAndLeavesTheRestAsItWas) {
  const std::vector<bool>& owned = ProgramOwnedBytes();
  const SimRadio::Memory factory = SimRadio::FactoryMemory(kTqM5);
  for (uint32_t seed : {0u, 2u}) {
    Bench bench;
    SimRadio::Memory before = ScrambledMemory(seed), expected = before;
    if (seed == 0) before.fill(0xFF), expected = factory;
    bench.radio.memory() = before;
    ASSERT_EQ(bench.Run(TransferCommand::kWriteAll), CompleteOutcome());
    for (size_t a = 0; a < SimRadio::kMemorySize; ++a) {
      ASSERT_EQ(bench.radio.memory()[a], owned[a] ? factory[a] : expected[a])
          << "address " << std::hex << a;
    }
    EXPECT_EQ(bench.progress[16], (Progress{0, 1724, "channels 1..1623"}));
    EXPECT_EQ(bench.progress.back(), (Progress{1724, 1724, "pass-channel order table"}));
    EXPECT_EQ(HexByteAt(bench.snapshot.Area(kSettingsAddress, kSettingsBlocks), 0x00), before[0]);
    EXPECT_EQ(HexByteAt(bench.snapshot.Area(kDtmfAddress, kDtmfBlocks), 5),
              before[kDtmfAddress + 5]);
  }
}

TEST(WriteAllTest, FailuresAndTheUncheckedOrderTable) {
  // clang-format off
  struct Case { const char* what; int refused_address; Outcome outcome; bool title_written, channels_written; };
  const Case cases[] = {
      {"bank sizes refused", 0x00200, ErrorOutcome(OutcomeIcon::kNone), true, false},
      {"settings refused", 0x00040, ErrorOutcome(), false, false},
      {"channel 7 refused", ChannelAddress(7), ErrorOutcome(), true, true},
      {"an order record refused", 0x00C08, CompleteOutcome(), true, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    bench.radio.memory().fill(0xFF);
    bench.image.title = "AB";
    bench.radio.set_faults(RefuseWriteAt(c.refused_address));
    EXPECT_EQ(Box(bench.Run(TransferCommand::kWriteAll)), Box(c.outcome)) << c.what;
    const SimRadio::Memory& m = bench.radio.memory();
    EXPECT_EQ(std::pair(m[kTitleAddress] == 0x41, m[size_t(ChannelAddress(1))] == 0x00),
              std::pair(c.title_written, c.channels_written))
        << c.what;
  }
}

TEST(ChannelCommandsTest, SelectionAndThePassChannelRule) {
  // clang-format off
  struct Case { TransferCommand command; int first, last; Outcome outcome; size_t block_commands; double maximum; };
  const Case cases[] = {
      {TransferCommand::kOneMemoryWrite, 1400, 1410, PassRuleOutcome(), 0, 0},
      {TransferCommand::kOneMemoryWrite, 1404, 1503, CompleteOutcome(), 201, 201},
      {TransferCommand::kOneMemoryWrite, 1300, 1600, CompleteOutcome(), 402, 402},
      {TransferCommand::kOneMemoryWrite, 1, 5, CompleteOutcome(), 5, 5},
      {TransferCommand::kOneMemoryRead, 30, 10, CompleteOutcome(), 21, 21},
      {TransferCommand::kOneMemoryRead, 1500, 1410, CompleteOutcome(), 91, 91},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    Outcome outcome = bench.Run(c.command, c.first, c.last);
    EXPECT_EQ(outcome, c.outcome) << c.first << ".." << c.last;
    EXPECT_EQ(bench.BlockCommands().size(), c.block_commands) << c.first << ".." << c.last;
    if (c.block_commands == 0)
      EXPECT_TRUE(bench.radio.commands().empty()) << "not even the identification";
    else
      EXPECT_EQ(bench.progress.front().maximum + bench.progress.back().value, 2 * c.maximum);
  }
}

TEST(AreaCommandsTest, OutcomesAndProgressOfTheSingleAreaCommands) {
  // clang-format off
  struct Case { TransferCommand command; SimFaults faults; Outcome outcome; std::vector<double> values; };
  const Case cases[] = {
      {TransferCommand::kBankRead, {}, SuccessOutcome(), {50, 100}},
      {TransferCommand::kBankRead, NoReadReplyAt(0x00200), ErrorOutcome(OutcomeIcon::kNone), {50}},
      {TransferCommand::kBankRead, StopAfter(0), ErrorOutcome(), {}},
      {TransferCommand::kBankWrite, RefuseWriteAt(0x00240), ErrorOutcome(OutcomeIcon::kNone), {50}},
      {TransferCommand::kTitleWrite, RefuseWriteAt(0x001A0), ErrorOutcome(), {50}},
      {TransferCommand::kOneTouchRead, {}, SuccessOutcome(), {50, 100}},
      {TransferCommand::kSettingsRead, {}, SuccessOutcome(), {0, 20, 40, 60, 80, 100}},
      {TransferCommand::kSettingsWrite, RefuseWriteAt(0x01100), ErrorOutcome(), {0, 20, 40}},
      {TransferCommand::kGroupsWrite, {}, CompleteOutcome(), {}},
      {TransferCommand::kGlyphsReadAll, NoReadReplyAt(0x01040), ErrorOutcome(), {0, 1, 2}},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    bench.radio.set_faults(c.faults);
    EXPECT_EQ(Box(bench.Run(c.command)), Box(c.outcome)) << static_cast<int>(c.command);
    std::vector<double> values;
    for (const Progress& p : bench.progress) values.push_back(p.value);
    EXPECT_EQ(values, c.values) << static_cast<int>(c.command);
    EXPECT_FALSE(bench.link.IsOpen());
  }
}

TEST(TransferFrameTest, PortFailureAndCancelEndWithoutTheUsualMessage) {
  Bench broken;
  const std::string open_error =
      "permission denied on /dev/ttyUSB0: add your user to the dialout group";
  broken.transport.set_open_error(open_error);
  Outcome outcome = broken.Run(TransferCommand::kReadAll);
  EXPECT_EQ((outcome.shown ? "shown " : "") + outcome.detail, open_error);

  // A cancel says where it stopped and, for a write, what the radio now holds.
  // The user cancels at the given channel progress value.
  // clang-format off
  struct Case { TransferCommand command; double cancel_at; const char* detail; };
  const Case cases[] = {
      {TransferCommand::kReadAll, 10,
       "stopped by the user while reading channel 11 (address 01480)."},
      {TransferCommand::kWriteAll, 9,
       "stopped by the user while writing channel 10 (address 01440). The radio now holds the "
       "new data up to channel 9 and its old data from channel 10 on; write again to finish."},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    std::atomic<bool> cancel = false;
    bench.link.set_cancel_flag(&cancel);
    TransferContext context{bench.link, bench.image, [&cancel, &c](const Progress& p) {
                              if (p.maximum >= 1623 && p.value == c.cancel_at) cancel = true;
                            }};
    bench.radio.memory() = ScrambledMemory(3);
    Outcome cancelled = RunTransfer(TransferRequest{c.command}, context);
    EXPECT_EQ(Box(cancelled), Box(CancelledOutcome()));
    EXPECT_EQ(cancelled.detail, c.detail);
    EXPECT_FALSE(bench.link.IsOpen());
    // The areas already read keep their contents.
    const MemoryImage& image = bench.image;
    EXPECT_TRUE(c.command != TransferCommand::kReadAll ||
                (image.language == kEnglish && image.channel(10).used && !image.channel(11).used));
  }
}

TEST(TransferDetailTest, EveryFailureSaysWhichStepAndWhatTheRadioAnswered) {
  using C = TransferCommand;
  const OutcomeIcon kX = OutcomeIcon::kCritical, kNo = OutcomeIcon::kNone;
  // clang-format off
  struct Case { TransferCommand command; SimFaults faults; OutcomeIcon icon; std::vector<std::string> fragments;
                std::function<void(Bench&)> setup = nullptr; int first = 1, last = 1; };
  const Case cases[] = {
      {C::kReadAll, StopAfter(0), kX, {"identification as model option J failed: neither \"ZR~TQ-M5\" nor \"ZR~TQ-M5J\" was answered \"OK\" (the radio did not answer \"ZR~TQ-M5J\" within 40 ms)",
                                       "Check the cable, the port and the model option."}},
      {C::kBankRead, DropLeadingCrLf(), kX,
       {R"("ZR~TQ-M5T" was not answered "OK" (the radio's reply to "ZR~TQ-M5T" was not framed)", R"(by CR LF: "OK\x0D\x0A"))"},
       [](Bench& b) { b.radio = SimRadio(kTqM5T); SelectModelOption(b.image, ModelOption::kT); }},
      {C::kReadAll, NoReadReplyAt(0x00040), kX, {R"(reading the settings area: the radio did not answer "ZR~F00040R" within 40 ms.)"}},
      {C::kReadAll, NoReadReplyAt(0x00240), kNo, {R"(reading the bank sizes: the radio did not answer "ZR~F00240R")"}},
      {C::kReadAll, NoReadReplyAt(0x13E00), kX, {R"(reading channel 1102 (address 13E00): the radio did not answer "ZR~F13E00R")"}},
      {C::kReadMemories, NoReadReplyAt(0x1A780), kX, {"reading channel 1623 (address 1A780)"}},
      {C::kWriteAll, RefuseWriteAt(0x00180), kX, {R"(writing the one-touch keys: the radio answered "ZR~F00180W..." with "NG" instead)",
          "The settings area, the memory write protection, the DTMF area and the title were written; the one-touch keys and everything after were not: write again to finish."}},
      {C::kWriteAll, RefuseWriteAt(0x00000), kX, {"Nothing was written: the radio still holds its old data."}},
      {C::kWriteAll, RefuseWriteAt(0x00040), kX, {R"(writing the settings area: the radio answered "ZR~F00040W..." with "NG" instead)",
          "The settings area was partly written, and nothing after it: write again to finish."}},
      {C::kWriteAll, RefuseWriteAt(0x00240), kNo, {R"(writing the bank sizes: the radio answered "ZR~F00240W..." with "NG")"}},
      {C::kWriteAll, RefuseWriteAt(0x01060), kX, {"writing user glyph 3:", "the bank-link groups and user glyphs 0 to 2 were written; user glyph 3 and everything after were not"}},
      {C::kWriteAll, RefuseWriteAt(0x0DCC0), kX, {R"(writing channel 812 (address 0DCC0): the radio answered "ZR~F0DCC0W..." with "NG")",
          "The radio now holds the new data up to channel 811 and its old data from channel 812 on; write again to finish."}},
      // The 15th command line, after the identification and the reads and writes of the
      // settings, write protection and DTMF areas, writes the title; its reply is noise.
      {C::kWriteAll, GarbleAfter(14), kX, {R"(writing the title: the radio's reply to "ZR~F001A0W..." was malformed: "\xDA\xD2)",
          "and the DTMF area were written; the title may be partly written, and nothing after it: write again to finish."}},
      {C::kSettingsWrite, RefuseWriteAt(0x01140), kX, {R"(writing the DTMF area: the radio answered "ZR~F01140W..." with "NG" instead of "OK".)",
          "the memory write protection were written; the DTMF area was partly written, and nothing after it: write again to finish."}},
      {C::kTitleWrite, StopAfter(1), kX, {R"(writing the title: the radio did not answer "ZR~F001A0W..." within 40 ms.)"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    if (c.setup) c.setup(bench);
    bench.radio.set_faults(c.faults);
    Outcome outcome = bench.Run(c.command, c.first, c.last);
    EXPECT_EQ(Box(outcome), Box(ErrorOutcome(c.icon))) << c.fragments[0];
    for (const std::string& fragment : c.fragments) {
      EXPECT_NE(outcome.detail.find(fragment), std::string::npos)
          << "missing: " << fragment << "\n in: " << outcome.detail;
    }
  }
}

// What would stop a write part-way is found before the port opens: nothing reaches the radio,
// not even the identification.
TEST(TransferDetailTest, AWriteThatCouldNotFinishSendsNothing) {
  using C = TransferCommand;
  const std::string banks = "bank sizes add up to 990, not 1000: nothing was sent.";
  const std::string link = "bank-link group 3 is \"12\", not 16 hex digits: nothing was sent.";
  auto short_bank = [](Bench& b) { b.image.bank_sizes[0] -= 10; };
  auto bad_link = [](Bench& b) { b.image.bank_link_hex[3] = "12"; };
  // clang-format off
  struct Case { TransferCommand command; std::function<void(Bench&)> setup; OutcomeIcon icon; std::string detail; };
  const Case cases[] = {
      {C::kWriteAll, short_bank, OutcomeIcon::kNone, banks}, {C::kBankWrite, short_bank, OutcomeIcon::kNone, banks},
      {C::kWriteAll, bad_link, OutcomeIcon::kCritical, link}, {C::kGroupsWrite, bad_link, OutcomeIcon::kCritical, link},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    c.setup(bench);
    Outcome outcome = bench.Run(c.command);
    EXPECT_EQ(Box(outcome), Box(ErrorOutcome(c.icon))) << c.detail;
    EXPECT_EQ(outcome.detail.substr(0, c.detail.size()), c.detail);
    EXPECT_TRUE(bench.radio.commands().empty()) << c.detail;
  }
  Bench bench;
  bench.image.bank_sizes[0] -= 10;  // the banks do not matter to a write of the channels
  EXPECT_EQ(bench.Run(C::kWriteMemories), CompleteOutcome());
}

// A write that stops at channel 22 of 10..30 says what the radio holds, and the radio holds
// that: the new data (empty records) before it, the old data (0xFF) after it, and in channel
// 22 the new data when its reply was lost after the radio stored it.
TEST(ChannelCommandsTest, AStoppedWriteSaysWhatTheRadioHolds) {
  // clang-format off
  struct Case { const char* what; SimFaults faults; std::string note; int last_new; };
  const Case cases[] = {
      {"reply garbled", GarbleAfter(13), "The radio now holds the new data for channels 10 to 21, "
       "either the new or the old data in channel 22 and its old data for channels 23 to 30; write again to finish.", 22},
      {"write refused", RefuseWriteAt(ChannelAddress(22)), "The radio now holds the new data for "
       "channels 10 to 21 and its old data for channels 22 to 30; write again to finish.", 21},
      {"hung up before", HangUpAfter(13), "The radio now holds the new data for channels 10 to 21 "
       "and its old data for channels 22 to 30; write again to finish.", 21},
  };
  // clang-format on
  for (const Case& c : cases) {
    Bench bench;
    bench.radio.memory().fill(0xFF);
    bench.radio.set_faults(c.faults);
    Outcome outcome = bench.Run(TransferCommand::kOneMemoryWrite, 10, 30);
    EXPECT_TRUE(outcome.detail.starts_with("writing channel 22 (address 01740): ") &&
                outcome.detail.ends_with(c.note))
        << c.what << ": " << outcome.detail;
    for (int n = 10; n <= 30; ++n) {
      EXPECT_EQ(bench.radio.memory()[static_cast<size_t>(ChannelAddress(n))],
                n <= c.last_new ? 0x00 : 0xFF)
          << c.what << ", channel " << n;
    }
  }
}

}  // namespace
}  // namespace tqm5
