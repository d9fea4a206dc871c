#include "model/radio_snapshot.h"

#include <algorithm>
#include <utility>

#include "image/memory_map.h"

namespace tqm5 {

namespace {

// The known blocks that overlap the `bytes` bytes from `address`: known blocks may start at any
// address, so a block can overlap those around it.
template <typename Blocks>
auto Overlapping(Blocks& blocks, int address, int bytes) {
  return std::pair(blocks.upper_bound(address - kBlockSize), blocks.lower_bound(address + bytes));
}

}  // namespace

void RadioSnapshot::KeepArea(int address, std::string_view hex) {
  const int bytes = static_cast<int>(hex.size() / 2);
  auto [first, last] = Overlapping(blocks, address, bytes);
  for (auto it = first; it != last; ++it) {
    auto& [block, digits] = *it;
    int from = std::max(block, address), to = std::min(block + kBlockSize, address + bytes);
    digits.replace(static_cast<size_t>(2 * (from - block)), static_cast<size_t>(2 * (to - from)),
                   hex.substr(static_cast<size_t>(2 * (from - address))), 0,
                   static_cast<size_t>(2 * (to - from)));
  }
  for (size_t at = 0; at + kBlockHexLength <= hex.size(); at += kBlockHexLength) {
    blocks[address + static_cast<int>(at / 2)] = std::string(hex.substr(at, kBlockHexLength));
  }
  updated = std::chrono::system_clock::now();
}

void RadioSnapshot::Forget(int address, int bytes) {
  auto [first, last] = Overlapping(blocks, address, bytes);
  blocks.erase(first, last);
}

std::string RadioSnapshot::Area(int address, int count) const {
  std::string joined;
  for (int b = 0; b < count; ++b) {
    auto it = blocks.find(address + b * kBlockSize);
    if (it == blocks.end()) return "";
    joined += it->second;
  }
  return joined;
}

}  // namespace tqm5
