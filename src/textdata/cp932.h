// Shift-JIS (code page 932) conversion. Program text is UTF-8; the radio, the project file and
// the CSV file use CP932 codes. The conversion tables come from the system's converter (the C
// library's iconv("CP932"), or code page 932 on Windows), built once on first use. (Qt's own
// Shift-JIS converter is not used: it maps 0x1A, 0x1C and 0x7F to other characters.)
#ifndef TQM5_TEXTDATA_CP932_H_
#define TQM5_TEXTDATA_CP932_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace tqm5 {

// Length of the run of bytes below 0x80 (ASCII, in UTF-8 and CP932 alike) at the start of
// `bytes`: the texts are mostly ASCII, and such a run is converted whole.
size_t AsciiRunLength(std::string_view bytes);

// UTF-8 <-> UTF-32. Malformed UTF-8 decodes as U+FFFD per bad byte.
std::u32string Utf8ToU32(std::string_view utf8);
// The same into `out`, whose storage is reused: a loader converts its lines one by one.
void Utf8ToU32(std::string_view utf8, std::u32string& out);
std::string U32ToUtf8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t c);

// The CP932 code of one character: 0x00..0xFF for a single-byte character (ASCII and
// half-width katakana), the 16-bit code with the lead byte high for a double-byte character
// (0x829F for "ぁ"), or -1 when CP932 has no code for it.
int Cp932CodeOf(char32_t c);

// The character of a CP932 code (single byte below 0x100), or 0 when the code stands for none.
char32_t CharOfCp932Code(int code);

// Bytes of the text in CP932; a character without a code counts as one byte ("?").
int Cp932ByteLength(std::string_view utf8);

// Whole-text conversions for files. Characters without a CP932 code become "?"; bytes that are
// not valid CP932 become U+FFFD.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view bytes);

}  // namespace tqm5

#endif  // TQM5_TEXTDATA_CP932_H_
