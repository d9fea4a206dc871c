// Scratch files for tests: unique paths, files of hand-written lines, whole-file reads.
#ifndef TQM5_TESTS_SUPPORT_FILES_H_
#define TQM5_TESTS_SUPPORT_FILES_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "textdata/cp932.h"

namespace tqm5::testing {

// A path in the test's scratch folder, unique to this process.
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "tqm5_" + std::to_string(getpid()) + "_" + name;
}

// The bytes of `lines` (UTF-8, stored as CP932) each followed by `line_end`.
inline std::string FileBytes(const std::vector<std::string>& lines, const char* line_end = "\r\n") {
  std::string bytes;
  for (const std::string& line : lines) bytes += Utf8ToCp932(line) + line_end;
  return bytes;
}

inline void WriteLines(const std::string& path, const std::vector<std::string>& lines,
                       const char* line_end = "\r\n") {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << FileBytes(lines, line_end);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tqm5::testing

#endif  // TQM5_TESTS_SUPPORT_FILES_H_
