#include "editing/channel_edit.h"

#include <gtest/gtest.h>

#include "support/channel_cells.h"

namespace tqm5 {
namespace {

using Texts = testing::Cells;

// A used channel of hand-written texts, columns 1..12, and its index bytes.
void SetRow(Channel& channel, const Texts& texts, std::array<uint8_t, 5> indexes) {
  testing::SetCells(channel, texts);
  channel.step_index = indexes[0], channel.tx_tone_index = indexes[1];
  channel.rx_tone_index = indexes[2], channel.dcs_index = indexes[3];
  channel.train_index = indexes[4], channel.used = true;
}

// A used FM channel on 145 MHz named "OLD", with index bytes {0, 8, 8, 0, 28}.
// clang-format off
const Texts kOldRow = {"145.00000MHz", "FM", "5KHz", "ＪＲ", "None", "88.5Hz",
                                             "88.5Hz", "023", "Off", "0.000MHz", "", "OLD"};

TEST(ChannelDialogTest, OpensOnTheMainRowAndNeverOnBugDetectors) {
  for (auto [row, opened] : {std::pair{1, 1}, {1101, 1101}, {1102, 1101}, {1299, 1299},
       {1300, 1299}, {1301, 1301}, {1603, 1603}, {1604, 0}, {1605, 0}, {1623, 0}}) {
    EXPECT_EQ(DialogChannelForRow(row), opened) << row;
  }
}
// clang-format on

TEST(ChannelDialogTest, FillsEachColumnFromItsRow) {
  // Index bytes: step, tx, rx, DCS, carrier. Label and AM/WFM rule are checked apart.
  struct Case {
    int number;
    ModelOption model;
    Texts texts;
    std::array<uint8_t, 5> indexes;
    ChannelForm expected;
  };
  // clang-format off
  const Case cases[] = {
      {7, ModelOption::kJ, {"1295.12345MHz", "AM", "25KHz", "ＪＲ", "Train", "67.0Hz", "250.3Hz",
       "754", "＋", "123.456MHz", "*", "東京"}, {7, 0, 38, 103, 28},
       {.freq_mhz = "1295", .freq_fraction = "12345", .name = "東京", .skip = true, .mode = 1,
        .step = 7, .tone_mode = 5, .tx_tone = 0, .rx_tone = 38, .dcs = 103, .train = 28,
        .shift = 1, .offset_mhz = "123", .offset_khz = "456"}},
      {8, ModelOption::kT, {"7.00500MHz", "WFM", "5KHz", "300Hz", "Train", "88.5Hz", "88.5Hz",
       "023", "－", "0.600MHz", "※", ""}, {0, 8, 8, 0, 0},
       {.freq_mhz = "7", .freq_fraction = "00500", .skip = true, .mode = 3, .tone_mode = 0,
        .train = 0, .shift = 2, .offset_mhz = "0", .offset_khz = "600"}},
      {9, ModelOption::kOther, {"45.12340MHz", "NFM", "1MHz", "ＪＲ", "DCS", "88.5Hz", "88.5Hz",
       "023", "Off", "12.500MHz", "", ""}, {15, 8, 8, 0, 28},
       {.freq_mhz = "45", .freq_fraction = "12340", .mode = 2, .step = 15, .tone_mode = 4,
        .offset_mhz = "12", .offset_khz = "500"}},
      // Empty cells leave the boxes empty or select the first buttons; so does an offset wider
      // than the boxes (a record may hold one).
      {10, ModelOption::kJ, {"", "", "5KHz", "ＪＲ", "", "88.5Hz", "88.5Hz", "023", "Off",
       "1000.000MHz", "", ""}, {0, 8, 8, 0, 28}, {}},
  };
  // clang-format on
  for (const auto& [number, model, texts, indexes, expected] : cases) {
    SCOPED_TRACE(number);
    MemoryImage image;
    SelectModelOption(image, model);
    SetRow(image.channel(number), texts, indexes);
    ChannelDialogState dialog = OpenChannelDialogState(image, number);
    ChannelForm form = dialog.columns[0];
    form.label.clear();
    EXPECT_EQ(form, expected) << number;
    EXPECT_EQ(std::pair(dialog.train_visible, dialog.dual),
              std::pair(model == ModelOption::kJ, false));
  }

  // A dual pair shows its sub channel in the second column; call and dual channels refuse AM
  // and WFM.
  MemoryImage image;
  image.channel(1104).blank = false;
  image.channel(1104).frequency_hz = 433500000;
  ChannelDialogState dual = OpenChannelDialogState(image, 1103);
  EXPECT_EQ((dual.dual ? "dual " : "") + dual.columns[0].label + "|" + dual.columns[1].label +
                dual.columns[1].freq_mhz + dual.columns[1].freq_fraction,
            "dual Dual1(Main) |Dual1(Sub) 43350000");
  EXPECT_EQ(std::tuple(dual.columns[0].am_wfm_enabled, dual.columns[1].am_wfm_enabled,
                       OpenChannelDialogState(image, 1402).columns[0].am_wfm_enabled,
                       OpenChannelDialogState(image, 1404).columns[0].am_wfm_enabled),
            std::tuple(false, false, false, true));
}

TEST(ChannelDialogTest, TypingAndLeavingRules) {
  // Digit boxes of `width` digits; width 0 is the name box, whose width rule is the radio
  // text's. 8 is Backspace, 22 Ctrl+V.
  const std::string k16(16, 'A');
  // clang-format off
  for (auto [text, c, width, accepted] : {std::tuple{std::string("123"), char32_t{U'4'}, 4, true},
       {"1234", U'5', 4, false}, {"", U'a', 4, false}, {"12345", 8, 5, true}, {"", 22, 0, false},
       {k16, 8, 0, true}, {k16, U'Q', 0, false}}) {
    EXPECT_EQ(width ? DigitBoxAccepts(text, c, width) : NameBoxAccepts(text, c), accepted)
        << text << " + " << uint32_t{c};
  }
  for (auto [typed, left] : {std::pair{"", "0"}, {"007", "7"}, {"000", "0"}, {"12", "12"},
       {"1a2", "12"}}) {
    EXPECT_EQ(LeaveOffsetMhz(typed), left) << typed;
  }
  for (auto [typed, mhz, left] : {std::tuple{"", "0", "000"}, {"12", "5", "120"},
       {"123", "5", "123"}, {"1234", "5", "000"}, {"996", "999", "995"}, {"995", "999", "995"}, {"999", "998", "999"}, {"9", "999", "900"}, {"x7", "1", "700"}}) {
    // clang-format on
    EXPECT_EQ(LeaveOffsetKhz(typed, mhz), left) << typed;
  }
}

TEST(ChannelDialogTest, OkCleansTheBoxesAndDecidesTheResult) {
  // Stored: the frequency text; empty: the channel is emptied.
  // clang-format off
  for (auto [number, mhz, fraction, stored, mhz_after, fraction_after] : {std::tuple{1, "145",
      "5", "145.50000", "145", "50000"}, {1, "0", "53099", "0.53099", "0", "53099"},
      {1, "0", "53098", "", "", ""}, {1, "1300", "00000", "", "", ""}, {1, "", "", "", "", ""},
      {1, "1301", "", "145.00000", "145", "00000"}, {1, "0145", "1", "145.10000", "145", "10000"},
      {1402, "145", "00000", "433.00000", "433", "00000"},
      {1401, "136", "00000", "136.00000", "136", "00000"}, {1401, "135", "99999", "145.00000", "145", "00000"},
      {1401, "169", "99999", "169.99999", "169", "99999"},
      {1401, "170", "", "145.00000", "145", "00000"}, {1403, "", "", "1295.00000", "1295", "00000"},
      // Dual channels keep the megahertz box as typed.
      {1101, "0145", "0", "0145.00000", "0145", "00000"}, {1101, "", "", "", "", ""}}) {
    // clang-format on
    MemoryImage image;
    ChannelDialogState dialog = OpenChannelDialogState(image, number);
    dialog.columns[0].freq_mhz = mhz;
    dialog.columns[0].freq_fraction = fraction;
    ChannelEdit edit = ConfirmChannelDialog(dialog);
    EXPECT_EQ(edit.buffers[0].frequency, stored) << number << " " << mhz << "/" << fraction;
    EXPECT_EQ(dialog.columns[0].freq_mhz + "/" + dialog.columns[0].freq_fraction,
              std::string(mhz_after) + "/" + fraction_after);
    EXPECT_EQ(edit.used[0], *stored != '\0');
    int single = *stored == '\0' ? kEditNothing : kEditSingle;
    EXPECT_EQ(edit.result,
              number == 1101 ? (*stored == '\0' ? kEditBothEmptied : kEditSubEmptied) : single);
  }

  // Offsets: boxes of the wrong length fall back, and so does an offset above 999.995 MHz. The
  // name keeps what the radio can show.
  // clang-format off
  for (auto [mhz, khz, name, stored] : {std::tuple{"999", "995", "A東😀B", "999.995|A東B"},
       {"999", "999", "", "0.000|"}, {"", "5", "", "0.5|"}, {"1000", "000", "", "0.000|"},
       {"12", "", "", "12.000|"}, {"7", "600", "", "7.600|"}}) {
    // clang-format on
    MemoryImage image;
    ChannelDialogState dialog = OpenChannelDialogState(image, 1);
    dialog.columns[0].freq_mhz = "145";
    dialog.columns[0].offset_mhz = mhz, dialog.columns[0].offset_khz = khz;
    dialog.columns[0].name = name;
    ChannelEdit edit = ConfirmChannelDialog(dialog);
    EXPECT_EQ(edit.buffers[0].offset + "|" + edit.buffers[0].form.name, stored)
        << mhz << "/" << khz;
  }
}

TEST(ApplyChannelEditTest, WritesTheRowsAsTheDialogLeftThem) {
  MemoryImage image;
  ChannelDialogState dialog = OpenChannelDialogState(image, 5);
  ChannelForm& form = dialog.columns[0];
  // clang-format off
  form = {.freq_mhz = "430", .freq_fraction = "0125", .name = "NAME", .skip = true, .mode = 2,
          .step = 3, .tone_mode = 2, .tx_tone = 12, .rx_tone = 24, .dcs = 93, .train = 28,
          .shift = 2, .offset_mhz = "5", .offset_khz = "000"};
  // clang-format on
  ASSERT_EQ(ApplyChannelEdit(image, ConfirmChannelDialog(dialog)).shown, false);
  const Channel& written = image.channel(5);
  EXPECT_EQ(testing::CellsOf(written),
            (Texts{"430.01250MHz", "NFM", "10KHz", "ＪＲ", "TSQ", "100.0Hz", "151.4Hz", "654", "-",
                   "5.000MHz", "*", "NAME"}));
  // Step, tones and DCS index bytes, and the channel in use.
  EXPECT_EQ(std::vector<int>({written.step_index, written.tx_tone_index, written.rx_tone_index,
                              written.dcs_index, written.used}),
            std::vector<int>({3, 12, 24, 93, 1}));

  // Emptying a single channel leaves its texts and only marks it unused.
  dialog = OpenChannelDialogState(image, 5);
  form.freq_mhz.clear(), form.freq_fraction.clear(), form.name = "OTHER";
  ApplyChannelEdit(image, ConfirmChannelDialog(dialog));
  EXPECT_EQ(image.channel(5).name + (image.channel(5).used ? " used" : ""), "NAME");
}

TEST(ApplyChannelEditTest, PassChannelsMayNotRepeatAFrequency) {
  // A used channel on 145.00000MHz, the channel edited to 145.00000, whether they overlap: pass 7
  // and pass 3; the channel itself; priority channels are not checked, nor do they count.
  // clang-format off
  for (auto [other, edited, overlaps] : {std::tuple{1411, 1407, true}, {1407, 1407, false},
       {1311, 1307, false}, {1305, 1407, false}}) {
    // clang-format on
    MemoryImage image;
    SetRow(image.channel(other), kOldRow, {0, 8, 8, 0, 28});
    image.channel(edited).name = "KEPT";
    ChannelDialogState dialog = OpenChannelDialogState(image, edited);
    dialog.columns[0].freq_mhz = "145";
    dialog.columns[0].name = "NEW";
    Outcome outcome = ApplyChannelEdit(image, ConfirmChannelDialog(dialog));
    std::string shown = outcome.shown ? outcome.text + "|" + outcome.title : "not shown";
    if (outcome.icon != OutcomeIcon::kNone) shown += "|with an icon";
    EXPECT_EQ(std::tuple(shown, image.channel(edited).used, image.channel(edited).name),
              std::tuple(overlaps ? "Overlaps in Frequency| Error" : "not shown", !overlaps,
                         overlaps ? "KEPT" : "NEW"))
        << edited;
  }
  MemoryImage image;
  image.channel(1404).used = true;
  image.channel(1404).blank = false;
  image.channel(1404).frequency_hz = 145010000;
  EXPECT_FALSE(PassFrequencyOverlaps(image, 1405, "145.00000"));
  EXPECT_TRUE(PassFrequencyOverlaps(image, 1405, "145.01099"));  // compared to the kilohertz
}

TEST(ApplyChannelEditTest, DualPairsEmptyAndWriteTheirSubRow) {
  // Both rows start as kOldRow; the fields not typed keep its texts.
  const Texts empty{};
  Texts main_kept = kOldRow, set = kOldRow, main_set = kOldRow;
  main_kept[11] = main_set[11] = "M", set[11] = "S";
  set[0] = "433.00000MHz", main_set[0] = "430.00000MHz";
  // clang-format off
  for (auto [main_on, sub_on, result, main_after, sub_after] : {std::tuple{false, true,
       kEditMainEmptied, empty, set}, {true, false, kEditSubEmptied, main_set, empty},
       {true, true, kEditBothSet, main_set, set},
       {false, false, kEditBothEmptied, main_kept, empty}}) {
    // clang-format on
    MemoryImage image;
    SetRow(image.channel(1101), kOldRow, {0, 8, 8, 0, 28});
    SetRow(image.channel(1102), kOldRow, {0, 8, 8, 0, 28});
    ChannelDialogState dialog = OpenChannelDialogState(image, 1101);
    ChannelForm &main = dialog.columns[0], &sub = dialog.columns[1];
    main.freq_mhz = main_on ? "430" : "", main.freq_fraction = main_on ? "0" : "", main.name = "M";
    sub.freq_mhz = sub_on ? "433" : "", sub.freq_fraction = sub_on ? "0" : "", sub.name = "S";
    ChannelEdit edit = ConfirmChannelDialog(dialog);
    EXPECT_EQ(edit.result, result);
    ApplyChannelEdit(image, edit);
    EXPECT_EQ(
        std::tuple(testing::CellsOf(image.channel(1101)), testing::CellsOf(image.channel(1102)),
                   image.channel(1101).used, image.channel(1102).used),
        std::tuple(main_after, sub_after, main_on, sub_on))
        << result;
    // An emptied row takes index bytes 0, not the empty channel's defaults.
    if (result != kEditBothSet) {
      const Channel& emptied = image.channel(result == kEditMainEmptied ? 1101 : 1102);
      EXPECT_EQ(emptied.tx_tone_index + emptied.train_index, 0) << result;
    }
  }
}

}  // namespace
}  // namespace tqm5
