// A channel file as a spreadsheet saves it goes the user's whole way: import, project save, load,
// write to the radio. Every frequency must arrive in the radio's memory as written in the file.
#include <gtest/gtest.h>

#include <fstream>

#include "files/csv_file.h"
#include "files/project_file.h"
#include "image/channel_numbering.h"
#include "support/bench.h"
#include "support/files.h"

namespace tqm5 {
namespace {

uint32_t LittleEndian32(const SimRadio::Memory& memory, int address) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | memory[static_cast<size_t>(address + i)];
  return value;
}

TEST(CsvToRadioTest, SpreadsheetFileReachesTheRadioWithEveryFrequencyExact) {
  // Cells as a spreadsheet writes them, and the hertz the radio must hold (0: channel emptied).
  // clang-format off
  struct Cell { const char* frequency; uint32_t hertz; const char* offset; uint32_t offset_hertz; };
  const Cell cells[] = {
      {"145", 145000000, "0.6", 600000}, {"145.0125", 145012500, "5", 5000000},
      {"430.5", 430500000, "\"0.600MHz\"", 600000}, {"0.53099", 530990, "0", 0}, {"7.1", 7100000, "0.6", 600000},
      {"1299.99999", 1299999990, "999.995", 999995000}, {"50.125", 50125000, "1.25", 1250000},
      {"433.00001", 433000010, "0.6", 600000}, {"-145", 0, "0.6", 0}, {"", 0, "", 0},
  };
  // clang-format on
  constexpr int kCellCount = static_cast<int>(std::size(cells));
  std::string text =
      ",\"Freqency\",\"mode\",\"step\",\"Carrier\",\"Tone/DCS\",\"Tx-tone\",\"Rx-tone\",\"DCS\","
      "\"Shift\",\"Shift-Freq\",\"Skip\",\"Name\",0\n";
  int emptied = 0;
  for (int n = 1; n < kFirstBugChannel; ++n) {
    const Cell& cell = cells[(n - 1) % kCellCount];
    if (*cell.frequency == '\0') {
      text += ",,,,,,,,,,,,," + std::to_string(n) + "\n";
      continue;
    }
    if (cell.hertz == 0) ++emptied;
    text += "\"Ch\"," + std::string(cell.frequency) +
            ",\"FM\",\"5KHz\",\"ＪＲ\",\"Tone\",\"88.5Hz\",\"88.5Hz\",23,\"+\"," + cell.offset +
            ",,\"東京,\"\"" + std::to_string(n % 100) + "\"\"\"," + std::to_string(n) + "\n";
  }
  const std::string base = testing::TempPath("csv_radio");
  std::ofstream(base + ".csv", std::ios::binary) << text;

  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  std::vector<CsvImportProblem> problems;
  ASSERT_TRUE(ImportCsv(image, base + ".csv", &problems).success);
  EXPECT_EQ(static_cast<int>(problems.size()), emptied);
  std::string error;
  ASSERT_TRUE(SaveProject(image, base + ".M5", error)) << error;
  MemoryImage loaded;
  SelectModelOption(loaded, ModelOption::kJ);
  ASSERT_TRUE(LoadProject(loaded, base + ".M5").success);
  EXPECT_EQ(loaded.channel(13).name, "東京,\"13\"");

  testing::Bench bench;
  bench.image = loaded;
  ASSERT_EQ(bench.Run(TransferCommand::kWriteAll), CompleteOutcome());
  const SimRadio::Memory& memory = bench.radio.memory();
  int wrong = 0;
  for (int n = 1; n < kFirstBugChannel; ++n) {
    const Cell& cell = cells[(n - 1) % kCellCount];
    // A project load keeps the call channels it finds no line for, as the radio's presets.
    if (cell.hertz == 0 && IsProtectedChannel(n)) continue;
    int address = ChannelAddress(n);
    uint32_t hertz = LittleEndian32(memory, address + 1),
             offset = LittleEndian32(memory, address + 7);
    if ((hertz != cell.hertz || offset != cell.offset_hertz) && ++wrong <= 5) {
      ADD_FAILURE() << "channel " << n << ": " << hertz << " Hz, offset " << offset;
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace tqm5
