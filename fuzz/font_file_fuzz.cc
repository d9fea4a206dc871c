// The font file loader on any file.
#include <cstdio>
#include <cstdlib>

#include "files/font_file.h"
#include "fonts/font_codec.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = tqm5::WriteFuzzFile(data, size, ".FM5");
  tqm5::MemoryImage image;
  tqm5::LoadFontFile(image, path);
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
