#include "textdata/title_code.h"

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

#include "image/hex.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

constexpr int kFirstShownCode = 0x0020;   // units below are control codes and not shown
constexpr int kFirstHiddenCode = 0xF000;  // units from here on are not shown either
constexpr int kUnknownCharCode = 0x003F;  // "?", sent for characters CP932 cannot code

// Membership of every 16-bit code in the table, built once from it.
const std::bitset<0x10000>& RadioCharBits() {
  static const std::bitset<0x10000>* bits = [] {
    auto* b = new std::bitset<0x10000>();
    for (uint32_t code : kRadioCharTable) {
      if (code != 0) b->set(code);
    }
    return b;
  }();
  return *bits;
}

// The glyph number (1..8) of the token ":n~" starting at `i`, or 0 when none starts there.
int GlyphTokenAt(std::u32string_view chars, size_t i) {
  if (i + 2 >= chars.size() || chars[i] != U':' || chars[i + 2] != U'~') return 0;
  char32_t digit = chars[i + 1];
  return digit >= U'1' && digit <= U'8' ? static_cast<int>(digit - U'0') : 0;
}

int GlyphTokenCount(std::u32string_view chars) {
  int tokens = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    if (GlyphTokenAt(chars, i) != 0) ++tokens;
  }
  return tokens;
}

// A unit as four hex digits, low byte first.
void AppendUnit(std::string& hex, int code) {
  hex += HexPad(code & 0xFF, 2);
  hex += HexPad((code >> 8) & 0xFF, 2);
}

bool IsGlyphNumber(int n) { return n >= 1 && n <= kUserGlyphCount; }

// Single-byte codes the radio shows: ASCII from the space to "~", and the half-width katakana.
bool IsShownSingleByte(int code) {
  return (code >= kFirstShownCode && code < 0x7F) || (code >= 0xA1 && code <= 0xDF);
}

bool RadioShowsChar(char32_t c) {
  int code = Cp932CodeOf(c);
  bool glyph = code >= kGlyphCodeBase && code < kGlyphCodeBase + kUserGlyphCount;
  return IsShownSingleByte(code) || IsRadioChar(code) || glyph;
}

// A character as a message shows it: in quotes, or by its code when it is a control character,
// or as "an invalid byte" for a byte of a file that was not text.
std::string ShownChar(char32_t c) {
  if (c == U'\uFFFD') return "an invalid byte";
  if (c < 0x20 || c == 0x7F) return "character code " + std::to_string(static_cast<int>(c));
  return "\"" + U32ToUtf8(std::u32string(1, c)) + "\"";
}

}  // namespace

bool IsRadioChar(int code) {
  return code > 0 && code < 0x10000 && RadioCharBits().test(static_cast<size_t>(code));
}

std::string EncodeTitleCode(std::string_view text) {
  std::u32string chars = Utf8ToU32(text);
  std::string hex;
  hex.reserve(kTitleHexDigits);
  int units = 0;
  size_t i = 0;
  while (i < chars.size() && units < kTitleUnitCount) {
    int code;
    if (int glyph = GlyphTokenAt(chars, i); glyph != 0) {
      code = kGlyphCodeBase + glyph - 1;
      i += 3;
    } else {
      code = Cp932CodeOf(chars[i]);
      if (code < 0) code = kUnknownCharCode;
      ++i;
    }
    AppendUnit(hex, code);
    ++units;
  }
  hex.resize(kTitleHexDigits, '0');
  return hex;
}

std::string DecodeTitleCode(std::string_view hex, bool model_j) {
  std::string padded(hex.substr(0, kTitleHexDigits));
  padded.resize(kTitleHexDigits, '0');
  std::string text;
  for (int unit = 0; unit < kTitleUnitCount; ++unit) {
    int code = HexByteAt(padded, 2 * unit + 1) << 8 | HexByteAt(padded, 2 * unit);
    if (code >= kGlyphCodeBase && code < kGlyphCodeBase + kUserGlyphCount) {
      text += GlyphText(code - kGlyphCodeBase + 1, model_j);
    } else if (code >= kFirstShownCode && code < kFirstHiddenCode) {
      // Codes CP932 has no character for (0x80, a lone lead byte, an unassigned pair) cannot
      // be shown and are left out like the control codes.
      if (char32_t c = CharOfCp932Code(code); c != 0) AppendUtf8(text, c);
    }
  }
  return text;
}

int TitleByteCount(std::string_view text, bool model_j) {
  int bytes = Cp932ByteLength(text);
  if (!model_j) bytes -= GlyphTokenCount(Utf8ToU32(text));
  return bytes;
}

std::string FilterRadioText(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (char32_t c : Utf8ToU32(text)) {
    if (RadioShowsChar(c)) AppendUtf8(kept, c);
  }
  return kept;
}

RadioTextCheck CheckRadioText(std::string_view text) {
  std::u32string chars = Utf8ToU32(text);
  RadioTextCheck check;
  std::string dropped;
  int units = 0;
  for (size_t i = 0; i < chars.size();) {
    size_t length = GlyphTokenAt(chars, i) != 0 ? 3 : 1;
    if (length == 1 && !RadioShowsChar(chars[i])) {
      dropped += (dropped.empty() ? "" : ", ") + ShownChar(chars[i]);
    } else if (++units <= kTitleUnitCount) {
      check.kept += U32ToUtf8(chars.substr(i, length));
    }
    i += length;
  }
  if (!dropped.empty()) check.fault = "characters the radio cannot show: " + dropped;
  if (units > kTitleUnitCount) {
    check.fault += (check.fault.empty() ? "" : "; ") + std::to_string(units) +
                   " characters, the radio holds " + std::to_string(kTitleUnitCount);
  }
  return check;
}

bool TitleAcceptsChar(std::string_view current, char32_t c, bool model_j) {
  int code = Cp932CodeOf(c);
  if (code <= 0) return false;
  int width = TitleByteCount(current, model_j);
  if (code < 0x100) return width <= kTitleMaxBytes - 1;
  return width <= kTitleMaxBytes - 2 && IsRadioChar(code);
}

bool NameAcceptsChar(std::string_view current, char32_t c) {
  int code = Cp932CodeOf(c);
  if (code <= 0) return false;
  int bytes = Cp932ByteLength(current);
  return code < 0x100 ? bytes < kTitleMaxBytes : bytes < kTitleMaxBytes - 1;
}

std::string GlyphText(int n, bool model_j) {
  if (!IsGlyphNumber(n)) return "";
  std::string text;
  if (model_j) {
    AppendUtf8(text, kGlyphCharBase + static_cast<char32_t>(n - 1));
  } else {
    text = {':', static_cast<char>('0' + n), '~'};
  }
  return text;
}

std::string AppendTitleGlyph(std::string_view title, int n, bool model_j) {
  std::string result(title);
  if (IsGlyphNumber(n) && TitleByteCount(title, model_j) <= kTitleMaxBytes - 2) {
    result += GlyphText(n, model_j);
  }
  return result;
}

std::string AppendNameGlyph(std::string_view name, int n, bool model_j) {
  std::string result(name);
  if (IsGlyphNumber(n) && Cp932ByteLength(name) <= kTitleMaxBytes - 2) {
    result += GlyphText(n, model_j);
  }
  return result;
}

}  // namespace tqm5
