#include "image/vocabulary.h"

namespace tqm5 {

const std::array<std::string_view, kStepCount> kStepList = {
    "5KHz",  "6.25KHz", "8.33KHz", "10KHz",  "12.5KHz", "15KHz",  "20KHz",  "25KHz",
    "30KHz", "50KHz",   "100KHz",  "125KHz", "150KHz",  "200KHz", "500KHz", "1MHz"};

const std::array<std::string_view, kToneCount> kToneList = {
    "67.0Hz",  "69.3Hz",  "71.9Hz",  "74.4Hz",  "77.0Hz",  "79.7Hz",  "82.5Hz",  "85.4Hz",
    "88.5Hz",  "91.5Hz",  "94.8Hz",  "97.4Hz",  "100.0Hz", "103.5Hz", "107.2Hz", "110.9Hz",
    "114.8Hz", "118.8Hz", "123.0Hz", "127.3Hz", "131.8Hz", "136.5Hz", "141.3Hz", "146.2Hz",
    "151.4Hz", "156.7Hz", "162.2Hz", "167.9Hz", "173.8Hz", "179.9Hz", "186.2Hz", "192.8Hz",
    "203.5Hz", "210.7Hz", "218.1Hz", "225.7Hz", "233.6Hz", "241.8Hz", "250.3Hz"};

const std::array<std::string_view, kDcsCount> kDcsList = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

const std::array<std::string_view, kTrainCount> kTrainList = {
    "300Hz",  "400Hz",  "500Hz",  "600Hz",  "700Hz",  "800Hz",  "900Hz",  "1000Hz",
    "1100Hz", "1200Hz", "1300Hz", "1400Hz", "1500Hz", "1600Hz", "1700Hz", "1800Hz",
    "1900Hz", "2000Hz", "2100Hz", "2200Hz", "2300Hz", "2400Hz", "2500Hz", "2600Hz",
    "2700Hz", "2800Hz", "2900Hz", "3000Hz", "ＪＲ"};

namespace {

constexpr std::array<std::string_view, kModulationCount> kModulationTexts = {"FM", "AM", "NFM",
                                                                             "WFM"};
constexpr std::array<std::string_view, kToneModeCount> kToneModeTexts = {"None", "Tone", "TSQ",
                                                                         "SQ",   "DCS",  "Train"};
constexpr std::array<std::string_view, 5> kShiftTexts = {"Off", "+", "-", "＋", "－"};
constexpr std::array<std::string_view, 3> kSkipTexts = {"", "*", "※"};

template <typename Enum, size_t N>
std::optional<Enum> Parse(const std::array<std::string_view, N>& texts, std::string_view text) {
  int index = IndexOf(texts, text);
  if (index < 0) return std::nullopt;
  return static_cast<Enum>(index);
}

}  // namespace

std::string_view ModulationText(Modulation mode) { return kModulationTexts[size_t(mode)]; }
std::string_view ToneModeText(ToneMode mode) { return kToneModeTexts[size_t(mode)]; }
std::string_view ShiftText(Shift shift) { return kShiftTexts[size_t(shift)]; }
std::string_view SkipText(Skip skip) { return kSkipTexts[size_t(skip)]; }

std::optional<Modulation> ParseModulation(std::string_view text) {
  return Parse<Modulation>(kModulationTexts, text);
}
std::optional<ToneMode> ParseToneMode(std::string_view text) {
  return Parse<ToneMode>(kToneModeTexts, text);
}
std::optional<Shift> ParseShift(std::string_view text) { return Parse<Shift>(kShiftTexts, text); }
std::optional<Skip> ParseSkip(std::string_view text) { return Parse<Skip>(kSkipTexts, text); }

int ShiftDirection(Shift shift) {
  switch (shift) {
    case Shift::kOff:
      return 0;
    case Shift::kPlus:
    case Shift::kPlusFullWidth:
      return 1;
    case Shift::kMinus:
    case Shift::kMinusFullWidth:
      return 2;
  }
  return 0;
}

}  // namespace tqm5
