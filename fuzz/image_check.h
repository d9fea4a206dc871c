// The whole-image work of the file targets: comparing an image with the one it started as and
// putting it back. These run over all 1623 channels for every input, which costs more than most
// parses under test; image_check.cc is therefore built without coverage instrumentation (see
// CMakeLists.txt), but with the same sanitizers as everything else.
#ifndef TQM5_FUZZ_IMAGE_CHECK_H_
#define TQM5_FUZZ_IMAGE_CHECK_H_

#include <vector>

#include "model/memory_image.h"

namespace tqm5::fuzz {

// True when `image` holds exactly what `start` holds.
bool SameImage(const MemoryImage& image, const MemoryImage& start);

// The numbers of the channels that differ between `image` and `start`, ascending.
std::vector<int> ChangedChannels(const MemoryImage& image, const MemoryImage& start);

// Makes `image` a copy of `start` again.
void RestoreImage(MemoryImage& image, const MemoryImage& start);

// Copies the channels `numbers` of `start` back into `image`.
void RestoreChannels(MemoryImage& image, const MemoryImage& start, const std::vector<int>& numbers);

}  // namespace tqm5::fuzz

#endif  // TQM5_FUZZ_IMAGE_CHECK_H_
