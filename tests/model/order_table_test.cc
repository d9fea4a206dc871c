#include "model/order_table.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "image/frequency_text.h"

namespace tqm5 {
namespace {

constexpr char kBlank[] = "FFFFFFFFFFFFFFFF";

// Pass channels in use by record (channel 1404 + record) with their frequency cells, and the
// records the table must then hold; records not listed must be blank. The first case uses only
// channels 1403 and 1504.
TEST(OrderTableTest, RecordsForGivenPassChannels) {
  using Records = std::map<int, const char*>;
  // clang-format off
  for (const auto& [cells, records] : {std::pair<Records, Records>{{{-1, "145.00000MHz"},
       {100, "145.00000MHz"}}, {}},
      {{{5, "145.00000MHz"}}, {{100, "FFFFFFFF0505FFFF"}, {5, "4086A408FFFF64FF"}}},
      // Ascending 7 (empty cell: 0 Hz), 12, 1, 2 (equal: channel order), 0, 9.
      {{{0, "438.00000MHz"}, {1, "145.00000MHz"}, {2, "145.00000MHz"}, {7, ""},
        {9, "1295.01250MHz"}, {12, "0.53100MHz"}},
       {{100, "FFFFFFFF0707FFFF"}, {7, "00000000FF0C64FF"}, {12, "381A0800FF0107FF"},
        {1, "4086A408FF020CFF"}, {2, "4086A408FF0001FF"}, {0, "80591B1AFF0902FF"},
        {9, "9452304DFFFF00FF"}}}}) {
    // clang-format on
    auto image = std::make_unique<MemoryImage>();
    for (auto [record, cell] : cells) {
      image->channel(kOrderFirstPassChannel + record).used = true;
      Channel& channel = image->channel(kOrderFirstPassChannel + record);
      channel.blank = false;
      if (std::optional<int64_t> hertz = MegahertzToHertz(cell)) channel.frequency_hz = *hertz;
    }
    ChannelOrderTable table = BuildChannelOrderTable(*image);
    for (int r = 0; r < kOrderRecordCount; ++r) {
      EXPECT_EQ(OrderRecordHex(table[static_cast<size_t>(r)]),
                records.count(r) ? records.at(r) : kBlank)
          << "record " << r;
    }
  }
}

// All 100 in use at one frequency: the chain must keep channel order (a sort that is not
// stable shows here, not with three channels).
TEST(OrderTableTest, EqualFrequenciesKeepChannelOrderAndWireForm) {
  auto image = std::make_unique<MemoryImage>();
  for (int r = 0; r < kOrderPassChannelCount; ++r) {
    image->channel(kOrderFirstPassChannel + r).used = true;
    image->channel(kOrderFirstPassChannel + r).blank = false;
    image->channel(kOrderFirstPassChannel + r).frequency_hz = 145000000;
  }
  ChannelOrderTable table = BuildChannelOrderTable(*image);
  EXPECT_EQ(table[100], (OrderRecord{{-1, 0, 0, 255}}));
  for (int r = 0; r < kOrderPassChannelCount; ++r) {
    EXPECT_EQ(table[static_cast<size_t>(r)],
              (OrderRecord{{145000000, 255, r == 99 ? 255 : r + 1, r == 0 ? 100 : r - 1}}));
  }
  // Only the low byte of fields 1 to 3 is sent.
  EXPECT_EQ(OrderRecordHex(OrderRecord{{0x12345678, 0x1FF, 2, -2}}), "78563412FF02FEFF");
  EXPECT_EQ(OrderRecordAddress(1), 0x00C08);
  EXPECT_EQ(OrderRecordAddress(kOrderRecordCount - 1) + 7, 0x00F27);
}

}  // namespace
}  // namespace tqm5
