// The full write as a list of the single writes it sends, so that a write of changes can send
// only those whose bytes the radio does not hold yet, and a verification can read back what was
// sent. The list follows "Write All Data" step for step: the same bytes, the same addresses and
// the same order.
#ifndef TQM5_TRANSFER_WRITE_PLAN_H_
#define TQM5_TRANSFER_WRITE_PLAN_H_

#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "model/radio_snapshot.h"

namespace tqm5 {

// One write command of the full write.
struct WriteUnit {
  int address = 0;
  std::string hex;   // the bytes as sent, 1 to 64 of them
  std::string area;  // "the settings area", "user glyph 3"; empty for a channel record
  int channel = 0;   // the channel of a channel record, 0 for the areas
  // False for the pass-channel order records: the full write does not stop when the radio
  // refuses one.
  bool checked = true;

  int bytes() const { return static_cast<int>(hex.size() / 2); }
};

// The writes of "Write All Data" of `image` to the radio that `radio` describes: channels are
// encoded for its identification, and the settings and DTMF areas are the read-modify-write
// result over the areas it holds. When a channel cannot be encoded or one of those areas is not
// known, returns nothing and says why in `problem` ("the settings area at 00000 is not known").
std::optional<std::vector<WriteUnit>> FullWritePlan(const MemoryImage& image,
                                                    const RadioSnapshot& radio,
                                                    std::string& problem);

// How a verification or a refusal names a write: "channel 12" for a channel record, otherwise
// the area and the address, "the title at 001A0".
std::string WriteUnitName(const WriteUnit& unit);
// The same, with the address of a channel record: "channel 12 (address 01480)".
std::string WriteUnitPlace(const WriteUnit& unit);

// True for the writes of the pass-channel order table, which no read brings into the snapshot.
bool InOrderTable(const WriteUnit& unit);

// The `bytes` bytes from `address` as hex text when the snapshot knows every one of them.
std::optional<std::string> KnownHex(const RadioSnapshot& radio, int address, int bytes);

// The 64-byte block reads that bring back the bytes of every unit, in the order of the units:
// a block the snapshot knows that holds a unit, or else the block starting at the unit.
std::vector<int> ReadBackBlocks(const std::vector<WriteUnit>& units, const RadioSnapshot& radio);

}  // namespace tqm5

#endif  // TQM5_TRANSFER_WRITE_PLAN_H_
