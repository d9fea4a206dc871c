// Helpers shared by the fuzz targets.
#ifndef TQM5_FUZZ_FUZZ_FILE_H_
#define TQM5_FUZZ_FUZZ_FILE_H_

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tqm5 {

// The fuzz input as a file with the given ending, in memory-backed /dev/shm when there is one,
// so that the loaders are fuzzed through the same path the program uses.
inline std::string WriteFuzzFile(const uint8_t* data, size_t size, const char* ending) {
  static const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string path = folder + "/tqm5-fuzz-" + std::to_string(getpid()) + ending;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  return path;
}

}  // namespace tqm5

#endif  // TQM5_FUZZ_FUZZ_FILE_H_
