#include "model/order_table.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "image/hex.h"

namespace tqm5 {
namespace {

constexpr int kOrderTableAddress = 0x00C00;
constexpr int kOrderRecordBytes = 8;

// Frequency of a pass channel in Hz (an empty cell is 0). The radio's field is a signed 32
// bits; no valid frequency comes near its limit, but a larger record value is held inside it
// rather than wrapped.
int32_t PassFrequency(const Channel& channel) {
  int64_t hertz = channel.blank ? 0 : channel.frequency_hz.value_or(0);
  return static_cast<int32_t>(std::min<int64_t>(hertz, std::numeric_limits<int32_t>::max()));
}

}  // namespace

ChannelOrderTable BuildChannelOrderTable(const MemoryImage& image) {
  ChannelOrderTable table;
  table.fill(OrderRecord{{kOrderNoFrequency, kOrderNoLink, kOrderNoLink, kOrderNoLink}});

  struct Used {
    int record;
    int32_t frequency;
  };
  std::vector<Used> used;
  for (int r = 0; r < kOrderPassChannelCount; ++r) {
    const Channel& channel = image.channel(kOrderFirstPassChannel + r);
    if (channel.used) used.push_back(Used{r, PassFrequency(channel)});
  }
  if (used.empty()) return table;

  // Ascending frequency; equal frequencies keep their channel order.
  std::stable_sort(used.begin(), used.end(),
                   [](const Used& a, const Used& b) { return a.frequency < b.frequency; });

  OrderRecord& head = table[kOrderHeadRecord];
  head.fields[1] = used.front().record;
  head.fields[2] = used.front().record;
  int previous = kOrderHeadRecord;
  for (const Used& entry : used) {
    table[static_cast<size_t>(entry.record)].fields = {entry.frequency, kOrderNoLink, kOrderNoLink,
                                                       previous};
    if (previous != kOrderHeadRecord) table[static_cast<size_t>(previous)].fields[2] = entry.record;
    previous = entry.record;
  }
  return table;
}

std::string OrderRecordHex(const OrderRecord& record) {
  auto frequency = static_cast<uint32_t>(record.fields[0]);
  std::string hex;
  for (int i = 0; i < 4; ++i) hex += HexPad((frequency >> (8 * i)) & 0xFF, 2);
  for (int f = 1; f <= 3; ++f) hex += HexPad(record.fields[static_cast<size_t>(f)] & 0xFF, 2);
  hex += "FF";
  return hex;
}

int OrderRecordAddress(int k) { return kOrderTableAddress + kOrderRecordBytes * k; }

}  // namespace tqm5
