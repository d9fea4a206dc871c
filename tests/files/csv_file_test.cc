#include "files/csv_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <random>

#include "image/channel_numbering.h"
#include "image/vocabulary.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "tqm5_csv_" + std::to_string(getpid()) + "_" + name;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines,
                const char* line_end = "\r\n") {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << Utf8ToCp932(line) << line_end;
}

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

// Makes `channel` a used channel with the given texts of columns 1..12 and the codes of those
// texts (a text not in its list leaves the empty channel's code).
void Fill(Channel& channel, const std::vector<std::string>& columns) {
  std::string label = channel.row[kColLabel];
  channel = Channel{};
  channel.row[kColLabel] = label;
  channel.used = true;
  for (int column = kColFreq; column <= kColName; ++column) {
    channel.row[column] = columns[static_cast<size_t>(column - 1)];
  }
  auto code = [](uint8_t& index, int found) {
    if (found >= 0) index = static_cast<uint8_t>(found);
  };
  code(channel.step_index, IndexOf(kStepList, channel.row[kColStep]));
  code(channel.train_index, IndexOf(kTrainList, channel.row[kColCarrier]));
  code(channel.tx_tone_index, IndexOf(kToneList, channel.row[kColTxTone]));
  code(channel.rx_tone_index, IndexOf(kToneList, channel.row[kColRxTone]));
  code(channel.dcs_index, IndexOf(kDcsList, channel.row[kColDcs]));
}

// An image with about a third of its channels used, every field drawn at random.
MemoryImage RandomImage(unsigned seed) {
  using Texts = std::vector<std::string_view>;
  std::mt19937 random(seed);
  auto any = [&random](const auto& list) -> std::string {
    return "|" + std::string(list[random() % list.size()]);
  };
  MemoryImage image;
  for (int number = 1; number <= kChannelCount; ++number) {
    Channel& channel = image.channel(number);
    ClearChannel(channel);
    if (random() % 3 != 0) continue;
    Fill(
        channel,
        Columns(FrequencyText(100000 + static_cast<uint32_t>(random() % 1299900000)) +
                any(Texts{"FM", "AM", "NFM", "WFM"}) + any(kStepList) + any(kTrainList) +
                any(Texts{"None", "Tone", "TSQ", "SQ", "DCS", "Train"}) + any(kToneList) +
                any(kToneList) + any(kDcsList) + any(Texts{"Off", "+", "-", "＋", "－"}) + "|" +
                OffsetText(static_cast<uint32_t>(random() % 100000000)) + any(Texts{"", "*", "※"}) +
                any(Texts{"", "REPEATER 1", "ｶﾀｶﾅ", "あいう", "愛ＡＢＣ♪", ":3~X", "①②"})));
  }
  return image;
}

// The first channel in which two images differ, with the texts of both, or "" when none does.
std::string FirstDifference(const MemoryImage& actual, const MemoryImage& expected) {
  for (int number = 1; number <= kChannelCount; ++number) {
    const Channel& a = actual.channel(number);
    const Channel& e = expected.channel(number);
    if (a == e) continue;
    std::string text = "channel " + std::to_string(number) + ":";
    for (int column = kColFreq; column <= kColName; ++column) {
      text += " [" + a.row[column] + "|" + e.row[column] + "]";
    }
    return text + (a.used == e.used ? " codes differ" : " used differs");
  }
  return "";
}

bool ImportFinished(const Outcome& outcome) {
  return outcome.shown && outcome.text == "Import CSV File" && outcome.title == " Finish";
}

TEST(CsvFileTest, ExportWritesQuotedCaptionAndChannelLinesInCp932) {
  MemoryImage image;
  Fill(image.channel(1),
       Columns("145.00000MHz|FM|5KHz|ＪＲ|Tone|88.5Hz|88.5Hz|023|+|0.600MHz||愛ｱ"));
  image.channel(3).row[kColFreq] = "145";  // three characters or fewer: written as they are
  std::string path = TempPath("export.csv");
  Outcome outcome = ExportCsv(image, path);
  EXPECT_EQ(outcome.text + "/" + outcome.title, "Save File/Finish");

  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 1624u);
  EXPECT_EQ(bytes.substr(bytes.size() - 9), ",\"1623\"\r\n");
  EXPECT_EQ(lines[0], R"("","Freqency","mode","step","Carrier","Tone/DCS","Tx-tone","Rx-tone",)"
                      R"("DCS","Shift","Shift-Freq","Skip","Name","0")");
  EXPECT_EQ(lines[1],
            "\"Bank00-000\",\"145.00000\",\"FM\",\"5KHz\",\"\x82\x69\x82\x71\","
            "\"Tone\",\"88.5Hz\",\"88.5Hz\",\"023\",\"+\",\"0.600MHz\",\"\","
            "\"\x88\xa4\xb1\",\"1\"");
  EXPECT_EQ(lines[3], R"("Bank00-002","145","","","","","","","","","","","","3")");

  EXPECT_FALSE(ExportCsv(image, TempPath("no-such-folder/x.csv")).success);
}

// Importing one image's export into another gives channels 1..1603 of the first, codes included:
// used channels are taken over, empty ones emptied; the bug-detector channels stay. A file
// without quotes and with lines ended by LF, as a spreadsheet saves it, reads the same.
TEST(CsvFileTest, ImportOfAnExportGivesBackTheChannels) {
  MemoryImage source = RandomImage(1);
  std::vector<std::string> quoted = CsvLines(source), unquoted;
  for (std::string line : quoted) {
    line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
    unquoted.push_back(line);
  }
  for (bool spreadsheet : {false, true}) {
    std::string path = TempPath("round.csv");
    WriteLines(path, spreadsheet ? unquoted : quoted, spreadsheet ? "\n" : "\r\n");
    MemoryImage image = RandomImage(2);
    MemoryImage expected = source;
    for (int n = kFirstBugChannel; n <= kChannelCount; ++n) expected.channel(n) = image.channel(n);
    EXPECT_TRUE(ImportFinished(ImportCsv(image, path)));
    EXPECT_EQ(FirstDifference(image, expected), "") << "spreadsheet form " << spreadsheet;
  }
}

// Channel 5's line with one column changed, and the text that column then shows (with the code
// of that text), or nullptr for a channel emptied by the check. Some lines end early: one
// without the name still counts, one without skip and name leaves the channel as it was.
TEST(CsvFileTest, ImportChecksEveryColumn) {
  const std::string base = "145.00000|FM|10KHz|1000Hz|TSQ|100.0Hz|123.0Hz|065|-|0.600MHz|*|AB";
  struct Case {
    int column;
    std::string text;
    const char* shown;
    int columns_in_line = kColName;
  };
  const Case cases[] = {
      {kColFreq, "1295.12345", "1295.12345MHz"},
      {kColFreq, "145", "145MHz"},
      {kColFreq, "145.123456", nullptr},
      {kColFreq, "12345.0", nullptr},
      {kColFreq, "12345", nullptr},
      {kColFreq, ".5", nullptr},
      {kColFreq, "145.", nullptr},
      {kColFreq, "", nullptr},
      {kColFreq, "14a.5", "14.5MHz"},
      {kColMode, "WFM", "WFM"},
      {kColMode, "fm", nullptr},
      {kColStep, "12.5KHz", "12.5KHz"},
      {kColStep, "12.5kHz", nullptr},
      {kColCarrier, "JR", "JR"},
      {kColCarrier, "300Hz", "300Hz"},
      {kColCarrier, "3100Hz", nullptr},
      {kColToneMode, "Train", "Train"},
      {kColToneMode, "TONE", nullptr},
      {kColTxTone, "250.3Hz", "250.3Hz"},
      {kColTxTone, "88.5", nullptr},
      {kColRxTone, "67.0Hz", "67.0Hz"},
      {kColDcs, "23", "023"},
      {kColDcs, "754.0", "754"},
      {kColDcs, "0000731", "731"},
      {kColDcs, "24", nullptr},
      {kColDcs, "23.5", nullptr},
      {kColDcs, "99999999999999999023", nullptr},
      {kColDcs, "", nullptr},
      {kColShift, "＋", "＋"},
      {kColShift, "－", "－"},
      {kColShift, "off", nullptr},
      {kColSkip, "※", "※"},
      {kColSkip, "", ""},
      {kColSkip, "x", nullptr},
      {kColName, "AB亜C", "ABC"},
      {kColName, "♪愛ｱ①:2~", "♪愛ｱ①:2~"},
      {kColName, "AB", "", kColSkip},
      {kColFreq, "146", "145.00000MHz", kColShiftFreq},
  };
  for (const Case& c : cases) {
    std::vector<std::string> file = Columns(base), grid = Columns(base);
    grid[0] += "MHz";
    MemoryImage image;
    Fill(image.channel(5), grid);
    std::vector<std::string> lines = CsvLines(image);
    file[static_cast<size_t>(c.column - 1)] = c.text;
    lines[5] = "\"Bank00-004\"";
    for (int i = 0; i < c.columns_in_line; ++i)
      lines[5] += ",\"" + file[static_cast<size_t>(i)] + "\"";
    if (c.columns_in_line == kColName) lines[5] += ",\"5\"";
    std::string path = TempPath("edit.csv");
    WriteLines(path, lines);
    EXPECT_TRUE(ImportFinished(ImportCsv(image, path)));

    MemoryImage expected;
    if (c.shown == nullptr) {
      ClearChannel(expected.channel(5));
    } else {
      grid[static_cast<size_t>(c.column - 1)] = c.shown;
      Fill(expected.channel(5), grid);
    }
    EXPECT_EQ(FirstDifference(image, expected), "") << "column " << c.column << " " << c.text;
  }
}

TEST(CsvFileTest, CaptionLineMustMatchOrHaveOneHundredCharacters) {
  std::string hundred_kana;
  for (int i = 0; i < 100; ++i) hundred_kana += "あ";
  const std::pair<std::string, bool> captions[] = {
      {",Freqency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,Shift-Freq,Skip,Name,0",
       true},
      {"FreqencymodestepCarrierTone/DCSTx-toneRx-toneDCSShiftShift-FreqSkipName0", true},
      {std::string(100, 'x'), true},
      {hundred_kana, true},
      {std::string(99, 'x'), false},
      {std::string(101, 'x'), false},
      {",Frequency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,Shift-Freq,Skip,Name,0",
       false},
      {"", false},
  };
  MemoryImage source = RandomImage(3);
  for (const auto& [caption, accepted] : captions) {
    std::vector<std::string> lines = CsvLines(source);
    lines[0] = caption;
    std::string path = TempPath("caption.csv");
    WriteLines(path, lines);
    MemoryImage image = RandomImage(4);
    MemoryImage expected = image;
    if (accepted) {
      for (int n = 1; n < kFirstBugChannel; ++n) expected.channel(n) = source.channel(n);
    }
    Outcome outcome = ImportCsv(image, path);
    EXPECT_EQ(outcome.text + "/" + outcome.title,
              accepted ? "Import CSV File/ Finish" : "CSV File Error/ Error")
        << caption;
    EXPECT_EQ(FirstDifference(image, expected), "") << caption;
  }
}

// Where the import stops. A file ending before row 1603 stops there without a message: the rows
// read keep the file's texts unchecked, the others stay, nothing is emptied. A file of the
// caption line alone, and a file whose name does not end in "CSV", read no row but go on to the
// check. Channel 1 carries DCS "23" in the file; channel 50 holds a mode the check refuses.
TEST(CsvFileTest, ImportStopsWhereTheFileEndsAndReadsOnlyCsvNames) {
  MemoryImage source;
  Fill(source.channel(1),
       Columns("433.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|23|Off|0.000MHz||"));
  source.channel(2).row[kColMode] = "FM";  // a line without frequency empties its whole row
  struct Case {
    const char* name;
    int rows;            // channel lines after the caption line
    const char* result;  // message, or "" for none
    const char* dcs_1;   // channel 1's DCS afterwards, "" when it was not read
    bool used_50;        // channel 50 still used, untouched
  };
  const Case cases[] = {
      {"a.csv", 0, "Import CSV File", "", false},
      {"b.csv", 1, "", "23", true},
      {"c.csv", 1602, "", "23", false},
      {"d.CsV", 1603, "Import CSV File", "023", false},
      {"e.txt", 1623, "Import CSV File", "", false},
      {"f.csv.txt", 1623, "Import CSV File", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = CsvLines(source);
    lines.resize(static_cast<size_t>(c.rows) + 1);
    std::string path = TempPath(c.name);
    WriteLines(path, lines);
    MemoryImage image;
    Fill(image.channel(50),
         Columns("145.00000MHz|XM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||"));
    image.channel(kFirstBugChannel).row[kColMode] = "XM";  // never checked
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
    EXPECT_EQ(image.channel(1).row[kColDcs], c.dcs_1);
    EXPECT_EQ(image.channel(50) == before.channel(50), c.used_50);
    EXPECT_TRUE(image.channel(2) == expected_2);
    EXPECT_EQ(image.channel(kFirstBugChannel), before.channel(kFirstBugChannel));
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
    EXPECT_EQ(FirstDifference(image, before), "") << path;
  }
}

}  // namespace
}  // namespace tqm5
