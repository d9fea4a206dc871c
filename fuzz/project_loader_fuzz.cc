// The project loader on any file: it must stop cleanly at bad lines, and what it loads must
// save again.
#include <cstdio>

#include "files/project_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = tqm5::WriteFuzzFile(data, size, ".M5");
  tqm5::MemoryImage image;
  tqm5::LoadProject(image, path);
  tqm5::ProjectLines(image, "header");
  std::remove(path.c_str());
  return 0;
}
