#include "editing/channel_list_edit.h"

#include <gtest/gtest.h>

#include <tuple>

#include "model/banks.h"

namespace tqm5 {
namespace {

// Banks of 3 and 4 channels, then one of 993: rows 1..3 are bank 0, rows 4..7 bank 1. Each
// letter is a used channel of that name on its own frequency; "-" is an empty row.
MemoryImage SmallBanks(const std::string& rows) {
  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[0] = 3, image.bank_sizes[1] = 4, image.bank_sizes[2] = 993;
  RebuildRowLabels(image);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == '-') continue;
    Channel& channel = image.channel(static_cast<int>(i) + 1);
    channel.blank = false, channel.used = true;
    channel.name = std::string(1, rows[i]);
    channel.frequency_hz = 145000000 + 10000 * static_cast<uint32_t>(rows[i]);
  }
  return image;
}

// Rows 1..7 as letters, each checked to carry its own frequency and its row's label.
std::string Rows(const MemoryImage& image) {
  std::string rows;
  for (int n = 1; n <= 7; ++n) {
    const Channel& channel = image.channel(n);
    EXPECT_EQ(channel.label, BankRowLabel(n <= 3 ? 0 : 1, n <= 3 ? n - 1 : n - 4));
    if (IsEmptyChannel(channel)) {
      rows += '-';
      continue;
    }
    rows += channel.name;
    EXPECT_EQ(*channel.frequency_hz, 145000000 + 10000 * static_cast<uint32_t>(channel.name[0]));
  }
  return rows;
}

TEST(ChannelRunTest, BanksCutTheMemoriesAndEveryOtherRoleIsARunOfItsOwn) {
  MemoryImage image = SmallBanks("");
  image.bank_sizes[2] = 0;  // total 7: rows 8..1000 belong to no bank
  const char* kBeyond = "the memories beyond the banks";
  // clang-format off
  const std::pair<int, ChannelRun> cases[] = {{1, {1, 3, "bank 0"}}, {3, {1, 3, "bank 0"}},
      {4, {4, 7, "bank 1"}}, {8, {8, 1000, kBeyond}}, {1000, {8, 1000, kBeyond}},
      {1100, {1001, 1100, "the program-scan edges"}}, {1102, {1101, 1300, "the dual pairs", true}},
      {1400, {1301, 1400, "the priority channels"}}, {1401, {1401, 1403, "the call channels", true}},
      {1503, {1404, 1503, "the pass channels"}}, {1504, {1504, 1603, "the TSF channels"}},
      {1623, {1604, 1623, "the bug-detector channels", true}}};
  // clang-format on
  for (const auto& [number, run] : cases) EXPECT_EQ(RunOfChannel(image, number), run) << number;
}

TEST(ChannelListEditTest, MovesInsertsAndDeletesWithinTheBank) {
  enum Op { kUp, kDown, kInsert, kDelete };
  struct Case {
    Op op;
    std::vector<int> selected;
    std::string after;  // rows 1..7, or the refusal
    std::vector<int> selection;
  };
  const char* kStart = "AB-DEF-";
  const std::string kKept =
      "keeps its place: dual pairs, call channels and bug-detector channels are not moved.";
  // clang-format off
  const Case cases[] = {
      {kUp, {2}, "BA-DEF-", {1}}, {kUp, {5, 6}, "AB-EFD-", {4, 5}},
      {kDown, {4, 6}, "AB-ED-F", {5, 7}}, {kDown, {1, 2}, "-ABDEF-", {2, 3}},
      // Nothing crosses from one bank into the next.
      {kUp, {4}, "Bank01-000 is the first row of bank 1: channels move only within it.", {}},
      {kDown, {2, 3}, "Bank00-002 is the last row of bank 0: channels move only within it.", {}},
      {kInsert, {1}, "-ABDEF-", {1}}, {kInsert, {1, 5}, "-ABD-EF", {1, 5}},
      {kInsert, {5, 6}, "Inserting 2 empty row(s) would push Bank01-002 out of bank 1: empty or "
       "delete a channel at its end first.", {}},
      {kDelete, {1}, "B--DEF-", {1}}, {kDelete, {4, 6}, "AB-E---", {4, 6}},
      // Dual pairs, call and bug-detector channels keep their places.
      {kUp, {7, 1102}, "Dual0(Sub) " + kKept, {}}, {kInsert, {1402}, "CALL-UHF " + kKept, {}},
      {kDelete, {1605}, "BUG - 1 " + kKept, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.op << " " << ::testing::PrintToString(c.selected));
    MemoryImage image = SmallBanks(kStart);
    const MemoryImage before = image;
    ListEditResult result = c.op == kUp       ? MoveChannels(image, c.selected, -1)
                            : c.op == kDown   ? MoveChannels(image, c.selected, 1)
                            : c.op == kInsert ? InsertEmptyRows(image, c.selected)
                                              : DeleteAndCloseGap(image, c.selected);
    if (result.done) {
      EXPECT_EQ(Rows(image), c.after);
      EXPECT_EQ(result.selection, c.selection);
    } else {
      EXPECT_EQ(result.refusal, c.after + " Nothing was changed.");
      EXPECT_TRUE(image == before);
    }
  }
}

TEST(ChannelListEditTest, AChannelKeptButNotInUseMovesWholeAndIsNeverPushedOut) {
  MemoryImage image;
  Channel& pass = image.channel(1503);
  pass.blank = false, pass.used = false, pass.frequency_hz = 433000000;
  ASSERT_TRUE(MoveChannels(image, {1503}, -1).done);
  const Channel& moved = image.channel(1502);
  EXPECT_EQ(moved.label + "|" + CellText(moved, kColFreq) + "|" + (moved.used ? "used" : "") + "|" +
                image.channel(1503).label + CellText(image.channel(1503), kColFreq),
            "PASS - 98|433.00000MHz||PASS - 99");
  ASSERT_TRUE(MoveChannels(image, {1502}, 1).done);
  EXPECT_EQ(InsertEmptyRows(image, {1404}).refusal,
            "Inserting 1 empty row(s) would push PASS - 99 out of the pass channels: empty or "
            "delete a channel at its end first. Nothing was changed.");
}

TEST(ChannelListEditTest, SortPutsEmptyChannelsLastAndFindGoesRound) {
  // Rows 4..7: "z" on 146.22, "E" on 145.69 without its name, an empty row, "a" on 145.97.
  MemoryImage image = SmallBanks("AB-zE-a");
  image.channel(5).name.clear();
  auto bank1 = [](const MemoryImage& sorted) {
    std::string cells;
    for (int n = 4; n <= 7; ++n) cells += CellText(sorted.channel(n), kColFreq) + "|";
    return cells;
  };
  for (auto [key, expected] :
       {std::pair{SortKey::kName, "145.97000MHz|146.22000MHz|145.69000MHz||"},
        std::pair{SortKey::kFrequency, "145.69000MHz|145.97000MHz|146.22000MHz||"}}) {
    MemoryImage sorted = image;
    ASSERT_TRUE(SortRun(sorted, 6, key).done);
    EXPECT_EQ(bank1(sorted), expected);
    EXPECT_EQ(sorted.channel(7).label, "Bank01-003");
  }
  EXPECT_FALSE(SortRun(image, 1401, SortKey::kName).done);

  for (auto [text, after, found] : {std::tuple{"Z", 0, 4},
                                    {"a", 4, 7},
                                    {"a", 7, 1},
                                    {"146.22", 0, 4},
                                    {"145.97000MHz", 0, 7},
                                    {"none", 0, 0}}) {
    EXPECT_EQ(FindChannel(image, text, after), found) << text << " after " << after;
  }
}

}  // namespace
}  // namespace tqm5
