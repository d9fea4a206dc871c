#include "files/font_file.h"

#include <utility>

#include "files/text_file.h"
#include "textdata/cp932.h"

namespace tqm5 {
namespace {

constexpr std::string_view kFileEndLine = "File End";

Outcome SaveDoneOutcome() {
  return MessageOutcome("Save File", " Finish", OutcomeIcon::kNone, true);
}
Outcome ReadDoneOutcome() {
  return MessageOutcome("Read Font File", " Finish", OutcomeIcon::kNone, true);
}
Outcome WrongExtensionOutcome() {
  return MessageOutcome("This File don't Open", " Error", OutcomeIcon::kNone, false);
}

// The glyph a line starts: a line of the single digit "0".."7". Any other line (a letter on
// its own included) is not a glyph number and is skipped.
int GlyphNumberOf(std::string_view line) {
  if (line.size() != 1 || line[0] < '0' || line[0] >= '0' + kGlyphCount) return -1;
  return line[0] - '0';
}

// One pixel row from a line of exactly 16 characters: "0" clears, "1" sets, any other character
// leaves its pixel. A line of any other length leaves the whole row.
void ApplyRowLine(std::array<uint8_t, kGlyphSize>& pixels, std::string_view line) {
  std::u32string characters = Utf8ToU32(line);
  if (characters.size() != kGlyphSize) return;
  for (size_t column = 0; column < characters.size(); ++column) {
    if (characters[column] == U'0') pixels[column] = 0;
    if (characters[column] == U'1') pixels[column] = 1;
  }
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
    Outcome outcome = ErrorOutcome();
    outcome.detail = error;
    return outcome;
  }
  return SaveDoneOutcome();
}

Outcome LoadFontFile(MemoryImage& image, const std::string& path) {
  if (!PathEndsWith(path, "FM5")) return WrongExtensionOutcome();
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextLines(path, lines, error)) return SilentOutcome(error);
  // The first line is the date header, whatever it holds.
  for (size_t i = 1; i < lines.size(); ++i) {
    int glyph = GlyphNumberOf(lines[i]);
    if (glyph < 0) continue;
    GlyphBits& bits = image.font_bits[static_cast<size_t>(glyph)];
    for (int row = 0; row < kGlyphSize; ++row) {
      if (++i >= lines.size()) {
        return SilentOutcome("line " + std::to_string(i + 1) + ": the file ends at row " +
                             std::to_string(row) + " of glyph " + std::to_string(glyph) +
                             "; the rows before it were read");
      }
      ApplyRowLine(bits[static_cast<size_t>(row)], lines[i]);
    }
  }
  return ReadDoneOutcome();
}

}  // namespace tqm5
