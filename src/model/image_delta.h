// `ImageDelta`: what one undo step changes of a memory image, kept as the changed parts alone
// (single channels, and the areas beside the channel table when they change), so that a long
// history of small edits costs little.
#ifndef TQM5_MODEL_IMAGE_DELTA_H_
#define TQM5_MODEL_IMAGE_DELTA_H_

#include <memory>
#include <vector>

#include "model/channel.h"
#include "model/memory_image.h"

namespace tqm5 {

// The parts a step changes, each with its value on the other side of the step. `Swap` exchanges
// them with an image's, which takes the image across the step: the delta between `from` and `to`
// turns `from` into `to` and then holds `from`'s values, so that the next `Swap` turns it back.
class ImageDelta {
 public:
  ImageDelta() = default;
  // The delta that takes `from` to `to`: `to`'s value of every channel that differs, and `to`'s
  // areas when any of them differs.
  ImageDelta(const MemoryImage& from, const MemoryImage& to);

  // True when the step changes nothing.
  bool empty() const { return channels_.empty() && areas_ == nullptr; }
  // The numbers of the channels the step changes, ascending, and whether it changes the areas.
  std::vector<int> ChannelNumbers() const;
  bool HoldsAreas() const { return areas_ != nullptr; }

  void Swap(MemoryImage& image);

  // Folds in the step that follows this one, after both have taken the image across (each holds
  // the values from before its own step): the result holds the values from before this step, so
  // one `Swap` takes the image back over both.
  void Merge(ImageDelta&& later);

 private:
  struct ChannelValue {
    int index;  // into MemoryImage::channels
    Channel channel;
  };
  std::vector<ChannelValue> channels_;  // by index, ascending
  std::unique_ptr<ImageAreas> areas_;
};

}  // namespace tqm5

#endif  // TQM5_MODEL_IMAGE_DELTA_H_
