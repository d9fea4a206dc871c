// The font file loader on any file: a refused file changes no glyph.
#include <cstdio>
#include <cstdlib>

#include "files/font_file.h"
#include "fonts/font_codec.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = tqm5::WriteFuzzFile(data, size, ".FM5");
  tqm5::MemoryImage image;
  image.font_bits[7][15][15] = 1;
  const tqm5::FontBits before = image.font_bits;
  int glyphs = -1;
  tqm5::Outcome outcome = tqm5::LoadFontFile(image, path, &glyphs);
  if (outcome.success != (glyphs > 0)) std::abort();  // a load reads at least one glyph
  if (!outcome.success && image.font_bits != before) std::abort();  // a refusal changes nothing
  for (const auto& glyph : image.font_bits) {
    for (const auto& row : glyph) {
      for (uint8_t pixel : row) {
        if (pixel > 1) std::abort();  // a pixel is set or clear, nothing else
      }
    }
  }
  std::remove(path.c_str());
  return 0;
}
