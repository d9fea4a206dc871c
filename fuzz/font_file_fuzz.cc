// The font file loader on any bytes, through the same code that loads a file: a refused file
// changes no glyph.
#include <cstdlib>
#include <string_view>

#include "files/font_file.h"
#include "fonts/font_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tqm5::MemoryImage image;  // the start-up image, built once: only its glyphs change
  image.font_bits = {};
  image.font_bits[7][15][15] = 1;
  const tqm5::FontBits before = image.font_bits;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int glyphs = -1;
  tqm5::Outcome outcome = tqm5::LoadFontBytes(image, bytes, "fuzz.FM5", &glyphs);
  if (outcome.success != (glyphs > 0)) std::abort();  // a load reads at least one glyph
  if (!outcome.success && image.font_bits != before) std::abort();  // a refusal changes nothing
  for (const auto& glyph : image.font_bits) {
    for (const auto& row : glyph) {
      for (uint8_t pixel : row) {
        if (pixel > 1) std::abort();  // a pixel is set or clear, nothing else
      }
    }
  }
  return 0;
}
