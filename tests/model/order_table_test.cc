#include "model/order_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tqm5 {
namespace {

struct PassChannel {
  int record;  // pass channel 0..99 is channel 1404 + record
  std::string frequency_cell;
  int32_t hertz;  // the frequency the table must carry
};

std::unique_ptr<MemoryImage> ImageWith(const std::vector<PassChannel>& channels) {
  auto image = std::make_unique<MemoryImage>();
  for (const PassChannel& pass : channels) {
    Channel& channel = image->channel(kOrderFirstPassChannel + pass.record);
    channel.used = true;
    channel.row[kColFreq] = pass.frequency_cell;
  }
  return image;
}

TEST(OrderTableTest, ChainsTheUsedPassChannelsByFrequency) {
  struct Case {
    const char* name;
    std::vector<PassChannel> channels;
    std::vector<int> chain;  // records in chain order
  };
  std::vector<Case> cases = {
      {"none in use", {}, {}},
      {"only pass 5", {{5, "145.00000MHz", 145000000}}, {5}},
      {"438, 145, 145",
       {{0, "438.00000MHz", 438000000},
        {1, "145.00000MHz", 145000000},
        {2, "145.00000MHz", 145000000}},
       {1, 2, 0}},
      {"empty cell counts 0 and comes first", {{3, "145.00000MHz", 145000000}, {7, "", 0}}, {7, 3}},
      {"channels beside the pass range",
       {{-1, "145.00000MHz", 145000000}, {kOrderPassChannelCount, "145.00000MHz", 145000000}},
       {}},
      {"fractions to the hertz",
       {{10, "1295.01250MHz", 1295012500}, {11, "0.53100MHz", 531000}},
       {11, 10}},
  };
  // All 100 in use, frequencies descending in steps of three equal ones: enough equal
  // frequencies that an unstable sort would show.
  Case all{"all in use", {}, {}};
  for (int r = 0; r < kOrderPassChannelCount; ++r) {
    int32_t mhz = 1200 - r / 3;
    all.channels.push_back({r, std::to_string(mhz) + ".00000MHz", mhz * 1000000});
  }
  for (int top = kOrderPassChannelCount - 1; top >= 0; top = top / 3 * 3 - 1) {
    for (int r = top / 3 * 3; r <= top; ++r) all.chain.push_back(r);
  }
  cases.push_back(all);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelOrderTable table = BuildChannelOrderTable(*ImageWith(c.channels));

    std::vector<OrderRecord> expected(kOrderRecordCount, OrderRecord{{-1, 255, 255, 255}});
    if (!c.chain.empty()) expected[100] = OrderRecord{{-1, c.chain.front(), c.chain.front(), 255}};
    for (size_t k = 0; k < c.chain.size(); ++k) {
      int record = c.chain[k];
      int32_t hertz = 0;
      for (const PassChannel& pass : c.channels) {
        if (pass.record == record) hertz = pass.hertz;
      }
      int next = k + 1 < c.chain.size() ? c.chain[k + 1] : 255;
      int previous = k == 0 ? 100 : c.chain[k - 1];
      expected[static_cast<size_t>(record)] = OrderRecord{{hertz, 255, next, previous}};
    }
    for (int r = 0; r < kOrderRecordCount; ++r) {
      const OrderRecord& got = table[static_cast<size_t>(r)];
      const OrderRecord& want = expected[static_cast<size_t>(r)];
      EXPECT_EQ(got, want) << "record " << r << ": " << OrderRecordHex(got) << " instead of "
                           << OrderRecordHex(want);
    }
  }
}

TEST(OrderTableTest, WireForm) {
  struct Case {
    OrderRecord record;
    const char* hex;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {{{-1, 255, 255, 255}}, "FFFFFFFFFFFFFFFF"},        {{{-1, 5, 5, 255}}, "FFFFFFFF0505FFFF"},
      {{{145000000, 255, 255, 100}}, "4086A408FFFF64FF"}, {{{0, 255, 3, 7}}, "00000000FF0307FF"},
      {{{0x12345678, 0x1FF, 2, -2}}, "78563412FF02FEFF"},  // only the low byte of fields 1-3
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(OrderRecordHex(c.record), c.hex) << c.hex;

  EXPECT_EQ(OrderRecordAddress(0), 0x00C00);
  EXPECT_EQ(OrderRecordAddress(1), 0x00C08);
  EXPECT_EQ(OrderRecordAddress(kOrderRecordCount - 1) + 7, 0x00F27);
}

}  // namespace
}  // namespace tqm5
