// The project loader on any bytes, through the same code that loads a file: it must stop cleanly
// at bad lines, a file it refuses must leave the image as it was, and what it loads must save
// again.
#include <cstdlib>
#include <string_view>

#include "files/project_file.h"
#include "image_check.h"

namespace {

// The image before each load: the start-up image, built once, with a channel a load clears.
const tqm5::MemoryImage& Before() {
  static const tqm5::MemoryImage image = [] {
    tqm5::MemoryImage start;
    start.channel(3).used = true;
    return start;
  }();
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One image for the whole run: a refused load leaves it as `Before()`, a load is undone after.
  static tqm5::MemoryImage image = Before();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<tqm5::FileProblem> problems;
  tqm5::Outcome outcome = tqm5::LoadProjectBytes(image, bytes, "fuzz.M5", &problems);
  if (!outcome.success) {
    if (!tqm5::fuzz::SameImage(image, Before())) std::abort();  // a refused load changed the image
    return 0;
  }
  std::string error;
  if (tqm5::ProjectLines(image, "Save Date and Time", &error).empty()) std::abort();  // no save
  tqm5::fuzz::RestoreImage(image, Before());
  return 0;
}
