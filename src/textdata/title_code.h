// `TitleCode`: the radio's text code, shared by the opening title and the channel names, the
// table of double-byte characters the radio can show (`RadioCharTable`), the user glyphs and
// the typing and filtering rules of the title and name boxes.
//
// A text in the radio is 16 units of 16 bits, each stored low byte first (64 hex digits). A
// unit is the CP932 code of one character (0x0020..0x00FF for a single-byte character, the
// 16-bit code with the lead byte high for a double-byte one), 0x8740 + n - 1 for user glyph n
// (1..8), and 0x0000 for unused units at the end.
//
// In program text (UTF-8) a user glyph is held as its CP932 character ("①".."⑧") while model
// option "J" is selected, and as the token ":n~" (":1~".. ":8~") otherwise.
#ifndef TQM5_TEXTDATA_TITLE_CODE_H_
#define TQM5_TEXTDATA_TITLE_CODE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tqm5 {

inline constexpr int kTitleUnitCount = 16;             // units in one text of the radio
inline constexpr int kTitleHexDigits = 64;             // the 16 units as hex digits
inline constexpr int kTitleMaxBytes = 16;              // display width of a title or a name
inline constexpr int kUserGlyphCount = 8;              // user glyphs 1..8
inline constexpr int kGlyphCodeBase = 0x8740;          // unit of user glyph 1
inline constexpr char32_t kGlyphCharBase = U'\u2460';  // "①", CP932 0x8740

// `RadioCharTable`: the CP932 double-byte codes the radio can display, 0 for an unused entry.
// Entries by index: 0..82 hiragana, 83..169 katakana, 170..265 symbols from 0x813F, 266..328
// further symbols and the full-width digits, 329..354 full-width A-Z, 355..380 full-width a-z,
// 381..399 unused, 400..843 kanji, 844..851 unused.
inline constexpr int kRadioCharTableSize = 852;
extern const std::array<uint32_t, kRadioCharTableSize> kRadioCharTable;

// `IsRadioChar`: true when the 16-bit CP932 code is one of the table's entries (0 is not).
bool IsRadioChar(int code);

// `EncodeTitleCode`: the 64 upper-case hex digits of a UTF-8 text. A token ":1~".. ":8~"
// becomes a glyph unit; a character without a CP932 code is sent as "?". Units past the 16th
// are cut; unused units are zero.
std::string EncodeTitleCode(std::string_view text);

// `DecodeTitleCode`: the program text of a hex text of the code, read as if padded with "0" to
// 64 digits. Glyph units become "①".. with `model_j`, else ":n~". Units below 0x0020, from
// 0xF000 up, and codes CP932 has no character for are skipped.
std::string DecodeTitleCode(std::string_view hex, bool model_j);

// Display width of a title: its CP932 bytes, where, unless `model_j`, every glyph token counts
// as 2 (the glyph's own width) instead of its 3 characters.
int TitleByteCount(std::string_view text, bool model_j);

// Keeps the characters the radio can show: the printable ones of one byte in CP932 (ASCII from
// the space to "~" and the half-width katakana), those whose double-byte code `IsRadioChar`, and
// the user glyphs "①".."⑧" (held as characters under model option "J"; they are not in the
// table, but dropping them would delete glyphs the user inserted, on every focus change and
// every file load). Everything else is dropped: control characters (the radio skips their
// units), characters without a CP932 code, and bytes a file held that are not text.
std::string FilterRadioText(std::string_view text);

// A name or title from a file, checked against what the radio holds: `kept` is what the radio
// would show of it (the characters `FilterRadioText` keeps, cut after 16 characters, a glyph
// token ":n~" counting as one), and `fault` says why that is not the text itself ("" when it
// is): "characters the radio cannot show: \"Ω\", character code 0; 17 characters, the radio
// holds 16".
struct RadioTextCheck {
  std::string kept;
  std::string fault;
};
RadioTextCheck CheckRadioText(std::string_view text);

// Title box: may character `c` be typed after `current`? A single-byte character fits while
// the width is at most 15, a double-byte one while it is at most 14 and the radio can show it.
// Characters without a CP932 code are refused. Backspace and paste keys are the caller's.
bool TitleAcceptsChar(std::string_view current, char32_t c, bool model_j);

// Channel name box: may character `c` be typed after `current`? A single-byte character fits
// while the name holds fewer than 16 CP932 bytes, a double-byte one while it holds fewer than
// 15. Typing does not check the radio's table (the name is filtered later); characters without
// a CP932 code are refused. Backspace and paste keys are the caller's.
bool NameAcceptsChar(std::string_view current, char32_t c);

// The program text of user glyph n (1..8): "①".. with `model_j`, else ":n~". Empty for any
// other n.
std::string GlyphText(int n, bool model_j);

// Glyph button n of the title: appends glyph n while the title's width is at most 14;
// otherwise (or for n outside 1..8) returns the title unchanged.
std::string AppendTitleGlyph(std::string_view title, int n, bool model_j);

// Glyph button n of the channel dialog: appends glyph n while the name holds at most 14 CP932
// bytes (a token counts its 3 characters here); otherwise returns the name unchanged.
std::string AppendNameGlyph(std::string_view name, int n, bool model_j);

}  // namespace tqm5

#endif  // TQM5_TEXTDATA_TITLE_CODE_H_
