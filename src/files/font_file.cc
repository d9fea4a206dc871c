#include "files/font_file.h"

#include <algorithm>
#include <utility>

#include "files/text_file.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

constexpr std::string_view kFileEndLine = "File End";

Outcome SaveDoneOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Save File", " Finish", OutcomeIcon::kNone);
}
Outcome ReadDoneOutcome() {
  return MessageOutcome(OutcomeKind::kDone, "Read Font File", " Finish", OutcomeIcon::kNone);
}
// A file refused by its name or its content; `detail` says why when it is the content.
Outcome DontOpenOutcome() { return FileRefusedOutcome(" Error"); }

// The glyph a line starts: a line of the single digit "0".."7". Any other line (a letter on
// its own included) is not a glyph number and is skipped.
int GlyphNumberOf(std::string_view line) {
  if (line.size() != 1 || line[0] < '0' || line[0] >= '0' + kGlyphCount) return -1;
  return line[0] - '0';
}

// One pixel row from a line of exactly 16 characters: "0" clears, "1" sets, any other character
// leaves its pixel. A line of any other length leaves the whole row; the result is then false.
bool ApplyRowLine(std::array<uint8_t, kGlyphSize>& pixels, std::string_view line) {
  std::u32string characters = Utf8ToU32(line);
  if (characters.size() != kGlyphSize) return false;
  for (size_t column = 0; column < characters.size(); ++column) {
    if (characters[column] == U'0') pixels[column] = 0;
    if (characters[column] == U'1') pixels[column] = 1;
  }
  return true;
}

// The note on rows left as they were, for the user to check the file.
std::string SkippedRowsNote(int count, size_t first_line) {
  std::string where = " (line " + std::to_string(first_line) + ")";
  if (count == 1) return "1 pixel row was not 16 characters long and was left as it was" + where;
  return std::to_string(count) +
         " pixel rows were not 16 characters long and were left as they were (the first at line " +
         std::to_string(first_line) + ")";
}

Outcome RefusedOutcome(std::string detail) {
  Outcome outcome = DontOpenOutcome();
  outcome.detail = std::move(detail);
  return outcome;
}

}  // namespace

std::vector<std::string> FontFileLines(const MemoryImage& image, const std::string& header) {
  std::vector<std::string> lines;
  lines.reserve(kFontFileLineCount);
  lines.push_back(header);
  for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
    lines.push_back(std::to_string(glyph));
    for (const auto& pixels : image.font_bits[static_cast<size_t>(glyph)]) {
      std::string row;
      for (uint8_t pixel : pixels) row += pixel == 1 ? '1' : '0';
      lines.push_back(std::move(row));
    }
  }
  lines.emplace_back(kFileEndLine);
  return lines;
}

Outcome SaveFontFile(const MemoryImage& image, const std::string& path) {
  std::string error;
  if (!WriteTextLines(path, FontFileLines(image, SaveDateTimeLine()), error)) {
    Outcome outcome = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kFileFailed);
    outcome.detail = error;
    return outcome;
  }
  return SaveDoneOutcome();
}

Outcome LoadFontFile(MemoryImage& image, const std::string& path, int* glyphs_read) {
  if (glyphs_read != nullptr) *glyphs_read = 0;
  if (!PathEndsWith(path, "FM5")) return DontOpenOutcome();
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes, error)) return SilentOutcome(OutcomeKind::kFileRefused, error);
  return LoadFontBytes(image, bytes, path, glyphs_read);
}

Outcome LoadFontBytes(MemoryImage& image, std::string_view bytes, const std::string& name,
                      int* glyphs_read) {
  if (glyphs_read != nullptr) *glyphs_read = 0;
  std::vector<std::string> lines;
  std::string error;
  if (!TextLinesFromBytes(bytes, name, lines, error))
    return SilentOutcome(OutcomeKind::kFileRefused, error);
  // The glyphs go into a copy, which replaces the image's only when the whole file has loaded.
  FontBits font = image.font_bits;
  std::array<bool, kGlyphCount> read{};
  int skipped_rows = 0;
  size_t first_skipped_line = 0;
  // The first line is the date header, whatever it holds.
  for (size_t i = 1; i < lines.size(); ++i) {
    int glyph = GlyphNumberOf(lines[i]);
    if (glyph < 0) continue;
    if (i + kGlyphSize >= lines.size()) {
      size_t rows = lines.size() - 1 - i;
      return RefusedOutcome("the file ends after line " + std::to_string(lines.size()) +
                            ", inside glyph " + std::to_string(glyph) + " (" +
                            std::to_string(rows) + " of its 16 rows); nothing was read");
    }
    GlyphBits& bits = font[static_cast<size_t>(glyph)];
    for (size_t row = 0; row < kGlyphSize; ++row) {
      ++i;
      if (ApplyRowLine(bits[row], lines[i])) continue;
      if (skipped_rows++ == 0) first_skipped_line = i + 1;
    }
    read[static_cast<size_t>(glyph)] = true;
  }
  int count = static_cast<int>(std::count(read.begin(), read.end(), true));
  if (count == 0) return RefusedOutcome("no glyph found in the file");
  image.font_bits = font;
  if (glyphs_read != nullptr) *glyphs_read = count;
  Outcome outcome = ReadDoneOutcome();
  if (skipped_rows > 0) outcome.detail = SkippedRowsNote(skipped_rows, first_skipped_line);
  return outcome;
}

}  // namespace tqm5
