#include "image_check.h"

namespace tqm5::fuzz {

bool SameImage(const MemoryImage& image, const MemoryImage& start) { return image == start; }

std::vector<int> ChangedChannels(const MemoryImage& image, const MemoryImage& start) {
  std::vector<int> numbers;
  for (int number = 1; number <= kChannelCount; ++number) {
    if (!(image.channel(number) == start.channel(number))) numbers.push_back(number);
  }
  return numbers;
}

void RestoreImage(MemoryImage& image, const MemoryImage& start) { image = start; }

void RestoreChannels(MemoryImage& image, const MemoryImage& start,
                     const std::vector<int>& numbers) {
  for (int number : numbers) image.channel(number) = start.channel(number);
}

}  // namespace tqm5::fuzz
