// The eight user glyphs as a font file (".FM5"), saved and opened from the font window's menu.
//
// File form: CP932 text, lines ended by CR LF. Line 1 is "Save Date and Time " + date + " " +
// time; then, for each glyph 0..7, a line holding the glyph number as one digit and 16 lines of
// 16 characters "0"/"1", pixel rows 0..15 from the top, columns left to right; the last line is
// "File End". 138 lines in all.
#ifndef TQM5_FILES_FONT_FILE_H_
#define TQM5_FILES_FONT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "image/outcome.h"
#include "model/memory_image.h"

namespace tqm5 {

inline constexpr int kFontFileLineCount = 2 + kGlyphCount * (1 + kGlyphSize);

// The lines of the font file of the image's glyphs, with `header` as the first line.
std::vector<std::string> FontFileLines(const MemoryImage& image, const std::string& header);

// Writes the glyphs to `path` (replacing it as a whole), headed by the current date and time.
// Ends with "Save File" titled " Finish"; a failed write ends with "Error" titled " Error",
// critical, the reason in `detail`.
Outcome SaveFontFile(const MemoryImage& image, const std::string& path);

// Reads glyphs from the font file at `path` into the image. A glyph is read when its number line
// ("0".."7") is followed by its 16 row lines; lines outside a glyph are skipped. Only the glyphs
// the file holds change, and within them only the pixels given as "0" or "1" on rows of exactly
// 16 characters. Ends with "Read Font File" titled " Finish"; `glyphs_read` (when given) gets the
// number of different glyphs read, and `detail` notes the rows left because they were not 16
// characters long. The load is all or nothing:
// - A path not ending in "FM5": "This File don't Open" titled " Error"; nothing changes.
// - A file that cannot be read: no message, `detail` says why; nothing changes.
// - A file that ends within a glyph's 16 rows, or that holds no glyph at all (an empty file,
//   another kind of file, glyph numbers out of range): "This File don't Open" titled " Error",
//   `detail` says why; nothing changes.
Outcome LoadFontFile(MemoryImage& image, const std::string& path, int* glyphs_read = nullptr);

// The load of a font file's bytes, as `LoadFontFile` reads them from a file with an FM5 name;
// `name` names the file in messages.
Outcome LoadFontBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                      int* glyphs_read = nullptr);

}  // namespace tqm5

#endif  // TQM5_FILES_FONT_FILE_H_
