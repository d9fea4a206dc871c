#include "files/csv_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "image/channel_numbering.h"
#include "image/vocabulary.h"
#include "support/channel_cells.h"
#include "support/files.h"

namespace tqm5 {
namespace {

using testing::TempPath;
using testing::WriteLines;

// Twelve column texts given in one text, separated by "|".
std::vector<std::string> Columns(std::string_view text) {
  std::vector<std::string> columns;
  for (size_t bar; (bar = text.find('|')) != std::string_view::npos; text.remove_prefix(bar + 1)) {
    columns.emplace_back(text.substr(0, bar));
  }
  columns.emplace_back(text);
  columns.resize(kColName);
  return columns;
}

// Makes `channel` a used channel showing the given texts of columns 1..12.
void Fill(Channel& channel, const std::vector<std::string>& columns) {
  ClearChannel(channel);
  channel.used = true;
  testing::Cells cells;
  std::copy(columns.begin(), columns.end(), cells.begin());
  testing::SetCells(channel, cells);
}

// An image with about a third of its channels used, every field drawn at random.
MemoryImage RandomImage(unsigned seed) {
  using Texts = std::vector<std::string_view>;
  std::mt19937 random(seed);
  auto any = [&random](const auto& list) {
    return "|" + std::string(list[random() % list.size()]);
  };
  MemoryImage image;
  for (int number = 1; number <= kChannelCount; ++number) {
    Channel& channel = image.channel(number);
    ClearChannel(channel);
    if (random() % 3 != 0) continue;
    Fill(
        channel,
        Columns(FrequencyText(530990 + static_cast<uint32_t>(random() % 1299469000)) +
                any(Texts{"FM", "AM", "NFM", "WFM"}) + any(kStepList) + any(kTrainList) +
                any(Texts{"None", "Tone", "TSQ", "SQ", "DCS", "Train"}) + any(kToneList) +
                any(kToneList) + any(kDcsList) + any(Texts{"Off", "+", "-", "＋", "－"}) + "|" +
                OffsetText(static_cast<uint32_t>(random() % 100000000)) + any(Texts{"", "*", "※"}) +
                any(Texts{"", "REPEATER 1", "ｶﾀｶﾅ", "あいう", "愛ＡＢＣ♪", ":3~X", "①②"})));
  }
  return image;
}

bool ImportFinished(const Outcome& outcome) {
  return outcome.shown && outcome.text == "Import CSV File" && outcome.title == " Finish";
}

TEST(CsvFileTest, ExportWritesQuotedCaptionAndChannelLinesInCp932) {
  MemoryImage image;
  Fill(image.channel(1),
       Columns("145.00000MHz|FM|5KHz|ＪＲ|Tone|88.5Hz|88.5Hz|023|+|0.600MHz||愛ｱ,\"Q\""));
  std::string path = TempPath("export.csv");
  Outcome outcome = ExportCsv(image, path);
  EXPECT_EQ(outcome.text + "/" + outcome.title, "Save File/Finish");

  std::string bytes = testing::ReadFile(path);
  const std::string start =
      R"("","Freqency","mode","step","Carrier","Tone/DCS","Tx-tone","Rx-tone","DCS","Shift",)"
      R"("Shift-Freq","Skip","Name","0")"
      "\r\n\"Bank00-000\",\"145.00000\",\"FM\",\"5KHz\","
      "\"\x82\x69\x82\x71\",\"Tone\",\"88.5Hz\",\"88.5Hz\",\"023\",\"+\",\"0.600MHz\",\"\","
      "\"\x88\xa4\xb1,\"\"Q\"\"\",\"1\"\r\n";
  EXPECT_EQ(bytes.substr(0, start.size()), start);
  EXPECT_NE(bytes.find(R"("Bank00-002","","","","","","","","","","","","","3")"
                       "\r\n"),
            std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 9), ",\"1623\"\r\n");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1624);

  EXPECT_FALSE(ExportCsv(image, TempPath("no-such-folder/x.csv")).success);
}

// Channel 5's line with one column changed, and the text that column then shows (with the code
// of that text), or nullptr for a channel emptied by the check, which is reported with its line,
// channel and column. Frequencies with fewer decimals are completed; a trailing "MHz", as the grid
// shows it, is taken in every frequency cell. A name loses the characters the radio cannot show,
// which is reported too.
TEST(CsvFileTest, ImportChecksEveryColumn) {
  const std::string base = "145.00000|FM|10KHz|1000Hz|TSQ|100.0Hz|123.0Hz|065|-|0.600MHz|*|AB";
  // clang-format off
  struct Case { int column; std::string text; const char* shown; };
  const Case cases[] = {
      {kColFreq, "145", "145.00000MHz"}, {kColFreq, "145.0125", "145.01250MHz"}, {kColFreq, "0430", "430.00000MHz"},
      {kColFreq, "145MHz", "145.00000MHz"}, {kColFreq, "145.00000MHz", "145.00000MHz"}, {kColFreq, "MHz", nullptr},
      {kColFreq, "145mhz", nullptr}, {kColFreq, "0.53099", "0.53099MHz"}, {kColFreq, "1299.99999", "1299.99999MHz"},
      {kColFreq, "0.53098", nullptr}, {kColFreq, "1300", nullptr}, {kColFreq, "14a.5", nullptr},
      {kColFreq, "145.123456", nullptr}, {kColFreq, "12345", nullptr}, {kColFreq, ".5", nullptr}, {kColFreq, "145.", nullptr},
      {kColMode, "WFM", "WFM"}, {kColMode, "fm", nullptr}, {kColStep, "12.5KHz", "12.5KHz"}, {kColStep, "12.5kHz", nullptr},
      {kColCarrier, "JR", "JR"}, {kColCarrier, "300Hz", "300Hz"}, {kColCarrier, "3100Hz", nullptr},
      {kColToneMode, "Train", "Train"}, {kColToneMode, "TONE", nullptr}, {kColTxTone, "250.3Hz", "250.3Hz"},
      {kColTxTone, "88.5", nullptr}, {kColRxTone, "67.0Hz", "67.0Hz"}, {kColDcs, "23", "023"}, {kColDcs, "754.0", "754"},
      {kColDcs, "0000731", "731"}, {kColDcs, "24", nullptr}, {kColDcs, "23.5", nullptr},
      {kColDcs, "99999999999999999023", nullptr}, {kColDcs, "", nullptr}, {kColShift, "＋", "＋"}, {kColShift, "－", "－"},
      {kColShift, "off", nullptr}, {kColShiftFreq, "0.6", "0.600MHz"}, {kColShiftFreq, "0.6MHz", "0.600MHz"},
      {kColShiftFreq, "0.60000", "0.600MHz"}, {kColShiftFreq, "999.995MHz", "999.995MHz"}, {kColShiftFreq, "0.6005", nullptr},
      {kColShiftFreq, "999.996", nullptr}, {kColShiftFreq, "-0.6", nullptr}, {kColShiftFreq, "0.6 MHz", nullptr},
      {kColSkip, "※", "※"}, {kColSkip, "", ""}, {kColSkip, "x", nullptr}, {kColName, "AB亜C", "ABC"},
      {kColName, std::string("A\0B\x1F", 4), "AB"},
      {kColName, "♪愛ｱ①:2~", "♪愛ｱ①:2~"}, {kColName, "A,B \"Q\"", "A,B \"Q\""},
      {kColName, "0123456789ABCDEF", "0123456789ABCDEF"}, {kColName, "あいうえおかきく", "あいうえおかきく"},
      {kColName, ":1~:2~:3~:4~:5~:6~:7~:8~", ":1~:2~:3~:4~:5~:6~:7~:8~"}, {kColName, "0123456789ABCDEFG", nullptr},
      {kColName, "あいうえおかきくけ", nullptr},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE("column " + std::to_string(c.column) + " " + c.text);
    std::vector<std::string> file = Columns(base), grid = Columns(base);
    grid[0] += "MHz";
    MemoryImage image;
    Fill(image.channel(5), grid);
    std::vector<std::string> lines = CsvLines(image);
    file[static_cast<size_t>(c.column - 1)] = c.text;
    lines[5] = "\"Bank00-004\"";
    for (std::string field : file) {
      for (size_t q = 0; (q = field.find('"', q)) != std::string::npos; q += 2)
        field.insert(q, 1, '"');
      lines[5] += ",\"" + field + "\"";
    }
    lines[5] += ",\"5\"";
    std::string path = TempPath("edit.csv");
    WriteLines(path, lines);
    std::vector<CsvImportProblem> problems;
    EXPECT_TRUE(ImportFinished(ImportCsv(image, path, &problems)));

    MemoryImage expected;
    if (c.shown == nullptr)
      ClearChannel(expected.channel(5));
    else
      grid[static_cast<size_t>(c.column - 1)] = c.shown, Fill(expected.channel(5), grid);
    EXPECT_TRUE(image == expected);
    std::string reported, wanted;
    for (const CsvImportProblem& p : problems) {
      reported += std::to_string(p.line) + "," + std::to_string(p.channel) +
                  (p.emptied ? ",emptied," : ",") + p.column + "," + p.value + ";";
    }
    if (c.shown == nullptr)
      wanted = "6,5,emptied," + std::string(kColumnCaptions[c.column]) + "," + c.text + ";";
    else if (c.column == kColName && c.text != c.shown)
      wanted = "6,5,Name," + c.text + ";";
    EXPECT_EQ(reported, wanted);
  }
}

// Where the import stops. A file ending before row 1603 stops there without a message: the rows
// read hold what the file gave them, the others stay, nothing is emptied. A file of the caption
// line alone, and a file whose name does not end in "CSV", read no row but go on to the check.
// Channel 1 carries DCS "23" in the file; channel 50 holds a frequency the check refuses.
TEST(CsvFileTest, ImportStopsWhereTheFileEndsAndReadsOnlyCsvNames) {
  MemoryImage source;
  Fill(source.channel(1),
       Columns("433.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||"));
  // A line without frequency empties its whole row.
  source.channel(2).blank = false, source.channel(2).mode = Modulation::kFm;
  // Name, channel lines after the caption line, message ("" for none), channel 1's DCS
  // afterwards ("" when it was not read), channel 50 still used and untouched.
  // clang-format off
  struct Case { const char* name; int rows; const char* result; const char* dcs_1; bool used_50; };
  const Case cases[] = {
      {"a.csv", 0, "Import CSV File", "", false}, {"b.csv", 1, "", "023", true}, {"c.csv", 1602, "", "023", false},
      {"d.CsV", 1603, "Import CSV File", "023", false}, {"f.csv.txt", 1623, "Import CSV File", "", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = CsvLines(source);
    lines[1].replace(lines[1].find("\"023\""), 5, "\"23\"");
    lines.resize(static_cast<size_t>(c.rows) + 1);
    std::string path = TempPath(c.name);
    WriteLines(path, lines);
    MemoryImage image;
    Fill(image.channel(50),
         Columns("1300.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||"));
    image.channel(kFirstBugChannel).frequency_hz = 1300000000;  // never checked
    Fill(image.channel(2),
         Columns("145.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|031|Off|0.000MHz||"));
    MemoryImage before = image;
    Channel expected_2 = before.channel(2);
    if (c.rows >= 2 && *c.dcs_1 != '\0') ClearChannel(expected_2);

    Outcome outcome = ImportCsv(image, path);
    EXPECT_EQ(outcome.text, c.result);
    if (!outcome.shown) {
      EXPECT_NE(outcome.detail.find("line " + std::to_string(c.rows + 2)), std::string::npos);
    }
    EXPECT_EQ(CellText(image.channel(1), kColDcs), c.dcs_1);
    EXPECT_EQ(image.channel(50) == before.channel(50), c.used_50);
    EXPECT_TRUE(image.channel(2) == expected_2 &&
                image.channel(kFirstBugChannel) == before.channel(kFirstBugChannel));
  }
}

TEST(CsvFileTest, UnreadableOrEmptyFileChangesNothing) {
  std::string empty = TempPath("empty.csv");
  WriteLines(empty, {});
  for (const std::string& path : {TempPath("missing.csv"), TempPath("missing.txt"), empty}) {
    MemoryImage image = RandomImage(5);
    MemoryImage before = image;
    Outcome outcome = ImportCsv(image, path);
    EXPECT_FALSE(outcome.shown || outcome.detail.empty()) << path;
    EXPECT_TRUE(image == before) << path;
  }
}

// The caption line must match or have 100 characters, or the whole file is refused. Lines are
// placed by their channel number (leading zeros allowed). A blank line is skipped, a line of the
// wrong field count or with a number that is not the next one is refused (its channel keeps what
// it held), and a channel without a line keeps what it held; each is reported. Lines of the
// bug-detector channels are never read: one that differs from what its channel holds is
// reported (the numbers as a spreadsheet rewrites them do not count), so that no edit vanishes
// unnoticed. Bug-detector channel 1610 holds 145 MHz in the file and the image; channel 1603 and
// bug-detector channel 1604 are empty.
TEST(CsvFileTest, ImportChecksTheCaptionAndPlacesLinesByChannelNumber) {
  using Lines = std::vector<std::string>;
  auto set_last = [](std::string& line, const std::string& field) {
    line = line.substr(0, line.rfind(',') + 1) + field;
  };
  auto caption = [](std::string text) { return [text](Lines& l) { l[0] = text; }; };
  std::string kana_100;
  for (int i = 0; i < 100; ++i) kana_100 += "あ";
  const std::string plain =
      ",Freqency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,Shift-Freq,Skip,Name,0";
  struct Case {
    const char* name;
    std::function<void(Lines&)> edit;
    std::vector<int> kept;                      // channels that keep the image's contents
    std::vector<std::pair<int, int>> problems;  // (file line, channel) of each report
    bool refused = false;                       // the whole file is refused
  };
  // clang-format off
  const Case cases[] = {
      {"captions unquoted", caption(plain), {}, {}}, {"100 characters", caption(std::string(100, 'x')), {}, {}},
      {"100 kana", caption(kana_100), {}, {}}, {"99 characters", caption(std::string(99, 'x')), {}, {}, true},
      {"101 characters", caption(std::string(101, 'x')), {}, {}, true}, {"empty caption", caption(""), {}, {}, true},
      {"Frequency spelled right", caption(",Frequency" + plain.substr(9)), {}, {}, true},
      {"captions quoted but the last", caption(R"(,"Freqency","mode","step","Carrier","Tone/DCS","Tx-tone",)"
       R"("Rx-tone","DCS","Shift","Shift-Freq","Skip","Name",0)"), {}, {}},
      {"two captions in one quote", caption(R"(,"Freqency,mode",step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,)"
       R"(Shift,Shift-Freq,Skip,Name,0)"), {}, {}, true},
      {"blank line after the caption", [](Lines& l) { l.insert(l.begin() + 1, ""); }, {}, {{2, 0}}},
      {"row without its name",
       [](Lines& l) { l[7] = l[7].substr(0, l[7].rfind(",\"", l[7].rfind(",\"") - 1)) + ",7"; }, {7},
       {{8, 7}}},
      {"row of 15 fields", [](Lines& l) { l[7] = "\"x\"," + l[7]; }, {7}, {{8, 7}}},
      {"repeated row", [](Lines& l) { l[8] = l[7]; }, {8}, {{9, 7}, {10, 8}}},
      {"swapped rows", [](Lines& l) { std::swap(l[9], l[10]); }, {9}, {{10, 9}, {11, 9}}},
      {"number not a channel", [&](Lines& l) { set_last(l[11], "x"); }, {11}, {{12, 0}, {13, 11}}},
      {"numbers 2000 and 1603 out of place",
       [&](Lines& l) { set_last(l[1602], "2000"), set_last(l[1603], "\"1604\""); }, {1602, 1603},
       {{1603, 0}, {1604, 1602}, {1605, 1604}}},
      {"bug-detector rows broken or missing", [](Lines& l) { l[1610] = "junk"; l.resize(1620); }, {},
       {{1611, 0}}},
      {"numbers with leading zeros", [&](Lines& l) { set_last(l[2], "00002"), set_last(l[1603], "\"01603\""); },
       {}, {}},
      {"number above 1623 at the end", [&](Lines& l) { l.push_back(l[1623]), set_last(l[1624], "1624"); }, {},
       {{1625, 0}}},
      {"bug-detector row as a spreadsheet saves it",
       [](Lines& l) { l[1610] = "BUG - 6,145,FM,5KHz,ＪＲ,None,88.5Hz,88.5Hz,23,Off,0.6,,,1610"; }, {}, {}},
      {"bug-detector row changed",
       [](Lines& l) { l[1610] = "BUG - 6,145,AM,5KHz,ＪＲ,None,88.5Hz,88.5Hz,23,Off,0.6,,,1610"; }, {},
       {{1611, 1610}}},
  };
  // clang-format on
  MemoryImage source = RandomImage(6), target = RandomImage(7);
  Fill(target.channel(1610),
       Columns("145.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.600MHz||"));
  ClearChannel(source.channel(1603)), ClearChannel(target.channel(1604));
  for (int n = kFirstBugChannel; n <= kChannelCount; ++n) source.channel(n) = target.channel(n);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lines lines = CsvLines(source);
    c.edit(lines);
    std::string path = TempPath("placed.csv");
    WriteLines(path, lines);
    MemoryImage image = target;
    MemoryImage expected = image;
    for (int n = 1; n < kFirstBugChannel && !c.refused; ++n) {
      if (std::find(c.kept.begin(), c.kept.end(), n) == c.kept.end())
        expected.channel(n) = source.channel(n);
    }
    std::vector<CsvImportProblem> problems;
    Outcome outcome = ImportCsv(image, path, &problems);
    EXPECT_EQ(outcome.text + "/" + outcome.title,
              c.refused ? "CSV File Error/ Error" : "Import CSV File/ Finish");
    EXPECT_TRUE(image == expected);
    std::vector<std::pair<int, int>> reported;
    for (const CsvImportProblem& p : problems)
      reported.emplace_back(p.line, p.emptied ? -1 : p.channel);
    EXPECT_EQ(reported, c.problems);
  }
}

}  // namespace
}  // namespace tqm5
