#include "editing/font_edit.h"

#include <algorithm>

#include "textdata/cp932.h"
#include "textdata/title_code.h"

namespace tqm5 {
namespace {

bool IsGlyph(int glyph) { return glyph >= 0 && glyph < kGlyphCount; }

bool IsCell(GlyphCell cell) {
  return cell.row >= 0 && cell.row < kGlyphSize && cell.column >= 0 && cell.column < kGlyphSize;
}

int ClampToGrid(int value) { return std::clamp(value, 0, kGlyphSize - 1); }

// The glyph number (1..8) of the character "①".."⑧", else 0.
int GlyphOfChar(char32_t c) {
  if (c < kGlyphCharBase || c >= kGlyphCharBase + kUserGlyphCount) return 0;
  return static_cast<int>(c - kGlyphCharBase) + 1;
}

// The glyph number of the token ":n~" starting at `at`, else 0.
int GlyphOfToken(std::u32string_view text, size_t at) {
  if (at + 3 > text.size() || text[at] != U':' || text[at + 2] != U'~') return 0;
  char32_t digit = text[at + 1];
  return digit >= U'1' && digit < U'1' + kUserGlyphCount ? static_cast<int>(digit - U'0') : 0;
}

}  // namespace

void TogglePixel(FontBits& font, int glyph, GlyphCell cell) {
  if (!IsGlyph(glyph) || !IsCell(cell)) return;
  uint8_t& pixel = font[static_cast<size_t>(glyph)][static_cast<size_t>(cell.row)]
                       [static_cast<size_t>(cell.column)];
  pixel = pixel == 1 ? 0 : 1;
}

void FillGlyphRect(FontBits& font, int glyph, GlyphCell current, GlyphCell end, bool set) {
  if (!IsGlyph(glyph)) return;
  // The braced form returns values: the two-argument form would refer to the temporaries.
  const auto [top, bottom] = std::minmax({ClampToGrid(current.row), ClampToGrid(end.row)});
  const auto [left, right] = std::minmax({ClampToGrid(current.column), ClampToGrid(end.column)});
  GlyphBits& bits = font[static_cast<size_t>(glyph)];
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      bits[static_cast<size_t>(row)][static_cast<size_t>(column)] = set ? 1 : 0;
    }
  }
}

void ClearOneGlyph(FontBits& font, int glyph) {
  if (IsGlyph(glyph)) ClearGlyph(font, glyph);
}

void ClearAllGlyphs(FontBits& font) {
  for (int glyph = 0; glyph < kGlyphCount; ++glyph) ClearGlyph(font, glyph);
}

int StepGlyph(int glyph, int step) {
  int next = glyph + step;
  return IsGlyph(next) ? next : glyph;
}

std::vector<GlyphTextRun> SplitGlyphText(std::string_view text) {
  std::u32string characters = Utf8ToU32(text);
  std::vector<GlyphTextRun> runs;
  std::u32string plain;
  auto end_plain = [&] {
    if (!plain.empty()) runs.push_back({U32ToUtf8(plain), 0});
    plain.clear();
  };
  for (size_t i = 0; i < characters.size();) {
    if (int glyph = GlyphOfChar(characters[i]); glyph > 0) {
      end_plain();
      runs.push_back({U32ToUtf8(characters.substr(i, 1)), glyph});
      ++i;
    } else if (glyph = GlyphOfToken(characters, i); glyph > 0) {
      end_plain();
      runs.push_back({U32ToUtf8(characters.substr(i, 3)), glyph});
      i += 3;
    } else {
      plain += characters[i++];
    }
  }
  end_plain();
  return runs;
}

bool HasUserGlyph(std::string_view text) {
  std::vector<GlyphTextRun> runs = SplitGlyphText(text);
  return std::any_of(runs.begin(), runs.end(),
                     [](const GlyphTextRun& run) { return run.glyph > 0; });
}

}  // namespace tqm5
