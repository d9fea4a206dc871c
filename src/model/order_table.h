// The pass-channel order table: the radio chains the pass channels in use (channels 1404 to
// 1503) in ascending order of frequency through a table at 0x00C00. The program never reads
// the table; it rebuilds it from the channels every time channels are written.
#ifndef TQM5_MODEL_ORDER_TABLE_H_
#define TQM5_MODEL_ORDER_TABLE_H_

#include <array>
#include <cstdint>
#include <string>

#include "model/memory_image.h"

namespace tqm5 {

// The pass channels, "PASS - 0" to "PASS - 99".
inline constexpr int kOrderFirstPassChannel = 1404;
inline constexpr int kOrderPassChannelCount = 100;
// Records 0..99 belong to pass channels 0..99; record 100 is the head of the chain.
inline constexpr int kOrderRecordCount = 101;
inline constexpr int kOrderHeadRecord = 100;
// The "no record" link and the frequency of a record outside the chain.
inline constexpr int32_t kOrderNoLink = 255;
inline constexpr int32_t kOrderNoFrequency = -1;

// One record of four fields. For a pass channel in use: its frequency in Hz, 255, the next
// record in frequency order (255 for the last), the previous one (100 for the first). For the
// head with channels in use: -1, the first record, the first record, 255. Otherwise -1, 255,
// 255, 255.
struct OrderRecord {
  std::array<int32_t, 4> fields;
  friend bool operator==(const OrderRecord&, const OrderRecord&) = default;
};

using ChannelOrderTable = std::array<OrderRecord, kOrderRecordCount>;

// `BuildChannelOrderTable`: the table for the pass channels of `image` (in use per
// `Channel::used`, frequency from the frequency cell). Channels of equal frequency stay in
// channel order.
ChannelOrderTable BuildChannelOrderTable(const MemoryImage& image);

// The 16 hex digits written for a record: field 0 as four little-endian bytes, the low byte of
// fields 1, 2 and 3, then FF.
std::string OrderRecordHex(const OrderRecord& record);

// Radio address of record k: 0x00C00 + 8k.
int OrderRecordAddress(int k);

}  // namespace tqm5

#endif  // TQM5_MODEL_ORDER_TABLE_H_
