// What an opened project tells the window of the radio.
#include "gui/kept_files.h"

#include <gtest/gtest.h>

#include "files/snapshot_store.h"

namespace tqm5::gui {
namespace {

RadioSnapshot At(int seconds, const std::string& identification) {
  RadioSnapshot snapshot;
  snapshot.KeepArea(0, std::string(128, '0'));
  snapshot.identification = identification;
  snapshot.updated = std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
  return snapshot;
}

// The file's snapshot counts unless the window knows the radio more recently; one the store
// lacks is one line and changes nothing.
TEST(KeptFilesTest, AnOpenedProjectBringsItsRadioUnlessTheWindowKnowsANewerOne) {
  std::string error;
  const RadioSnapshot stored = At(2000, "ZR~TQ-M5J");
  const std::string digest = StoreSnapshot(stored, error);
  ASSERT_FALSE(digest.empty()) << error;
  // clang-format off
  struct Case { std::string digest; RadioSnapshot known; RadioSnapshot result; bool problem; };
  const Case cases[] = {
      {"", At(1000, "ZR~TQ-M5"), At(1000, "ZR~TQ-M5"), false},
      {digest, RadioSnapshot(), stored, false},
      {digest, At(1000, "ZR~TQ-M5"), stored, false},
      {digest, At(3000, "ZR~TQ-M5"), At(3000, "ZR~TQ-M5"), false},
      {"0123456789abcdef", At(1000, "ZR~TQ-M5"), At(1000, "ZR~TQ-M5"), true},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(RadioOfOpenedProject(c.digest, c.known, problem), c.result) << c.digest;
    EXPECT_EQ(problem.starts_with("The radio snapshot 0123456789abcdef is not in "), c.problem);
  }
}

}  // namespace
}  // namespace tqm5::gui
