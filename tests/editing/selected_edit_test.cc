#include "editing/selected_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "model/banks.h"
#include "support/channel_cells.h"

namespace tqm5 {
namespace {

using ::tqm5::testing::Cells;
using ::tqm5::testing::CellsOf;

void Use(MemoryImage& image, int number, uint32_t hertz, std::string name = "") {
  Channel& channel = image.channel(number);
  channel.blank = false, channel.used = true, channel.frequency_hz = hertz;
  channel.mode = Modulation::kFm, channel.tone_mode = ToneMode::kNone;
  channel.name = std::move(name);
}

// Channel 1 "OLD" on 145 MHz, 2 empty, 3 kept but not in use, the dual pair 0 on 145.5 (kept but
// not in use) and 433.5 MHz, pass channels 0 and 1 on 145 and 146 MHz; the call and bug-detector
// channels as at start-up (CALL-VHF 145, CALL-UHF 433 MHz).
MemoryImage Image() {
  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  Use(image, 1, 145000000, "OLD");
  Use(image, 3, 146000000);
  image.channel(3).used = false;
  Use(image, 1101, 145500000);
  image.channel(1101).used = false;  // editing its sub channel must not put it in use
  Use(image, 1102, 433500000);
  Use(image, 1404, 145000000);
  Use(image, 1405, 146000000);
  return image;
}

TEST(SelectedEditTest, SetsTheTickedFieldsThroughTheDialogsRulesAndListsRefusals) {
  struct Case {
    const char* what;
    SelectedEdit edit;
    std::vector<int> numbers;
    std::vector<int> changed;
    std::vector<std::pair<int, std::string>> refused;
  };
  // The ticked fields and the form's values for them.
  auto edit = [](std::initializer_list<EditField> ticked, auto set) {
    SelectedEdit e;
    set(e.form);
    for (EditField field : ticked) e.Tick(field);
    return e;
  };
  const std::string kNotInUse = "not in use: only a frequency puts a channel in use";
  const std::string kAmWfm = "AM and WFM are not available on call and dual channels";
  using enum EditField;
  // clang-format off
  const Case cases[] = {
      {"tone", edit({kToneMode, kTxTone}, [](ChannelForm& f) { f.tone_mode = 1, f.tx_tone = 12; }),
       {1, 2, 3, 1102, 1402, 1605}, {1, 1102, 1402},
       {{2, kNotInUse}, {3, kNotInUse}, {1605, "bug-detector channels are not edited"}}},
      {"frequency", edit({kFrequency}, [](ChannelForm& f) { f.freq_mhz = "433", f.freq_fraction = "5"; }),
       {1, 3, 1401, 1402, 1405}, {1, 3, 1402, 1405}, {{1401, "433.50000MHz is outside its band"}}},
      {"overlap", edit({kFrequency}, [](ChannelForm& f) { f.freq_mhz = "145"; }), {1405}, {},
       {{1405, "Overlaps in Frequency"}}},
      {"mode", edit({kMode}, [](ChannelForm& f) { f.mode = 1; }), {1, 1102, 1401}, {1},
       {{1102, kAmWfm}, {1401, kAmWfm}}},
      {"range", edit({kFrequency}, [](ChannelForm& f) { f.freq_mhz = "1300"; }), {1}, {},
       {{1, "The frequency 1300.00000 MHz is out of range 0.53099..1299.99999 MHz."}}},
      {"name", edit({kName}, [](ChannelForm& f) { f.name = "ABCDEFGHIJKLMNOPQ"; }), {1}, {},
       {{1, "The name \"ABCDEFGHIJKLMNOPQ\" is longer than the radio's 16 bytes."}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryImage image = Image();
    const MemoryImage before = image;
    SelectedEditReport report = EditSelectedChannels(image, c.numbers, c.edit);
    EXPECT_EQ(report.changed, c.changed);
    EXPECT_EQ(report.refused, c.refused);
    // Refused channels, and the other row of a dual pair, stay as they were.
    for (int n = 1; n <= kChannelCount; ++n) {
      if (std::find(c.changed.begin(), c.changed.end(), n) != c.changed.end()) continue;
      EXPECT_EQ(image.channel(n), before.channel(n)) << n;
    }
  }
}

TEST(SelectedEditTest, FieldsNotTickedStayAndAnEmptyChannelTakesTheDialogsDefaults) {
  // On the "T" model the dialog would show a train tone as "None"; untouched, it stays.
  MemoryImage image = Image();
  SelectModelOption(image, ModelOption::kT);
  image.channel(1).step_index = 7;
  image.channel(1).tone_mode = ToneMode::kTrain;
  SelectedEdit edit;
  edit.form.freq_mhz = "430", edit.form.freq_fraction = "02", edit.form.tx_tone = 12;
  edit.Tick(EditField::kFrequency), edit.Tick(EditField::kTxTone);
  ASSERT_EQ(EditSelectedChannels(image, {1, 2}, edit).changed, (std::vector<int>{1, 2}));
  EXPECT_EQ(CellsOf(image.channel(1)),
            (Cells{"430.02000MHz", "FM", "25KHz", "ＪＲ", "Train", "100.0Hz", "88.5Hz", "023",
                   "Off", "0.000MHz", "", "OLD"}));
  EXPECT_EQ(CellsOf(image.channel(2)),
            (Cells{"430.02000MHz", "FM", "5KHz", "ＪＲ", "None", "100.0Hz", "88.5Hz", "023", "Off",
                   "0.000MHz", "", ""}));
  EXPECT_TRUE(image.channel(2).used);
  EXPECT_EQ(image.channel(2).label, "Bank00-001");
}

TEST(SelectedEditTest, TypingInACellTakesTheBoxesRules) {
  struct Case {
    int column;
    const char* text;
    std::string refusal;
    std::string cell;  // the cell of channel 1 afterwards
  };
  const Case cases[] = {
      {kColFreq, "145.5", "", "145.50000MHz"},
      {kColFreq, "438.12345MHz", "", "438.12345MHz"},
      {kColFreq, "145,5", "The frequency takes up to 4 digits, a point and up to 5 digits.", ""},
      {kColFreq, "0.5", "The frequency 0.50000 MHz is out of range 0.53099..1299.99999 MHz.", ""},
      {kColShiftFreq, "0.6", "", "0.600MHz"},
      {kColMode, "nfm", "", "NFM"},
      {kColMode, "USB", "\"USB\" is not a mode.", ""},
      {kColStep, "12.5", "", "12.5KHz"},
      {kColTxTone, "100.0", "", "100.0Hz"},
      {kColDcs, "754", "", "754"},
      {kColShift, "-", "", "-"},
      {kColSkip, "*", "", "*"},
      {kColName, "RPT ONE", "", "RPT ONE"},
      {kColName, "ABCDEFGHIJKLMNOPQ", "The name holds at most 16 bytes.", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CellEdit cell = CellTextEdit(c.column, c.text, true);
    EXPECT_EQ(cell.refusal, c.refusal);
    if (!cell.refusal.empty()) continue;
    MemoryImage image = Image();
    EXPECT_EQ(EditSelectedChannels(image, {1}, cell.edit).changed, std::vector<int>{1});
    EXPECT_EQ(CellText(image.channel(1), c.column), c.cell);
  }
  EXPECT_EQ(CellTextEdit(kColToneMode, "train", false).refusal,
            "Train tones exist on the \"J\" model only.");
}

TEST(FillFrequenciesTest, FillsTheNextEmptyChannelsOfTheBankOrTheSelection) {
  MemoryImage image = Image();
  std::string refusal;
  EXPECT_EQ(FillTargets(image, {1}, 3, refusal), (std::vector<int>{2, 4, 5}));
  EXPECT_EQ(FillTargets(image, {5, 9, 12}, 2, refusal), (std::vector<int>{5, 9}));
  EXPECT_EQ(FillTargets(image, {100}, 2, refusal), std::vector<int>{});
  EXPECT_EQ(refusal,
            "bank 0 has 1 empty channel(s) from the selected row on; 2 were asked for. Nothing "
            "was changed.");

  const std::string kTenHertz =
      "Channels hold frequencies in steps of 10 Hz (five digits after the point).";
  for (auto [start, step, why] :
       {std::tuple{"145", "0.025", ""},
        {"145.000001", "0", kTenHertz.c_str()},
        {"145", "0.00001", ""},
        {"145", "0.000005", kTenHertz.c_str()},
        {"1300", "0",
         "The start frequency \"1300\" is not a frequency in megahertz from "
         "0.53099 to 1299.99999."},
        {"145", "-1", "The step \"-1\" is not a number of megahertz."}}) {
    FillRequest request;
    EXPECT_EQ(ReadFillRequest(start, step, 2, "", request), why) << start << " " << step;
  }
  FillRequest request;
  ReadFillRequest("433", "0.025", 3, "RPT {n}", request);
  SelectedEditReport report = FillFrequencies(image, {2, 4, 1401}, request);
  EXPECT_EQ(report.changed, (std::vector<int>{2, 4}));
  EXPECT_EQ(report.refused,
            (std::vector<std::pair<int, std::string>>{{1401, "433.05000MHz is outside its band"}}));
  EXPECT_EQ(CellText(image.channel(2), kColFreq) + CellText(image.channel(2), kColName) + "|" +
                CellText(image.channel(4), kColFreq) + CellText(image.channel(4), kColName),
            "433.00000MHzRPT 1|433.02500MHzRPT 2");
  EXPECT_EQ(SelectedEditSummary(image, report),
            "2 channel(s) changed. 1 not changed:\nCALL-VHF: 433.05000MHz is outside its band");
}

}  // namespace
}  // namespace tqm5
