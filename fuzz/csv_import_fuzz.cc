// The CSV import on any bytes, through the same code that imports a file, and the export of
// whatever it produced.
#include <string_view>

#include "files/csv_file.h"
#include "image_check.h"

namespace {

// The start-up image, built once.
const tqm5::MemoryImage& StartUp() {
  static const tqm5::MemoryImage image;
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One image for the whole run, put back to the start-up image after an input changed it.
  static tqm5::MemoryImage image = StartUp();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<tqm5::CsvImportProblem> problems;
  tqm5::ImportCsvBytes(image, bytes, "fuzz.CSV", &problems);
  if (!tqm5::fuzz::SameImage(image, StartUp())) {
    tqm5::CsvLines(image);
    tqm5::fuzz::RestoreImage(image, StartUp());
  }
  return 0;
}
