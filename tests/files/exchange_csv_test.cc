#include "files/exchange_csv.h"

#include <gtest/gtest.h>

#include "support/channel_cells.h"

namespace tqm5 {
namespace {

using testing::CellsFrom;

constexpr char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
    "TStep,Skip,Comment";

// The columns of the problems, in order ("Duplex,Skip").
std::string Columns(const std::vector<FileProblem>& problems) {
  std::string columns;
  for (const FileProblem& p : problems) columns += (columns.empty() ? "" : ",") + p.column;
  return columns;
}

TEST(ExchangeCsvTest, EveryDuplexToneAndModeValueIsTakenOrReported) {
  struct Case {
    const char* row;       // after the header
    const char* expected;  // the grid texts of memory 1, or "" when the row is refused
    const char* reported;  // the columns reported
  };
  const Case cases[] = {
      {"1,SIMPLEX,145.500000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,",
       "145.50000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||SIMPLEX", ""},
      {"1,RPT UP,145.150000,+,0.600000,Tone,100.0,88.5,023,NN,NFM,12.50,S,",
       "145.15000MHz|NFM|12.5KHz|ＪＲ|Tone|100.0Hz|88.5Hz|023|+|0.600MHz|*|RPT UP", ""},
      {"1,RPT DN,439.500000,-,5.000000,TSQL,88.5,123.0,023,NN,AM,8.33,,",
       "439.50000MHz|AM|8.33KHz|ＪＲ|TSQ|123.0Hz|123.0Hz|023|-|5.000MHz||RPT DN", ""},
      {"1,DCS,433.000000,,0,DTCS,88.5,88.5,754,NN,WFM,1000.00,,",
       "433.00000MHz|WFM|1MHz|ＪＲ|DCS|88.5Hz|88.5Hz|754|Off|0.000MHz||DCS", ""},
      {"1,JR,150.890000,,0,,88.5,88.5,023,NN,FM,12.5,,carrier=1000Hz tone=Train",
       "150.89000MHz|FM|12.5KHz|1000Hz|Train|88.5Hz|88.5Hz|023|Off|0.000MHz||JR", ""},
      {"1,A,146.000000,split,147.000000,,88.5,88.5,023,NN,FM,5.00,,", "", "Duplex"},
      {"1,A,146.000000,off,0.000000,,88.5,88.5,023,NN,FM,5.00,,", "", "Duplex"},
      {"1,A,146.000000,,0.000000,Cross,88.5,88.5,023,NN,FM,5.00,,", "", "Tone"},
      {"1,U,146.000000,,0,Tone,100.0,159.8,017,NN,FM,5.00,,",  // unused values it lacks: noted
       "146.00000MHz|FM|5KHz|ＪＲ|Tone|100.0Hz|88.5Hz|023|Off|0.000MHz||U", "cToneFreq,DtcsCode"},
      {"1,A,146.000000,,0.000000,Tone,159.8,88.5,023,NN,FM,5.00,,", "", "rToneFreq"},
      {"1,A,146.000000,,0.000000,TSQL,88.5,69.4,023,NN,FM,5.00,,", "", "cToneFreq"},
      {"1,A,146.000000,,0.000000,DTCS,88.5,88.5,017,RN,FM,5.00,,", "", "DtcsCode,DtcsPolarity"},
      {"1,A,146.000000,,0.000000,,88.5,88.5,023,NN,DV,7.50,P,", "", "Mode,TStep,Skip"},
      {"1,A,145.500005,,0.000500,,88.5,88.5,023,NN,FM,5.00,,", "", "Frequency,Offset"},
      {"1,A,1300.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,", "", "Frequency"},
      {"1,NAME OF 17 BYTES!,146.000000,,0,,88.5,88.5,023,NN,FM,5.00,,", "", "Name"},
      {"1,A,146.000000,,0,,88.5,88.5,023,NN,FM,5.00,,carrier=250Hz", "", "Comment"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    MemoryImage image;
    std::vector<FileProblem> problems;
    Outcome outcome = ImportExchangeCsvBytes(image, std::string(kHeader) + "\n" + c.row + "\n",
                                             "list.csv", 1, &problems);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(Columns(problems), c.reported);
    for (const FileProblem& p : problems) EXPECT_EQ(p.line, 2);
    if (*c.expected == '\0') {
      EXPECT_FALSE(image.channel(1).used);
    } else {
      EXPECT_TRUE(image.channel(1).used);
      EXPECT_EQ(testing::CellsOf(image.channel(1)), CellsFrom(c.expected));
    }
  }
}

TEST(ExchangeCsvTest, ExportWritesTheListAndImportTakesEveryMappedFieldBack) {
  const char* channels[] = {
      "145.15000MHz|FM|5KHz|ＪＲ|Tone|100.0Hz|88.5Hz|023|-|0.600MHz||RPT, \"NORTH\"",
      "439.50000MHz|NFM|8.33KHz|1000Hz|TSQ|100.0Hz|123.0Hz|023|+|5.000MHz|*|東京ﾚﾋﾟｰﾀ",
      "1295.00000MHz|AM|1MHz|300Hz|DCS|67.0Hz|250.3Hz|754|Off|0.000MHz||",
      "150.89000MHz|WFM|12.5KHz|3000Hz|Train|88.5Hz|88.5Hz|023|Off|999.995MHz||JR",
      "0.53099MHz|FM|6.25KHz|ＪＲ|SQ|88.5Hz|88.5Hz|023|Off|0.000MHz||",
  };
  MemoryImage source;
  for (int i = 0; i < 5; ++i) {
    Channel& channel = source.channel(2 * i + 1);  // memories 1, 3, 5, 7, 9
    channel.used = true;
    testing::SetCells(channel, CellsFrom(channels[i]));
  }
  std::string text = ExchangeCsvText(source);
  EXPECT_EQ(
      text.substr(0, text.find("\r\n3,")),
      std::string(kHeader) +
          "\r\n1,\"RPT, \"\"NORTH\"\"\",145.150000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,"
          "carrier=ＪＲ");
  EXPECT_NE(text.find("\r\n7,JR,150.890000,,999.995000,,88.5,88.5,023,NN,WFM,12.50,,"
                      "carrier=3000Hz tone=Train\r\n"),
            std::string::npos);

  MemoryImage image;
  std::vector<FileProblem> problems;
  ASSERT_TRUE(ImportExchangeCsvBytes(image, text, "list.csv", 11, &problems).success);
  EXPECT_EQ(Columns(problems), "");
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(channels[i]);
    EXPECT_TRUE(image.channel(11 + i).used);
    EXPECT_EQ(testing::CellsOf(image.channel(11 + i)), CellsFrom(channels[i]));
  }
  EXPECT_FALSE(image.channel(16).used);
}

TEST(ExchangeCsvTest, RowsGoToConsecutiveMemoriesAndSayWhereTheyCrossOrReplace) {
  const std::string row = ",A,146.000000,,0,,88.5,88.5,023,NN,FM,5.00,,\r\n";
  const std::string three = std::string(kHeader) + "\r\n1" + row + "2" + row + "3" + row;
  struct Case {
    int start;
    std::vector<int> taken;  // memories that hold a row afterwards, of 1..3 and 99..101, 999..1000
    std::string notes;       // "line:channel" of every problem
  };
  const Case cases[] = {
      {0, {1, 2, 3, 4}, ""},             // memory 1 is used: from 2
      {99, {1, 99, 100, 101}, "4:101"},  // bank 00 ends at 100
      {999, {1, 999, 1000}, "4:0"},      // no memory after 1000
      {1, {1, 2, 3}, "2:1"},             // memory 1 held a channel
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    MemoryImage image;  // banks 0..9 of 100 memories
    image.channel(1).used = true;
    image.channel(1).blank = false;
    image.channel(1).frequency_hz = 145000000;
    std::vector<FileProblem> problems;
    ASSERT_TRUE(ImportExchangeCsvBytes(image, three, "list.csv", c.start, &problems).success);
    std::string notes;
    for (const FileProblem& p : problems) {
      notes +=
          (notes.empty() ? "" : " ") + std::to_string(p.line) + ":" + std::to_string(p.channel);
    }
    EXPECT_EQ(notes, c.notes);
    std::vector<int> taken;
    for (int n : {1, 2, 3, 4, 99, 100, 101, 999, 1000}) {
      if (image.channel(n).used) taken.push_back(n);
    }
    EXPECT_EQ(taken, c.taken);
  }
}

TEST(ExchangeCsvTest, AFileThatIsNoListOrAStartOutsideTheMemoriesChangesNothing) {
  const MemoryImage before;
  const std::pair<std::string, int> cases[] = {
      // bytes, first memory
      {"Location,Name,Freq\r\n1,A,146.0\r\n", 0},
      {"", 0},
      {std::string(kHeader) + "\n1,A,146.000000,,0,,88.5,88.5,023,NN,FM,5.00,,\n", 1001},
  };
  for (const auto& [bytes, start] : cases) {
    MemoryImage image;
    EXPECT_EQ(ImportExchangeCsvBytes(image, bytes, "list.csv", start).kind,
              OutcomeKind::kFileRefused);
    EXPECT_TRUE(image == before);
  }
}

}  // namespace
}  // namespace tqm5
