// The eight user glyphs as a font file (".FM5"), saved and opened from the font window's menu.
//
// File form: CP932 text, lines ended by CR LF. Line 1 is "Save Date and Time " + date + " " +
// time; then, for each glyph 0..7, a line holding the glyph number as one digit and 16 lines of
// 16 characters "0"/"1", pixel rows 0..15 from the top, columns left to right; the last line is
// "File End". 138 lines in all.
#ifndef TQM5_FILES_FONT_FILE_H_
#define TQM5_FILES_FONT_FILE_H_

#include <string>
#include <vector>

#include "image/memory_image.h"
#include "image/outcome.h"

namespace tqm5 {

inline constexpr int kFontFileLineCount = 2 + kGlyphCount * (1 + kGlyphSize);

// The lines of the font file of the image's glyphs, with `header` as the first line.
std::vector<std::string> FontFileLines(const MemoryImage& image, const std::string& header);

// Writes the glyphs to `path` (replacing it as a whole), headed by the current date and time.
// Ends with "Save File" titled " Finish"; a failed write ends with "Error" titled " Error",
// critical, the reason in `detail`.
Outcome SaveFontFile(const MemoryImage& image, const std::string& path);

// Reads glyphs from the font file at `path` into the image. Only the glyphs the file holds
// change, and within them only the pixels given as "0" or "1" on rows of exactly 16
// characters. Ends with "Read Font File" titled " Finish".
// - A path not ending in "FM5": "This File don't Open" titled " Error"; nothing changes.
// - A file that cannot be read: no message, `detail` says why; nothing changes.
// - A file that ends within a glyph's 16 rows: no message, `detail` says where; the rows read
//   so far have been applied.
Outcome LoadFontFile(MemoryImage& image, const std::string& path);

}  // namespace tqm5

#endif  // TQM5_FILES_FONT_FILE_H_
