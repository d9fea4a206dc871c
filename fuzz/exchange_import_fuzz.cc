// The import of a channel list from other radio programs on any bytes, at the first empty memory
// and at the last memory, and the export of whatever it produced.
#include <string_view>

#include "files/exchange_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tqm5::MemoryImage kStartUp;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (int start : {0, 1000}) {
    tqm5::MemoryImage image = kStartUp;
    std::vector<tqm5::FileProblem> problems;
    tqm5::ImportExchangeCsvBytes(image, bytes, "fuzz.csv", start, &problems);
    if (!(image == kStartUp)) tqm5::ExchangeCsvText(image);
  }
  return 0;
}
