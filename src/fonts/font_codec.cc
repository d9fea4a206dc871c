#include "fonts/font_codec.h"

#include "image/hex.h"

namespace tqm5 {

const std::array<std::string_view, 16> kNibbleBits = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};

void ExpandFontString(FontBits& font, int number, std::string_view record_hex) {
  GlyphBits& glyph = font[static_cast<size_t>(number)];
  for (int byte = 0; byte < 32; ++byte) {
    uint8_t value = HexByteAt(record_hex, byte);
    int column = byte % 16;
    int top_row = byte < 16 ? 7 : 15;  // the most significant bit
    for (int bit = 0; bit < 8; ++bit) {
      glyph[static_cast<size_t>(top_row - bit)][static_cast<size_t>(column)] =
          static_cast<uint8_t>((value >> (7 - bit)) & 1);
    }
  }
}

std::string BuildFontString(const FontBits& font, int number) {
  const GlyphBits& glyph = font[static_cast<size_t>(number)];
  std::array<uint8_t, 32> record{};
  for (int byte = 0; byte < 32; ++byte) {
    int column = byte % 16;
    int top_row = byte < 16 ? 7 : 15;
    uint8_t value = 0;
    for (int bit = 0; bit < 8; ++bit) {
      value = static_cast<uint8_t>(
          value << 1 |
          (glyph[static_cast<size_t>(top_row - bit)][static_cast<size_t>(column)] & 1));
    }
    record[static_cast<size_t>(byte)] = value;
  }
  return BytesToHex(record);
}

void ClearGlyph(FontBits& font, int number) { font[static_cast<size_t>(number)] = GlyphBits{}; }

}  // namespace tqm5
