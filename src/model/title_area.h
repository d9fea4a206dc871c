// The opening title block: the title's text code, its scroll choice and a 0x00 byte, at the title
// address of the memory map.
#ifndef TQM5_MODEL_TITLE_AREA_H_
#define TQM5_MODEL_TITLE_AREA_H_

#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace tqm5 {

// The 68 digits written to the title block: the title's text code, the scroll choice and 0x00.
std::string BuildTitleArea(const MemoryImage& image);
// Sets the title and scroll choice from the title block (a scroll byte other than 0 or 1 reads
// as 0). Glyphs are shown as the model option holds them.
void ParseTitleArea(std::string_view block_hex, MemoryImage& image);

}  // namespace tqm5

#endif  // TQM5_MODEL_TITLE_AREA_H_
