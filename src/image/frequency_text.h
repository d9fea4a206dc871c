// Exact reading of the frequency texts that the grid, the CSV file and the project file carry:
// "145.00000MHz", "0.600MHz", and the shorter forms a spreadsheet leaves ("145", "145.0125").
#ifndef TQM5_IMAGE_FREQUENCY_TEXT_H_
#define TQM5_IMAGE_FREQUENCY_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tqm5 {

// Largest value `MegahertzToHertz` gives; larger numbers come back as this value, which lies
// beyond every field and range that the callers check.
inline constexpr int64_t kHertzCeiling = int64_t{1} << 50;

// The hertz a megahertz text means, computed on its digits (no floating point): one or more
// digits with at most one "." among or after them ("145", "145.", ".5" are not frequencies,
// "145.0" is), then optionally "MHz". Any other text (empty, a sign, a space, another unit)
// gives nullopt, and so does a text with a non-zero digit below one hertz ("145.0000001").
std::optional<int64_t> MegahertzToHertz(std::string_view text);

// The grid's receive frequency text: whole megahertz, ".", the first five of the six fraction
// digits, "MHz". 145012509 Hz shows "145.01250MHz": the last hertz digit is dropped, not rounded.
std::string FrequencyText(uint32_t hertz);
// The grid's offset text: whole megahertz, ".", three digits, "MHz" ("0.600MHz" for 600000 Hz).
std::string OffsetText(uint32_t hertz);

}  // namespace tqm5

#endif  // TQM5_IMAGE_FREQUENCY_TEXT_H_
