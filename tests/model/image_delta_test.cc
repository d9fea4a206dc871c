#include "model/image_delta.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tqm5 {
namespace {

// A step holds the channels and areas it changes and nothing else; swapping it onto the image
// before gives the image after, and swapping again gives the image before.
TEST(ImageDeltaTest, HoldsOnlyWhatTheStepChangesAndSwapsBothWays) {
  struct Row {
    const char* name;
    std::function<void(MemoryImage&)> edit;
    std::vector<int> channels;
    bool areas;
  };
  // clang-format off
  for (const Row& row : std::vector<Row>{{"nothing", [](MemoryImage&) {}, {}, false},
       {"channel 7 and the title", [](MemoryImage& m) { m.channel(7).name = "HOME", m.title = "HI"; },
        {7}, true},
       {"first and last channel",
        [](MemoryImage& m) { m.channel(1).used = true, m.channel(1623).frequency_hz = 145000000; },
        {1, 1623}, false},
       {"one glyph pixel", [](MemoryImage& m) { m.font_bits[7][15][15] = 1; }, {}, true}}) {
    // clang-format on
    SCOPED_TRACE(row.name);
    const MemoryImage before;
    MemoryImage after;
    row.edit(after);
    ImageDelta delta(before, after);
    EXPECT_EQ(delta.ChannelNumbers(), row.channels);
    EXPECT_EQ(delta.HoldsAreas(), row.areas);
    EXPECT_EQ(delta.empty(), row.channels.empty() && !row.areas);
    MemoryImage image;
    delta.Swap(image);
    EXPECT_TRUE(image == after);
    delta.Swap(image);
    EXPECT_TRUE(image == before);
  }
}

// Typing merged into one step: the merged step goes back to before the first keystroke, over
// channels and areas that either step alone changed, and forward to after the last.
TEST(ImageDeltaTest, AMergedStepTakesTheImageBackOverBothSteps) {
  const MemoryImage start;
  MemoryImage middle;
  middle.channel(7).name = "A";
  middle.channel(9).used = true;
  MemoryImage end = middle;
  end.channel(7).name = "AB";
  end.channel(3).name = "X";
  end.title = "T";

  MemoryImage image;
  ImageDelta first(image, middle);
  first.Swap(image);
  ImageDelta second(image, end);
  second.Swap(image);
  first.Merge(std::move(second));
  EXPECT_EQ(first.ChannelNumbers(), (std::vector<int>{3, 7, 9}));
  first.Swap(image);
  EXPECT_TRUE(image == start);
  first.Swap(image);
  EXPECT_TRUE(image == end);
}

}  // namespace
}  // namespace tqm5
