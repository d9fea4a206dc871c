// Hex text and number conventions shared by every codec: bytes travel as two upper-case hex
// digits, addresses as five, and numbers are read from texts by their numeric prefix.
#ifndef TQM5_IMAGE_HEX_H_
#define TQM5_IMAGE_HEX_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tqm5 {

// `HexPad`: value in upper-case hex, left-padded with "0" to at least `width` digits. A longer
// result is not cut (256 with width 2 gives "100"). Negative values print as their 32-bit
// two's complement, as the radio's 32-bit fields hold them.
std::string HexPad(int64_t value, int width);

// Address text of the block commands: five upper-case hex digits (00000 to 1FFFF).
std::string AddressText(int address);

// Reads hex digits as an unsigned number; stops at the first character that is not a hex digit.
// An empty text is 0.
uint32_t HexToNumber(std::string_view digits);

// The byte at `byte_index` of a hex text (digits 2i and 2i+1); 0 when the text is too short or
// the digits are not hex.
uint8_t HexByteAt(std::string_view hex, int byte_index);

// Puts the two digits of `value` at byte `byte_index` of a hex text. The text must be long
// enough.
void SetHexByteAt(std::string& hex, int byte_index, uint8_t value);

std::string BytesToHex(std::span<const uint8_t> bytes);
// Pairs that are not hex digits read as 0; an odd last digit is ignored.
std::vector<uint8_t> HexToBytes(std::string_view hex);

// True when every character is 0-9 or A-F (either case).
bool IsHexText(std::string_view text);

// The numeric prefix of a text: leading digits with at most one decimal point; what follows is
// ignored and an empty prefix is 0. "145.00000MHz" gives 145.0.
double NumericPrefix(std::string_view text);

// The numeric prefix scaled by 10^decimals and rounded to the nearest integer, halves to even,
// computed exactly on the decimal digits. ScaledPrefix("145.0125", 6) is 145012500.
int64_t ScaledPrefix(std::string_view text, int decimals);

// Decimal value of a fixed-width field: every character must be a digit, otherwise (and for an
// empty field) the value is 0.
int DecimalField(std::string_view field);

// `value` in decimal, left-padded with "0" to `width` characters (not cut when longer).
std::string ZeroPad(int64_t value, int width);

}  // namespace tqm5

#endif  // TQM5_IMAGE_HEX_H_
