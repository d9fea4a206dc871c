#include "model/title_area.h"

#include <algorithm>

#include "image/hex.h"
#include "textdata/title_code.h"

namespace tqm5 {

std::string BuildTitleArea(const MemoryImage& image) {
  return EncodeTitleCode(image.title) + HexPad(image.title_scroll == 1 ? 1 : 0, 2) + "00";
}

void ParseTitleArea(std::string_view block_hex, MemoryImage& image) {
  image.title_scroll = HexByteAt(block_hex, 32) == 1 ? 1 : 0;
  image.title = DecodeTitleCode(block_hex.substr(0, std::min<size_t>(64, block_hex.size())),
                                UsesGlyphCharacters(image));
}

}  // namespace tqm5
