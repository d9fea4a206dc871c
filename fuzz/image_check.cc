#include "image_check.h"

namespace tqm5::fuzz {

bool SameImage(const MemoryImage& image, const MemoryImage& start) { return image == start; }

void RestoreImage(MemoryImage& image, const MemoryImage& start) { image = start; }

}  // namespace tqm5::fuzz
