// DecodeTitleCode on any hex text, then encoding and decoding its text again and again: every
// round gives 64 digits, and the text settles within 16 rounds. (A round may change it: a code
// the radio cannot show is dropped, and under model option J a literal ":1~" left standing
// becomes the glyph it spells; each change shortens the code, so it cannot go on.)
#include <cstdlib>
#include <string>

#include "textdata/title_code.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool model_j = (data[0] & 1) != 0;
  std::string hex(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string text = tqm5::DecodeTitleCode(hex, model_j);
  for (int round = 0; round <= 16; ++round) {
    std::string encoded = tqm5::EncodeTitleCode(text);
    if (encoded.size() != 64) std::abort();
    std::string again = tqm5::DecodeTitleCode(encoded, model_j);
    if (again == text) return 0;
    text = std::move(again);
  }
  std::abort();
}
