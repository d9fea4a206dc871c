#include "image/hex.h"

#include <algorithm>
#include <limits>

namespace tqm5 {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexPad(int64_t value, int width) {
  uint64_t v = value < 0 ? static_cast<uint32_t>(value) : static_cast<uint64_t>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  }
  return digits;
}

std::string AddressText(int address) { return HexPad(address, 5); }

uint32_t HexToNumber(std::string_view digits) {
  uint32_t value = 0;
  for (char c : digits) {
    int d = HexDigitValue(c);
    if (d < 0) break;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  return value;
}

uint8_t HexByteAt(std::string_view hex, int byte_index) {
  size_t pos = static_cast<size_t>(byte_index) * 2;
  if (byte_index < 0 || pos + 2 > hex.size()) return 0;
  int hi = HexDigitValue(hex[pos]);
  int lo = HexDigitValue(hex[pos + 1]);
  if (hi < 0 || lo < 0) return 0;
  return static_cast<uint8_t>(hi * 16 + lo);
}

void SetHexByteAt(std::string& hex, int byte_index, uint8_t value) {
  size_t pos = static_cast<size_t>(byte_index) * 2;
  hex[pos] = kHexDigits[value >> 4];
  hex[pos + 1] = kHexDigits[value & 0xF];
}

std::string BytesToHex(std::span<const uint8_t> bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    hex.push_back(kHexDigits[b >> 4]);
    hex.push_back(kHexDigits[b & 0xF]);
  }
  return hex;
}

std::vector<uint8_t> HexToBytes(std::string_view hex) {
  std::vector<uint8_t> bytes(hex.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = HexByteAt(hex, static_cast<int>(i));
  return bytes;
}

bool IsHexText(std::string_view text) {
  for (char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

double NumericPrefix(std::string_view text) {
  return static_cast<double>(ScaledPrefix(text, 9)) / 1e9;
}

int64_t ScaledPrefix(std::string_view text, int decimals) {
  // Integer part and the fraction digits of the prefix, kept as digits so that no binary
  // rounding creeps into frequencies. A number too large for the scaled result saturates.
  int64_t scale = 1;
  for (int d = 0; d < decimals; ++d) scale *= 10;
  const int64_t limit = std::numeric_limits<int64_t>::max() / scale - 1;
  int64_t whole = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    whole = std::min(limit, whole * 10 + (text[i] - '0'));
  }
  std::string_view fraction;
  if (i < text.size() && text[i] == '.') {
    size_t start = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    fraction = text.substr(start, i - start);
  }
  int64_t value = whole * scale;
  int64_t frac = 0;
  for (int d = 0; d < decimals; ++d) {
    frac = frac * 10 + (static_cast<size_t>(d) < fraction.size() ? fraction[d] - '0' : 0);
  }
  value += frac;
  // Round on the digits beyond the kept ones: above half rounds up, exactly half to even.
  if (fraction.size() > static_cast<size_t>(decimals)) {
    std::string_view rest = fraction.substr(static_cast<size_t>(decimals));
    int first = rest[0] - '0';
    bool more = rest.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > 5 || (first == 5 && (more || (value & 1) != 0))) ++value;
  }
  return value;
}

int DecimalField(std::string_view field) {
  if (field.empty()) return 0;
  int value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return 0;
    if (value < 100000000) value = value * 10 + (c - '0');
  }
  return value;
}

std::string ZeroPad(int64_t value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<size_t>(width) - text.size(), '0');
  }
  return text;
}

}  // namespace tqm5
