#include "image/memory_image.h"

namespace tqm5 {

MemoryImage::MemoryImage() {}

}  // namespace tqm5
