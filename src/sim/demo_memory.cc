#include "sim/demo_memory.h"

#include <vector>

#include "groups/bank_link.h"
#include "image/vocabulary.h"
#include "model/banks.h"

namespace tqm5 {
namespace {

using enum Modulation;
using enum ToneMode;
using enum Shift;

struct DemoChannel {
  int number;
  uint32_t hertz;
  Modulation mode;
  const char* step;
  ToneMode tone_mode;
  const char* tone;  // Tx and Rx tone
  Shift shift;
  uint32_t offset_hertz;
  const char* name;  // "%" stands for user glyph 1
};

// Banks 0..3 hold 6, 6, 5 and 5 channels, so that the first rows of the grid are all named.
constexpr int kDemoBankSizes[] = {6, 6, 5, 5, 978};

// clang-format off
const DemoChannel kDemoChannels[] = {
    // Bank 0: 2 m repeaters.
    {1, 145150000, kFm, "5KHz", kTone, "88.5Hz", kMinus, 600000, "2M RPT NORTH"},
    {2, 145270000, kFm, "12.5KHz", kTone, "100.0Hz", kMinus, 600000, "2M RPT CITY"},
    {3, 146940000, kFm, "5KHz", kTsq, "123.0Hz", kMinus, 600000, "2M RPT HILL"},
    {4, 147330000, kFm, "5KHz", kTone, "131.8Hz", kPlus, 600000, "2M RPT EAST"},
    {5, 145600000, kFm, "12.5KHz", kDcs, "88.5Hz", kMinus, 600000, "2M DCS 023"},
    {6, 145775000, kNfm, "12.5KHz", kTone, "88.5Hz", kMinus, 600000, "2M NARROW"},
    // Bank 1: 70 cm repeaters, Japanese names among them.
    {7, 439500000, kFm, "20KHz", kTone, "88.5Hz", kMinus, 5000000, "東京ﾚﾋﾟｰﾀ"},
    {8, 439860000, kFm, "20KHz", kTone, "88.5Hz", kMinus, 5000000, "横浜みなと"},
    {9, 434950000, kFm, "12.5KHz", kTone, "88.5Hz", kMinus, 5000000, "札幌 JR8"},
    {10, 442100000, kFm, "12.5KHz", kTsq, "100.0Hz", kPlus, 5000000, "70CM RPT %"},
    {11, 438650000, kFm, "12.5KHz", kTone, "77.0Hz", kMinus, 7600000, "70CM LINK"},
    {12, 1291000000, kFm, "20KHz", kTone, "88.5Hz", kMinus, 20000000, "23CM RPT"},
    // Bank 2: simplex.
    {13, 145000000, kFm, "20KHz", kNone, "88.5Hz", kOff, 0, "CALL 2M"},
    {14, 433000000, kFm, "20KHz", kNone, "88.5Hz", kOff, 0, "CALL 70CM"},
    {15, 1295000000, kFm, "20KHz", kNone, "88.5Hz", kOff, 0, "CALL 23CM"},
    {16, 145500000, kFm, "12.5KHz", kNone, "88.5Hz", kOff, 0, "SIMPLEX S20"},
    {17, 144390000, kNfm, "10KHz", kNone, "88.5Hz", kOff, 0, "APRS"},
    // Bank 3: airband and broadcast.
    {18, 118100000, kAm, "8.33KHz", kNone, "88.5Hz", kOff, 0, "TOWER"},
    {19, 121500000, kAm, "25KHz", kNone, "88.5Hz", kOff, 0, "AIR GUARD"},
    {20, 126650000, kAm, "8.33KHz", kNone, "88.5Hz", kOff, 0, "APPROACH"},
    {21, 80000000, kWfm, "100KHz", kNone, "88.5Hz", kOff, 0, "FM RADIO"},
    {22, 1485000, kAm, "10KHz", kNone, "88.5Hz", kOff, 0, "AM RADIO"},
    // A dual pair: main and sub band.
    {1101, 145500000, kFm, "20KHz", kNone, "88.5Hz", kOff, 0, "DUAL 2M"},
    {1102, 433000000, kFm, "20KHz", kNone, "88.5Hz", kOff, 0, "DUAL 70CM"},
};
// clang-format on

// A railway channel with its train tone, which only the "J" radios hold; in bank 4.
const DemoChannel kTrainChannel = {23,       150890000, kFm, "12.5KHz", kTrain,
                                   "88.5Hz", kOff,      0,   "JR 列車"};

// Glyph 1: a small antenna.
constexpr const char* kAntenna[kGlyphSize] = {
    "0000000110000000", "0000001111000000", "0000010110100000", "0000100110010000",
    "0000000110000000", "0000000110000000", "0000000110000000", "0000000110000000",
    "0000000110000000", "0000000110000000", "0000000110000000", "0000000110000000",
    "0000001111000000", "0000011111100000", "0000111111110000", "0000000000000000"};

uint8_t IndexIn(const auto& list, std::string_view caption) {
  return static_cast<uint8_t>(IndexOf(list, caption));
}

// A name or title with "%" replaced by user glyph 1 in the form the model option holds it.
std::string WithGlyph(std::string_view text, bool glyph_characters) {
  std::string out;
  for (char c : text) {
    if (c == '%') {
      out += glyph_characters ? "①" : ":1~";  // "①" is Shift-JIS 0x8740, the glyph's code
    } else {
      out += c;
    }
  }
  return out;
}

void PutChannel(MemoryImage& image, const DemoChannel& demo, bool glyph_characters) {
  Channel& channel = image.channel(demo.number);
  channel.blank = false;
  channel.frequency_hz = demo.hertz;
  channel.mode = demo.mode;
  channel.step_index = IndexIn(kStepList, demo.step);
  channel.train_index = kJrTrainIndex;
  channel.tone_mode = demo.tone_mode;
  channel.tx_tone_index = channel.rx_tone_index = IndexIn(kToneList, demo.tone);
  channel.dcs_index = 0;
  channel.shift = demo.shift;
  channel.offset_hz = demo.offset_hertz;
  channel.skip = Skip::kNo;
  channel.name = WithGlyph(demo.name, glyph_characters);
  channel.used = true;
}

}  // namespace

MemoryImage DemoImage(SimVariant variant) {
  MemoryImage image;
  SelectModelOption(image, SimModelOption(variant));
  const bool glyph_characters = UsesGlyphCharacters(image);

  image.bank_sizes = {};
  for (size_t b = 0; b < std::size(kDemoBankSizes); ++b) image.bank_sizes[b] = kDemoBankSizes[b];
  RebuildRowLabels(image);
  RebuildUsedBanks(image);
  for (const DemoChannel& demo : kDemoChannels) PutChannel(image, demo, glyph_characters);
  if (variant == kTqM5 || variant == kTqM5J) PutChannel(image, kTrainChannel, glyph_characters);

  image.title = WithGlyph(glyph_characters ? "ＴＱ－Ｍ５ %" : "TQ-M5 DEMO %", glyph_characters);
  image.title_scroll = 1;
  for (int r = 0; r < kGlyphSize; ++r) {
    for (int c = 0; c < kGlyphSize; ++c) image.font_bits[0][r][c] = kAntenna[r][c] == '1';
  }
  image.one_touch[0] = {false, 1, 0};  // key 1: bank 1, its first channel
  GroupBanks repeaters{};
  repeaters[0] = repeaters[1] = true;
  image.bank_link_hex[0] = GroupHexOf(0, repeaters);
  return image;
}

}  // namespace tqm5
