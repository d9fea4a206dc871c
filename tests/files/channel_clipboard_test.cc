#include "files/channel_clipboard.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/channel_cells.h"

namespace tqm5 {
namespace {

using testing::CellsFrom;

void Fill(Channel& channel, std::string_view cells) {
  channel.used = true;
  testing::SetCells(channel, CellsFrom(cells));
}

TEST(ChannelClipboardTest, CopyWritesTheCsvColumnsTabSeparated) {
  MemoryImage image;
  Fill(image.channel(2), "145.50000MHz|FM|12.5KHz|ＪＲ|Tone|88.5Hz|88.5Hz|023|-|0.600MHz|*|A\"B");
  EXPECT_EQ(CopyChannelsText(image, 2, 3, true),
            "\tFreqency\tmode\tstep\tCarrier\tTone/DCS\tTx-tone\tRx-tone\tDCS\tShift\tShift-Freq\t"
            "Skip\tName\t0\n"
            "Bank00-001\t145.50000\tFM\t12.5KHz\tＪＲ\tTone\t88.5Hz\t88.5Hz\t023\t-\t0.600MHz\t*\t"
            "\"A\"\"B\"\t2\n"
            "Bank00-002\t\t\t\t\t\t\t\t\t\t\t\t\t3\n");
  EXPECT_EQ(CopyChannelsText(image, 3, 3, false), "Bank00-002\t\t\t\t\t\t\t\t\t\t\t\t\t3\n");
}

TEST(ChannelClipboardTest, PastedRowsGoThroughTheCsvRules) {
  const std::string kept = "433.00000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||OLD";
  struct Case {
    int start;
    std::string text;
    std::string expected;  // grid texts of channel `start` afterwards
    std::string reported;  // "line:channel:column" of each problem
  };
  const Case cases[] = {
      // A spreadsheet's 12 columns, decimals completed and the DCS code's zeros put back.
      {5, "145\tNFM\t5KHz\tJR\tDCS\t88.5Hz\t88.5Hz\t23\t+\t0.6\t\tSPREAD\r\n",
       "145.00000MHz|NFM|5KHz|JR|DCS|88.5Hz|88.5Hz|023|+|0.600MHz||SPREAD", ""},
      // The program's own 14 columns after its caption line; the row number is not used.
      {5,
       "\tFreqency\tmode\tstep\tCarrier\tTone/DCS\tTx-tone\tRx-tone\tDCS\tShift\tShift-Freq\tSkip\t"
       "Name\t0\nX\t439.5\tFM\t20KHz\t300Hz\tTSQ\t67.0Hz\t67.0Hz\t754\t-\t5.000MHz\t*"
       "\t\"A\tB\"\t9\n",
       "439.50000MHz|FM|20KHz|300Hz|TSQ|67.0Hz|67.0Hz|754|-|5.000MHz|*|AB", "2:5:Name"},
      {5, "\t\t\t\t\t\t\t\t\t\t\t\n", "||||||||||||", ""},  // an empty row empties the channel
      {5, "145.123456\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tX\n", kept,
       "1:5:Freqency"},
      {5, "145\tUSB\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tX\n", kept, "1:5:mode"},
      {5, "145\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tSEVENTEEN BYTES!!\n", kept,
       "1:5:Name"},
      {5, "145\tFM\t5KHz\n", kept, "1:5:"},
      {1101, "145\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tX\n", kept, "1:1101:"},
      {1623, "145\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tX\n", kept, "1:1623:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MemoryImage image;
    Fill(image.channel(c.start), kept);
    PasteResult result = PasteChannelsText(image, c.text, c.start);
    std::string reported;
    for (const FileProblem& p : result.problems) {
      reported += (reported.empty() ? "" : " ") + std::to_string(p.line) + ":" +
                  std::to_string(p.channel) + ":" + p.column;
    }
    EXPECT_EQ(reported, c.reported);
    EXPECT_EQ(testing::CellsOf(image.channel(c.start)), CellsFrom(c.expected));
  }
}

TEST(ChannelClipboardTest, RowsGoToConsecutiveChannelsWhateverBecameOfTheOneBefore) {
  MemoryImage image;
  PasteResult result =
      PasteChannelsText(image,
                        "145\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tA\n"
                        "145\tBAD\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tB\n"
                        "146\tFM\t5KHz\tJR\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tC\n",
                        999);
  EXPECT_EQ(std::tuple(result.rows, result.first, result.last), std::tuple(2, 999, 1001));
  EXPECT_EQ(
      image.channel(999).name + (image.channel(1000).used ? "B" : "") + image.channel(1001).name,
      "AC");
}

}  // namespace
}  // namespace tqm5
