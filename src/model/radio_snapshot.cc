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

// Copies into `digits`, the block at `block`, the digits that `other`, the block at `at`, holds
// for the bytes both cover.
void CopyOverlap(std::string& digits, int block, std::string_view other, int at) {
  int from = std::max(block, at), to = std::min(block + kBlockSize, at + kBlockSize);
  if (from >= to) return;
  digits.replace(
      static_cast<size_t>(2 * (from - block)), static_cast<size_t>(2 * (to - from)),
      other.substr(static_cast<size_t>(2 * (from - at)), static_cast<size_t>(2 * (to - from))));
}

}  // namespace

bool MatchesWhereKnown(std::string_view known, std::string_view hex) {
  if (known.size() != hex.size()) return false;
  for (size_t i = 0; i < known.size(); ++i) {
    if (known[i] != kUnknownDigit && known[i] != hex[i]) return false;
  }
  return true;
}

void RadioSnapshot::KeepArea(int address, std::string_view hex) {
  const int bytes = static_cast<int>(hex.size() / 2);
  const int tail = address + bytes / kBlockSize * kBlockSize, tail_bytes = bytes % kBlockSize;
  if (tail_bytes > 0) {
    auto [first, last] = Overlapping(blocks, tail, tail_bytes);
    bool held = std::any_of(first, last, [&](const auto& block) {
      return block.first <= tail && block.first + kBlockSize >= tail + tail_bytes;
    });
    if (!held) {
      std::string digits(kBlockHexLength, kUnknownDigit);
      auto [near, past] = Overlapping(blocks, tail, kBlockSize);
      for (auto it = near; it != past; ++it) CopyOverlap(digits, tail, it->second, it->first);
      blocks[tail] = std::move(digits);
    }
  }
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
  return joined.find(kUnknownDigit) == std::string::npos ? joined : "";
}

}  // namespace tqm5
