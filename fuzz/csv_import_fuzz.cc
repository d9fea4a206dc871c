// The CSV import on any bytes, through the same code that imports a file, and the export of
// whatever it produced: the import changes channels 1..1603 and nothing else, and each channel
// it changed exports.
#include <cstdlib>
#include <string_view>
#include <vector>

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
  // One image for the whole run, put back to the start-up image after each input. The lines of
  // the channels an input left alone are those of the start-up image every time, so only the
  // changed ones are exported.
  static tqm5::MemoryImage image = StartUp();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<tqm5::CsvImportProblem> problems;
  tqm5::ImportCsvBytes(image, bytes, "fuzz.CSV", &problems);
  std::vector<int> changed = tqm5::fuzz::ChangedChannels(image, StartUp());
  for (int number : changed) {
    if (number > tqm5::kLastCsvImportChannel) std::abort();  // a bug-detector channel changed
    if (tqm5::CsvChannelLine(image, number).empty()) std::abort();
  }
  tqm5::fuzz::RestoreChannels(image, StartUp(), changed);
  if (!tqm5::fuzz::SameImage(image, StartUp())) std::abort();  // more than channels changed
  return 0;
}
