// The undo history of the window's model.
#include "gui/document.h"

#include <gtest/gtest.h>

#include <string>

namespace tqm5::gui {
namespace {

// A day's work of single-channel edits stays undoable, every one back to the image before.
TEST(DocumentTest, TheHistoryKeepsAThousandSingleChannelEdits) {
  Document document;
  for (int n = 1; n <= 1000; ++n) {
    document.Change("Edit", [n](MemoryImage& image) { image.channel(n).name = "N"; });
  }
  ASSERT_EQ(document.undo_stack()->count(), 1000);
  while (document.undo_stack()->canUndo()) document.undo_stack()->undo();
  EXPECT_TRUE(document.image() == MemoryImage());
}

}  // namespace
}  // namespace tqm5::gui
