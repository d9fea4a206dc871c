// The CSV importer on any file, and the export of whatever it produced.
#include <cstdio>

#include "files/csv_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = tqm5::WriteFuzzFile(data, size, ".CSV");
  tqm5::MemoryImage image;
  std::vector<tqm5::CsvImportProblem> problems;
  tqm5::ImportCsv(image, path, &problems);
  tqm5::CsvLines(image);
  std::remove(path.c_str());
  return 0;
}
