#include "files/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "files/text_file.h"
#include "image/hex.h"
#include "image/vocabulary.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "support/channel_cells.h"
#include "support/files.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

// The channel line of the example channel: 145 MHz, FM, step 0, carrier 28, no tone, tones 8
// and 8, DCS 0, shift "+" by 0.600 MHz, not skipped, no name.
constexpr std::string_view kExampleLine = "CH00000145.0000000028008080001000.6000";
constexpr std::string_view kHeader = "Save Date and Time 2026/01/02 03:04:05";

// A scratch folder of its own, removed at the end.
struct TempDir {
  TempDir() { fs::create_directories(path); }
  ~TempDir() { fs::remove_all(path); }
  std::string File(const std::string& name) const { return (path / name).string(); }
  fs::path path = testing::TempPath("project");
};

using testing::FileBytes;
using testing::ReadFile;

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// A used channel with the grid's texts for the given indices (step, carrier, tx, rx, DCS).
Channel MakeChannel(std::string freq, std::string mode, std::array<int, 5> index,
                    std::string tone_mode, std::string shift, std::string offset, bool skip,
                    std::string name) {
  auto [step, train, tx, rx, dcs] = index;
  Channel ch;
  testing::SetCells(ch, {freq, mode, std::string(kStepList[step]), std::string(kTrainList[train]),
                         tone_mode, std::string(kToneList[tx]), std::string(kToneList[rx]),
                         std::string(kDcsList[dcs]), shift, offset, skip ? "*" : "", name});
  ch.used = true;
  return ch;
}

TEST(ProjectFileTest, ChannelLines) {
  Channel grid_forms = MakeChannel("1295.00000MHz", "WFM", {15, 0, 38, 0, 103}, "DCS", "－",
                                   "10.000MHz", false, "東京Ａ1");
  grid_forms.skip = Skip::kYesMark;
  // clang-format off
  const std::pair<Channel, std::string> cases[] = {
      {MakeChannel("145.00000MHz", "FM", {0, 28, 8, 8, 0}, "None", "+", "0.600MHz", false, ""),
       std::string(kExampleLine)},
      {grid_forms, "CH00001295.0000031500438001032010.0001東京Ａ1"},
      {MakeChannel("50.12500MHz", "NFM", {3, 20, 0, 12, 5}, "Train", "Off", "0.000MHz", true, ":1~"),
       "CH00000050.1250020320500120050000.0001:1~"},
      {MakeChannel("433.00000MHz", "AM", {1, 1, 1, 2, 3}, "TSQ", "-", "5.000MHz", false, ""),
       "CH00000433.0000010101201020032005.0000"},
      {MakeChannel("7.00000MHz", "", {0, 0, 0, 0, 0}, "SQ", "Off", "0.000MHz", false, ""),
       "CH00000007.0000000000300000000000.0000"},
  };
  // clang-format on
  for (const auto& [channel, line] : cases) {
    MemoryImage image;
    image.channel(1) = channel;
    EXPECT_EQ(BuildChannelLine(image, 0), line);
  }
}

// The frequency and offset fields hold the channel's values. A value its field cannot hold (an
// offset of 1000 MHz or more, as a record may carry, or finer than the field) refuses the line and
// the save, naming the channel and the grid text; the file on disk stays as it was.
TEST(ProjectFileTest, FrequencyFieldsHoldTheChannelsValues) {
  // The expected frequency and offset fields joined by "|", nullptr when refused with the text
  // quoted. Frequency 0 stands for an empty cell.
  // clang-format off
  struct Case { uint32_t hertz, offset; const char* fields; const char* quoted = nullptr; };
  const Case cases[] = {
      {145000000, 600000, "0145.00000|000.600"}, {145012500, 5000000, "0145.01250|005.000"},
      {1299999990, 999995000, "1299.99999|999.995"}, {530990, 0, "0000.53099|000.000"},
      {4294967290, 999999000, "4294.96729|999.999"}, {0, 0, "0000.00000|000.000"},
      {145000001, 600000, nullptr, "145.00000MHz"}, {145000000, 1000000000, nullptr, "1000.000MHz"},
      {145000000, 600500, nullptr, "0.600MHz"},
  };
  // clang-format on
  TempDir dir;
  std::string path = dir.File("kept.M5");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hertz) + " " + std::to_string(c.offset));
    MemoryImage image;
    image.channel(12) =
        MakeChannel("145MHz", "FM", {0, 28, 8, 8, 0}, "None", "+", "0.6", false, "");
    image.channel(12).frequency_hz = c.hertz;
    if (c.hertz == 0) image.channel(12).frequency_hz.reset();
    image.channel(12).offset_hz = c.offset;
    std::string error, line = BuildChannelLine(image, 11, &error);
    std::ofstream(path, std::ios::binary) << "old";
    bool saved = SaveProject(image, path, error);
    if (c.fields != nullptr) {
      std::string fields = c.fields;
      EXPECT_EQ(line, "CH0011" + fields.substr(0, 10) + "00028008080001" + fields.substr(11) + "0");
      EXPECT_TRUE(saved) << error;
      continue;
    }
    EXPECT_EQ(line + (saved ? "saved" : "") + ReadFile(path), "old");
    EXPECT_TRUE(error.find("channel 12") != std::string::npos &&
                error.find("\"" + std::string(c.quoted) + "\"") != std::string::npos)
        << error;
  }
}

// Keys of the lines in order, runs of one key counted once.
std::vector<std::string> KeyOrder(const std::vector<std::string>& lines) {
  std::vector<std::string> keys;
  for (const std::string& line : lines) {
    if (keys.empty() || keys.back() != line.substr(0, 2)) keys.push_back(line.substr(0, 2));
  }
  return keys;
}

TEST(ProjectFileTest, WrittenLines) {
  MemoryImage start_up;
  start_up.com_port_number = 7;
  std::vector<std::string> lines = ProjectLines(start_up, "Sa");
  EXPECT_EQ(KeyOrder(lines), (std::vector<std::string>{"Sa", "CH", "BK", "ON", "SE", "TI", "SL",
                                                       "GR", "SD", "FO", "LI", "CO", "Fi"}));
  // clang-format off
  std::vector<std::string> expected = {"BK0000" + Repeat("100", 10), "ONETOUCH_BANK" + Repeat("255", 9),
      "ONETOUCH_CHDA" + Repeat("000", 9), "SET_DTMF001005005002000", "TITLE", "GRI" + std::string(50, '0'),
      "COMPORT07", "File End"};
  // clang-format on
  for (int g = 0; g <= 10; ++g) expected.push_back("GRD" + ZeroPad(g, 2) + std::string(50, '0'));
  auto missing = [&lines](const std::vector<std::string>& wanted) {
    std::string text;
    for (const std::string& w : wanted)
      text += std::count(lines.begin(), lines.end(), w) ? "" : w + "\n";
    return text;
  };
  EXPECT_EQ(missing(expected), "");
  std::vector<size_t> sd_lengths;
  for (const std::string& line : lines) {
    if (line.substr(0, 2) == "SD") sd_lengths.push_back(line.size());
  }
  EXPECT_EQ(sd_lengths, (std::vector<size_t>{52, 13, 43, 7, 10, 7, 28, 34, 10, 43, 22, 7}));

  MemoryImage image;
  image.bank_sizes.fill(0);
  image.bank_sizes[2] = 998, image.bank_sizes[5] = image.bank_sizes[49] = 1;
  RebuildUsedBanks(image);  // used banks 2, 5, 49
  image.one_touch[0] = {false, 1, 0}, image.one_touch[4] = {false, 0, 997};
  image.one_touch[8] = {false, 2, 0};
  image.dtmf = {{"", "", "1234#", "", "", "", "", "", "0123456789ABCD*#"}, 10, 9, 22, 0, 8};
  image.settings[{SettingGroup::kPower, 0}] = 1, image.settings[{SettingGroup::kPower, 1}] = 2;
  image.group_file_table[3][0] = image.group_file_table[3][49] = 1;
  image.group_file_table[3][7] = 2;  // only 1 is written as "1"
  image.title = "ＴＱ東京";
  lines = ProjectLines(image, "");
  // clang-format off
  expected = {"BK0000000000998000000001" + Repeat("000", 4), "BK0004" + Repeat("000", 9) + "001",
              "ONETOUCH_BANK005255255255002255255255049", "ONETOUCH_CHDA000000000000997000000000000",
              "NUM_DTMF0031234#", "NUM_DTMF0090123456789ABCD*#", "SET_DTMF010009022000008",
              "TITLEＴＱ東京", "GRD031" + std::string(48, '0') + "1", "SD02001002000"};
  // clang-format on
  EXPECT_EQ(missing(expected), "");
}

// An image using everything the file keeps, in the given variant.
MemoryImage RichImage(ModelOption option, bool whole_bank) {
  MemoryImage image;
  SelectModelOption(image, option);
  bool j = option == ModelOption::kJ;
  std::string glyph = j ? "①" : ":1~";
  // clang-format off
  image.channel(1) = MakeChannel("145.00000MHz", "FM", {0, 28, 8, 8, 0}, "None", "+", "0.600MHz", false, "");
  image.channel(2) = MakeChannel("1295.12500MHz", "WFM", {15, 27, 38, 1, 103}, j ? "Train" : "DCS",
                                 "-", "20.000MHz", true, "東京タワー" + glyph);
  image.channel(1000) = MakeChannel("0.53099MHz", "AM", {4, 0, 0, 38, 55}, "TSQ", "Off", "0.000MHz", false, "ABC");
  image.channel(1101) = MakeChannel("433.00000MHz", "NFM", {1, 5, 12, 12, 0}, "Tone", "Off", "0.000MHz", false,
                                    Repeat("東", 16));
  image.channel(1402) = MakeChannel("430.00000MHz", "FM", {2, 20, 3, 4, 5}, "SQ", "+", "5.000MHz", false, "ｶﾅ");
  // clang-format on
  image.bank_sizes.fill(0);
  if (whole_bank)
    image.bank_sizes[23] = 1000;
  else
    image.bank_sizes[0] = 500, image.bank_sizes[7] = 300, image.bank_sizes[49] = 200;
  RebuildRowLabels(image);
  RebuildUsedBanks(image);
  image.one_touch[1] = {false, whole_bank ? 0 : 1, 299};
  image.one_touch[8] = {false, 0, 5};
  image.title = "ＴＱ東" + glyph;
  // The language item is kept apart from the variant.
  if (j) image.language = kEnglish, image.settings[kLanguageItem] = kEnglish;
  image.settings[{SettingGroup::kKey, 12}] = image.settings[{SettingGroup::kChMode, 0}] = 1;
  image.title_scroll = 1;
  image.dtmf = {{"", "", "1234#", "", "", "", "", "", "0123456789ABCD*#"}, 10, 0, 22, 7, 8};
  image.font_bits[0][0][0] = image.font_bits[7][15][15] = image.font_bits[3][8][4] = 1;
  image.bank_link_hex[4] = "0123456789ABCDEF";
  image.group_file_table[10][49] = image.group_file_flags[25] = 1;
  return image;
}

// The lines of a whole project file of `image`, without the lines that start with one of
// `dropped`, and with `inserted` as lines 2, 3, ...
std::vector<std::string> WholeFile(const MemoryImage& image,
                                   const std::vector<std::string>& dropped,
                                   const std::vector<std::string>& inserted) {
  std::vector<std::string> lines = ProjectLines(image, std::string(kHeader));
  std::erase_if(lines, [&dropped](const std::string& line) {
    return std::any_of(dropped.begin(), dropped.end(),
                       [&line](const std::string& d) { return line.starts_with(d); });
  });
  lines.insert(lines.begin() + 1, inserted.begin(), inserted.end());
  return lines;
}

std::string ProblemLines(const std::vector<FileProblem>& problems) {
  std::string text;
  for (const FileProblem& p : problems) text += FileProblemText(p) + "\n";
  return text;
}

// The one-touch lines meet the bank sizes of the whole file, even when they come first; a key
// on a bank not in use, or on a channel beyond its bank, is reported.
TEST(ProjectFileTest, OneTouchKeysFollowTheBankLinesAndExtraLinesLoad) {
  MemoryImage image;
  image.one_touch[3] = {false, 1, 7};
  const std::string zeros = Repeat("000", 10);  // used banks 2, 5, 49
  std::vector<std::string> lines = WholeFile(
      MemoryImage(), {"BK", "ONETOUCH", "SD01", "LINK04", "FONT2"},
      {"ONETOUCH_BANK005255049003002100255255255", "ONETOUCH_CHDA000000001000997000998000000",
       "BK0000000000998000000001" + Repeat("000", 4), "BK0001" + zeros, "BK0002" + zeros,
       "BK0003" + zeros, "BK0004" + Repeat("000", 9) + "001", "SD01001" + std::string(45, '0'),
       "LINK040123456789abcdef", "FONT2ff" + std::string(62, '0')});
  std::vector<FileProblem> problems;
  EXPECT_TRUE(LoadProjectLines(image, lines, &problems).success);
  std::string keys;
  for (const OneTouchKey& k : image.one_touch) {
    keys += std::to_string(k.no_setting) + ":" + std::to_string(k.bank_position) + ":" +
            std::to_string(k.channel_position) + " ";
  }
  EXPECT_EQ(keys, "0:1:0 1:0:0 0:2:0 1:0:0 0:0:997 1:0:0 1:0:0 1:0:0 1:0:0 ");
  EXPECT_EQ(ProblemLines(problems),
            "line 2, ONETOUCH_BANK \"003\": key 4: bank 3 is not a bank in use; loaded as No "
            "Setting\n"
            "line 2, ONETOUCH_BANK \"100\": key 6: bank 100 is not a bank in use; loaded as No "
            "Setting\n"
            "line 3, ONETOUCH_CHDA \"001\": key 3: channel 1 is beyond the 1 channels of bank 49; "
            "loaded as channel 0\n");
  EXPECT_EQ(image.language, kEnglish);
  EXPECT_EQ(image.bank_link_hex[4], "0123456789ABCDEF");
  EXPECT_EQ(image.font_bits[2][0][0] + image.font_bits[2][7][0] + image.font_bits[2][8][0], 2);
}

// Sizes of any total load as they were, with the row labels of those sizes: memories beyond
// the total belong to no bank.
TEST(ProjectFileTest, BankSizesOfAnyTotalLoadWithTheirRowLabels) {
  MemoryImage image, loaded;
  image.bank_sizes.fill(0);
  image.bank_sizes[3] = 500, image.bank_sizes[7] = 400;
  RebuildUsedBanks(image);
  EXPECT_EQ(LoadProjectLines(loaded, ProjectLines(image, std::string(kHeader))).text, "Read File");
  EXPECT_EQ(loaded.bank_sizes, image.bank_sizes);
  std::string labels;
  for (int n : {1, 500, 501, 900, 901, 1000, 1001}) labels += loaded.channel(n).label + "|";
  EXPECT_EQ(labels, "Bank03-000|Bank03-499|Bank07-000|Bank07-399|No bank|No bank|PRG - 0A|");
}

// Everything a load can change.
bool SameImage(const MemoryImage& a, const MemoryImage& b) {
  return ProjectLines(a, "") == ProjectLines(b, "") && a.channels == b.channels &&
         a.used_banks == b.used_banks && a.language == b.language;
}

// A file that is not a whole project is refused and changes nothing: one cut short, of another
// kind, or without a line the writer always writes.
TEST(ProjectFileTest, ABrokenOrIncompleteFileIsRefusedAndChangesNothing) {
  TempDir dir;
  const std::string header(kHeader), example(kExampleLine), end = "File End";
  const MemoryImage source = RichImage(ModelOption::kJ, true);
  const std::string full = FileBytes(ProjectLines(source, header));
  auto without = [&source](const std::string& dropped) {
    return FileBytes(WholeFile(source, {dropped}, {}));
  };
  const std::string refused = "This File don't Open/Error";
  const std::string no_header =
      "not a project file: the first line is not \"Save Date and Time ...\"";
  const std::string cut = "the file is cut short: no \"File End\" line at the end";
  const std::string incomplete = "incomplete project file: no line for ";
  // clang-format off
  struct Case { std::string bytes; std::string message; std::string detail; };
  const Case cases[] = {
      {"", refused, "the file is empty"},
      {"\r\n\r\n", refused, "the file is empty"},
      {FileBytes({"TITLEx", example, end}), refused, no_header},
      {FileBytes({header}), refused, cut},
      {full.substr(0, full.size() / 2), refused, cut},
      {FileBytes({header, example, end, "TITLEafter"}), refused, cut},
      {FileBytes({header, end}), refused,
       incomplete + "SD01..SD11, BK0000..BK0004, ONETOUCH_BANK, ONETOUCH_CHDA, SET_DTMF, TITLE"},
      {without("ALLBANK"), refused, incomplete + "BK0000..BK0004"},
      {without("SD05"), refused, incomplete + "SD05"},
      {without("TITLE"), refused, incomplete + "TITLE"},
      {full, "Read File/Finish", ""},
      {full + "\r\n\r\n", "Read File/Finish", ""},
  };
  // clang-format on
  std::string path = dir.File("broken.M5");
  for (const Case& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    const MemoryImage before = RichImage(ModelOption::kJ, false);
    MemoryImage image = before;
    std::vector<FileProblem> problems;
    Outcome outcome = LoadProject(image, path, &problems);
    EXPECT_EQ(outcome.text + "/" + outcome.title + "|" + outcome.detail,
              c.message + "|" + c.detail);
    EXPECT_EQ(outcome.icon, OutcomeIcon::kNone);
    EXPECT_EQ(ProblemLines(problems), "");
    EXPECT_TRUE(SameImage(image, outcome.success ? source : before)) << c.detail;
  }
}

// Every line of a whole file that the loader cannot take exactly as it stands is reported with
// what was taken instead. Each case puts its lines at line 2 of the start-up image's file, in
// place of the lines starting with `dropped`.
TEST(ProjectFileTest, EveryLineNotTakenExactlyIsReported) {
  const std::string example = "CH0010" + std::string(kExampleLine.substr(6));  // channel 11
  auto ch = [&example](size_t position, std::string_view text) {
    return example.substr(0, position - 1) + std::string(text) +
           example.substr(position - 1 + text.size());
  };
  const std::string east_16 = Repeat("東", 16), east_17 = east_16 + "東";
  const std::string ch11 = "line 2, channel 11, ", emptied = "; channel emptied";
  const std::string out_of_range = ": out of range 0.53099..1299.99999 MHz" + emptied;
  // clang-format off
  struct Case { std::vector<std::string> lines; std::string dropped; std::string problems; ModelOption model = ModelOption::kJ; };
  const Case cases[] = {
      {{example}, "-", ""},
      {{ch(7, "1300.00000")}, "-", ch11 + "Freqency \"1300.00000\"" + out_of_range},
      {{ch(7, "9999.99999")}, "-", ch11 + "Freqency \"9999.99999\"" + out_of_range},
      {{ch(31, "999.999")}, "-", ch11 + "Shift-Freq \"999.999\": out of range 0..999.995 MHz" + emptied},
      {{example + east_17}, "-", ch11 + "Name \"" + east_17 + "\": 17 characters, the radio holds 16; "
       "loaded as \"" + east_16 + "\""},
      {{example + "A\U0001F600Ω髙B"}, "-", ch11 + "Name \"A\U0001F600Ω髙B\": characters the radio cannot "
       "show: \"\U0001F600\", \"Ω\", \"髙\"; loaded as \"AB\""},
      {{example + "A\xFF"}, "-", ch11 + "Name \"A\uFFFD\": characters the radio cannot show: an invalid "
       "byte; loaded as \"A\""},
      {{example + "A" + std::string(1, 0) + "B"}, "-", ch11 + "Name \"A\\x00B\": characters the radio "
       "cannot show: character code 0; loaded as \"AB\""},
      {{ch(22, "5")}, "-", ch11 + "Tone/DCS \"5\": Train: the radio of model option T has no train "
       "tones; loaded as None", ModelOption::kT},
      {{ch(7, "0830.00000")}, "-", ch11 + "Freqency \"0830.00000\": the radio of model option T cannot "
       "hold 824..849.99999 or 869..894.99999 MHz and is sent an empty channel in its place; loaded as "
       "it is", ModelOption::kT},
      {{ch(27, "104")}, "-", ch11 + "DCS \"104\": 104 is not in the list (0..103); loaded as 023"},
      {{ch(11, "5")}, "-", ch11.substr(0, ch11.size() - 2) + ": channel line: position 11 should be "
       "\".\", found \"5\"; not loaded" + emptied},
      {{"CH1623" + example.substr(6)}, "-", "line 2: channel number 1624 is beyond 1623; not loaded"},
      {{example, ch(7, "0146.00000")}, "-", "line 3, channel 11: a second line for channel 11 (the first "
       "is line 2); this line counts"},
      {{"TITLE" + east_17}, "TITLE", "line 2, TITLE \"" + east_17 + "\": 17 characters, the radio holds "
       "16; loaded as \"" + east_16 + "\""},
      {{"TITLEΩA"}, "TITLE", "line 2, TITLE \"ΩA\": characters the radio cannot show: \"Ω\"; loaded as "
       "\"A\""},
      {{"NUM_DTMF003" + std::string(17, '1')}, "-", "line 2, NUM_DTMF003 \"" + std::string(17, '1') +
       "\": 17 digits, the radio holds 16; memory 3 left empty"},
      {{"NUM_DTMF00312a4"}, "-", "line 2, NUM_DTMF003 \"12a4\": characters that are not DTMF digits "
       "(0-9, A-D, *, #, -): \"a\"; memory 3 left empty"},
      {{"NUM_DTMF0101"}, "-", "line 2: not a NUM_DTMF line of a memory 001..009 and its digits; not loaded"},
      {{"SET_DTMF011005005002000"}, "SET_DTMF", "line 2, SET_DTMF \"011\": Wait position 11 is beyond "
       "the list (0..10); kept as it was"},
      {{"FONT0" + std::string(63, 'F')}, "FONT0", "line 2: not a FONT line of a glyph 0..7 and 64 hex "
       "digits; not loaded, the glyph keeps what it held"},
      {{"LINK00" + std::string(15, 'F') + "X"}, "LINK00", "line 2: not a LINK line of a group 00..10 and "
       "16 hex digits; not loaded, the bank-link group keeps what it held"},
      {{"SD12002"}, "SD12", "line 2, SD12 \"002\": item 0: choice 2 is beyond its list (0..1); kept as "
       "it was"},
      {{"SD1200"}, "SD12", "line 2: SD12 should be 7 characters, 3 digits per choice; not loaded, its "
       "settings keep what they held"},
      // A required line that does not load still counts as there: the file is not refused.
      {{"SD05"}, "SD05", "line 2: SD05 should be 10 characters, 3 digits per choice; not loaded, its "
       "settings keep what they held"},
      {{"SLIDE2"}, "SLIDE", "line 2: not \"SLIDE0\" or \"SLIDE1\"; not loaded, the title's scroll choice "
       "keeps what it held"},
      {{"BK0001" + Repeat("100", 9) + "10"}, "BK0001", "line 2: not a bank line of \"BK000\", a line "
       "0..4 and ten sizes of 3 digits; not loaded, banks 10..19 keep their sizes"},
      {{"ONETOUCH_BANK012" + Repeat("255", 8)}, "ONETOUCH_BANK", "line 2, ONETOUCH_BANK \"012\": key 1: "
       "bank 12 is not a bank in use; loaded as No Setting"},
      // Thirty digits in a row: checked one by one, never summed into an int.
      {{"BK0004" + Repeat("999", 10)}, "BK0004", ""},
      {{"GRD11" + std::string(50, '0')}, "-", "line 2: not a GRD line of a group 00..10 and 50 flags 0 "
       "or 1; not loaded"},
      {{"X"}, "-", "line 2: a line the loader does not know, \"X\"; ignored"},
      {{""}, "FONT", "no line for FONT0..FONT7; the glyphs keep what they held"},
  };
  // clang-format on
  for (const Case& c : cases) {
    MemoryImage image;
    SelectModelOption(image, c.model);
    std::vector<FileProblem> problems;
    Outcome outcome = LoadProjectLines(image, WholeFile(image, {c.dropped}, c.lines), &problems);
    EXPECT_EQ(outcome.text, "Read File") << c.lines[0];
    EXPECT_EQ(ProblemLines(problems), c.problems.empty() ? "" : c.problems + "\n") << c.lines[0];
  }
}

// What a channel line loads as, reported or not (the reports are tested above).
TEST(ProjectFileTest, ChannelLineEdgeCases) {
  std::string fixed(kExampleLine);
  // clang-format off
  struct Case { std::string line; bool model_j, used; int column; std::string text; };
  const Case cases[] = {
      {fixed, false, true, kColName, ""}, {fixed + "A漢B①", true, true, kColName, "AB①"},
      {fixed.substr(0, 21) + "5" + fixed.substr(22), true, true, kColToneMode, "Train"},
      {fixed.substr(0, 21) + "5" + fixed.substr(22), false, true, kColToneMode, "None"},
      {fixed.substr(0, 16) + "9" + fixed.substr(17), false, true, kColMode, "FM"},
      {fixed.substr(0, 29) + "7" + fixed.substr(30), false, true, kColShift, "Off"},
      {fixed.substr(0, 37) + "1", false, true, kColSkip, "*"},
      {fixed.substr(0, 6) + "0007.12345" + fixed.substr(16), false, true, kColFreq, "7.12345MHz"},
      {fixed.substr(0, 6) + "1300.00000" + fixed.substr(16), false, false, kColFreq, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    MemoryImage image;
    SelectModelOption(image, c.model_j ? ModelOption::kJ : ModelOption::kT);
    image.channel(1).name = "old";
    std::vector<FileProblem> problems;
    ParseChannelLine(image, c.line, problems);
    EXPECT_EQ(std::pair(image.channel(1).used, CellText(image.channel(1), c.column)),
              std::pair(c.used, c.text))
        << c.line;
  }
}

TEST(ProjectFileTest, FileCommands) {
  TempDir dir;
  std::string error;
  for (const char* name : {"a.txt", "a.m5"}) {
    EXPECT_EQ(SaveProjectCommand(RichImage(ModelOption::kJ, false), dir.File(name)).text,
              "Save File");
  }
  const std::string bytes = ReadFile(dir.File("a.m5"));
  EXPECT_EQ(bytes.substr(0, 19) + bytes.substr(bytes.size() - 10),
            "Save Date and Time File End\r\n");
  EXPECT_NE(bytes.find("\r\nTITLE\x82\x73\x82\x70\x93\x8C\x87\x40\r\n"), std::string::npos);
  MemoryImage image;
  image.channel(3).used = true;  // not in the file: a load that ran clears it
  Outcome outcome = LoadProject(image, dir.File("a.txt"));
  EXPECT_EQ((outcome.shown ? "shown " : "") + outcome.text + "/" + outcome.title,
            "shown This File don't Open/Error");
  outcome = LoadProject(image, dir.File("missing.M5"));
  EXPECT_FALSE(outcome.shown || outcome.detail.empty());
  EXPECT_TRUE(image.channel(3).used);
  EXPECT_EQ(LoadProject(image, dir.File("a.m5")).text, "Read File");
  EXPECT_FALSE(image.channel(3).used);

  // A failed save leaves the old file whole: the target here is a folder.
  std::string folder = dir.File("folder.M5");
  fs::create_directory(folder);
  std::ofstream(folder + "/inside") << "kept";
  outcome = SaveProjectCommand(image, folder);
  EXPECT_EQ(outcome.text + "/" + outcome.title, "Error/ Error");
  EXPECT_FALSE(outcome.icon != OutcomeIcon::kCritical || outcome.detail.empty());
  EXPECT_EQ(ReadFile(folder + "/inside"), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace tqm5
