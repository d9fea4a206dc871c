// The project loader on any file: it must stop cleanly at bad lines, a file it refuses must leave
// the image as it was, and what it loads must save again.
#include <cstdio>
#include <cstdlib>

#include "files/project_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = tqm5::WriteFuzzFile(data, size, ".M5");
  tqm5::MemoryImage image;
  image.channel(3).used = true;  // a load that runs clears it
  std::vector<std::string> before = tqm5::ProjectLines(image, "header");
  tqm5::Outcome outcome = tqm5::LoadProject(image, path);
  std::vector<std::string> after = tqm5::ProjectLines(image, "header");
  if (!outcome.success && after != before) std::abort();  // a refused load changed the image
  std::remove(path.c_str());
  return 0;
}
