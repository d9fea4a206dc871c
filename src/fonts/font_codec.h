// The eight 16 x 16 user glyphs and their 32-byte records in the radio. Byte c (0..15) holds
// column c, rows 0..7, and byte 16 + c column c, rows 8..15; the most significant bit is the
// lowest row of the half.
#ifndef TQM5_FONTS_FONT_CODEC_H_
#define TQM5_FONTS_FONT_CODEC_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tqm5 {

inline constexpr int kGlyphCount = 8;
inline constexpr int kGlyphSize = 16;

// `FontBits`: [glyph][pixel row][pixel column], 1 = pixel set.
using GlyphBits = std::array<std::array<uint8_t, kGlyphSize>, kGlyphSize>;
using FontBits = std::array<GlyphBits, kGlyphCount>;

inline constexpr int kGlyphRecordHexLength = 64;

// `NibbleBits`: the four binary digits of each hex digit value, "0000" .. "1111".
extern const std::array<std::string_view, 16> kNibbleBits;

// `ExpandFontString`: fills glyph `number` from the first 64 digits of a record text. A text
// shorter than 64 digits reads as if padded with "0".
void ExpandFontString(FontBits& font, int number, std::string_view record_hex);

// `BuildFontString`: the 64-digit record text of glyph `number`.
std::string BuildFontString(const FontBits& font, int number);

// `ClearGlyph`: all 256 pixels of glyph `number` cleared.
void ClearGlyph(FontBits& font, int number);

// Address of glyph `number`'s record: 0x01000 + 32 * number.
inline int GlyphAddress(int number) { return 0x01000 + 32 * number; }

}  // namespace tqm5

#endif  // TQM5_FONTS_FONT_CODEC_H_
