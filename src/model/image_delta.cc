#include "model/image_delta.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tqm5 {

ImageDelta::ImageDelta(const MemoryImage& from, const MemoryImage& to) {
  for (int i = 0; i < kChannelCount; ++i) {
    if (from.channels[i] != to.channels[i]) channels_.push_back({i, to.channels[i]});
  }
  const ImageAreas& to_areas = to;
  if (static_cast<const ImageAreas&>(from) != to_areas) {
    areas_ = std::make_unique<ImageAreas>(to_areas);
  }
}

std::vector<int> ImageDelta::ChannelNumbers() const {
  std::vector<int> numbers;
  for (const ChannelValue& value : channels_) numbers.push_back(value.index + 1);
  return numbers;
}

void ImageDelta::Swap(MemoryImage& image) {
  for (ChannelValue& value : channels_) std::swap(value.channel, image.channels[value.index]);
  if (areas_ != nullptr) std::swap(*areas_, static_cast<ImageAreas&>(image));
}

void ImageDelta::Merge(ImageDelta&& later) {
  // A part that this step changes already holds its value from before both; a part that only
  // the later step changes held the same value before this one as before that one.
  std::vector<ChannelValue> merged;
  merged.reserve(channels_.size() + later.channels_.size());
  auto mine = channels_.begin();
  for (ChannelValue& theirs : later.channels_) {
    while (mine != channels_.end() && mine->index < theirs.index)
      merged.push_back(std::move(*mine++));
    if (mine == channels_.end() || mine->index != theirs.index) merged.push_back(std::move(theirs));
  }
  std::move(mine, channels_.end(), std::back_inserter(merged));
  channels_ = std::move(merged);
  if (areas_ == nullptr) areas_ = std::move(later.areas_);
}

}  // namespace tqm5
