#include "textdata/dtmf.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/hex.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

constexpr int kWaitByte = 0;
constexpr int kHeadByte = 1;
constexpr int kBurstByte = 2;
constexpr int kReservedFirstByte = 3;  // bytes 3..18: the radio's, written back as read
constexpr int kFirstMemoryByte = 19;
constexpr int kDialChByte = 163;
constexpr int kPauseByte = 164;
constexpr int kEncodedByteCount = kDtmfEncodedHexDigits / 2;
constexpr int kPauseFallback = 2;  // "60ms", shown when the stored pause is out of range

int MemoryByte(int memory_index) { return kFirstMemoryByte + kDtmfMemoryLength * memory_index; }

// The digit code of a character, or -1 when it is not a DTMF digit.
int DigitCodeOf(char32_t c) {
  if (c >= 0x80) return -1;
  size_t pos = kDtmfDigits.find(static_cast<char>(c));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

// The position of a list stored in `byte` when it lies inside a list of `count` entries, else
// `current`.
int PositionOrKeep(uint8_t byte, int count, int current) { return byte < count ? byte : current; }

}  // namespace

std::string EncodeDtmf(const DtmfState& dtmf) {
  std::array<uint8_t, kEncodedByteCount> bytes;
  bytes.fill(kDtmfUnusedDigitCode);
  bytes[kWaitByte] = static_cast<uint8_t>(dtmf.wait);
  bytes[kHeadByte] = static_cast<uint8_t>(dtmf.head);
  bytes[kBurstByte] = static_cast<uint8_t>(dtmf.burst);
  for (int i = 0; i < kDtmfMemoryCount; ++i) {
    int pos = MemoryByte(i);
    int end = pos + kDtmfMemoryLength;
    for (char32_t c : Utf8ToU32(dtmf.memories[static_cast<size_t>(i)])) {
      int code = DigitCodeOf(c);
      if (code < 0) continue;
      if (pos == end) break;
      bytes[static_cast<size_t>(pos++)] = static_cast<uint8_t>(code);
    }
  }
  bytes[kDialChByte] = static_cast<uint8_t>(dtmf.dial_ch + 1);
  bytes[kPauseByte] = static_cast<uint8_t>(dtmf.pause);
  return BytesToHex(bytes);
}

void MergeDtmf(const DtmfState& dtmf, std::string& dtmf_hex) {
  if (dtmf_hex.size() < static_cast<size_t>(kDtmfAreaHexDigits)) {
    dtmf_hex.resize(kDtmfAreaHexDigits, '0');
  }
  std::string encoded = EncodeDtmf(dtmf);
  // Bytes 0..2 and 19..164; 3..18 and everything from 165 on stay as the radio sent them.
  size_t reserved_begin = 2 * kReservedFirstByte;
  size_t memories_begin = 2 * kFirstMemoryByte;
  dtmf_hex.replace(0, reserved_begin, encoded, 0, reserved_begin);
  dtmf_hex.replace(memories_begin, encoded.size() - memories_begin, encoded, memories_begin);
}

void ShowDtmfArea(std::string_view dtmf_hex, DtmfState& dtmf) {
  dtmf.wait = PositionOrKeep(HexByteAt(dtmf_hex, kWaitByte), kDtmfWaitCount, dtmf.wait);
  dtmf.head = PositionOrKeep(HexByteAt(dtmf_hex, kHeadByte), kDtmfTimeCount, dtmf.head);
  dtmf.burst = PositionOrKeep(HexByteAt(dtmf_hex, kBurstByte), kDtmfTimeCount, dtmf.burst);
  for (int i = 0; i < kDtmfMemoryCount; ++i) {
    std::string& memory = dtmf.memories[static_cast<size_t>(i)];
    memory.clear();
    for (int k = 0; k < kDtmfMemoryLength; ++k) {
      uint8_t code = HexByteAt(dtmf_hex, MemoryByte(i) + k);
      if (code < kDtmfDigits.size()) memory += kDtmfDigits[code];
    }
  }
  uint8_t dial = HexByteAt(dtmf_hex, kDialChByte);
  dtmf.dial_ch = dial >= 1 && dial <= kDtmfDialChCount ? dial - 1 : 0;
  dtmf.pause = PositionOrKeep(HexByteAt(dtmf_hex, kPauseByte), kDtmfTimeCount, kPauseFallback);
}

bool DtmfAcceptsChar(std::string_view current, char32_t c) {
  return Utf8ToU32(current).size() < static_cast<size_t>(kDtmfMemoryLength) && DigitCodeOf(c) >= 0;
}

std::string FilterDtmf(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (DigitCodeOf(static_cast<unsigned char>(c)) >= 0) kept += c;
  }
  return kept;
}

}  // namespace tqm5
