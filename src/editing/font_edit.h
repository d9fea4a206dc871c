// The font window's editing rules on the eight user glyphs, and the reading of a program text as
// runs of plain text and user glyphs, for drawing the glyphs as the radio shows them.
#ifndef TQM5_EDITING_FONT_EDIT_H_
#define TQM5_EDITING_FONT_EDIT_H_

#include <string>
#include <string_view>
#include <vector>

#include "fonts/font_codec.h"

namespace tqm5 {

// One pixel of the editing grid: row 0..15 from the top, column 0..15 from the left.
struct GlyphCell {
  int row = 0;
  int column = 0;
  friend bool operator==(const GlyphCell&, const GlyphCell&) = default;
};

// A click on a grid cell: pixel (glyph, row, column) is inverted. A glyph or cell outside the
// font changes nothing.
void TogglePixel(FontBits& font, int glyph, GlyphCell cell);

// "Select Setting" (`set`) and "Select Delete": every pixel of the rectangle between the current
// cell and the selection end (rows and columns in either order) is set or cleared. Corners
// outside the grid are clamped to 0..15.
void FillGlyphRect(FontBits& font, int glyph, GlyphCell current, GlyphCell end, bool set);

// "Clear": glyph `glyph` all clear. "All Clear": the eight glyphs all clear.
void ClearOneGlyph(FontBits& font, int glyph);
void ClearAllGlyphs(FontBits& font);

// "NEXT" (`step` 1) and "BACK" (`step` -1): the glyph then selected. Stepping past glyph 7 or
// before glyph 0 keeps the glyph.
int StepGlyph(int glyph, int step);

// A piece of a program text: plain text (`glyph` 0) or user glyph 1..8 (`text` is how the text
// holds it, "①".."⑧" or ":1~"..":8~").
struct GlyphTextRun {
  std::string text;
  int glyph = 0;
  friend bool operator==(const GlyphTextRun&, const GlyphTextRun&) = default;
};

// Splits a UTF-8 text into runs of plain text and single user glyphs, in order. Both forms of a
// glyph are found whatever the model, as the radio's text code takes both.
std::vector<GlyphTextRun> SplitGlyphText(std::string_view text);

// True when the text holds a user glyph in either form.
bool HasUserGlyph(std::string_view text);

}  // namespace tqm5

#endif  // TQM5_EDITING_FONT_EDIT_H_
