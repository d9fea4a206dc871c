// What differs between two memory images, one line per difference, so that the command line
// and the window list the same lines. Only what reaches the radio counts: a channel that is
// not in use counts as empty (the radio gets an empty record), and the row labels, the port
// number, the model option, the language the pages are shown in and the group tables kept only
// by the project file are not compared. Settings are named by their English captions and shown
// with their English choice texts, whatever language either image is shown in.
#ifndef TQM5_EDITING_IMAGE_DIFFERENCES_H_
#define TQM5_EDITING_IMAGE_DIFFERENCES_H_

#include <string>
#include <vector>

#include "model/memory_image.h"

namespace tqm5 {

enum class DifferenceKind {
  kChannel,
  kSetting,
  kTitle,
  kDtmf,
  kBankSize,
  kOneTouch,
  kGlyph,
  kBankLink,
};

struct Difference {
  DifferenceKind kind;
  int channel = 0;    // the channel number 1..1623 of a kChannel difference, else 0
  std::string where;  // "channel 5 Freqency", "setting Illumination (Set_Mode_Display 1)"
  std::string old_text;
  std::string new_text;
  friend bool operator==(const Difference&, const Difference&) = default;
};

// Every difference from `old_image` to `new_image`: channels in number order, each in column
// order, then the settings, title, DTMF, bank sizes, one-touch keys, glyphs and bank links.
std::vector<Difference> ImageDifferences(const MemoryImage& old_image,
                                         const MemoryImage& new_image);

// "channel 5 Freqency: 145.00000MHz -> 145.50000MHz"; an empty value reads "(empty)".
std::string DifferenceLine(const Difference& difference);

}  // namespace tqm5

#endif  // TQM5_EDITING_IMAGE_DIFFERENCES_H_
