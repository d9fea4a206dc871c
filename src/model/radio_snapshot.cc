#include "model/radio_snapshot.h"

#include "image/memory_map.h"

namespace tqm5 {

void RadioSnapshot::KeepArea(int address, std::string_view hex) {
  for (size_t at = 0; at + kBlockHexLength <= hex.size(); at += kBlockHexLength) {
    blocks[address + static_cast<int>(at / 2)] = std::string(hex.substr(at, kBlockHexLength));
  }
  updated = std::chrono::system_clock::now();
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
