#include "image/frequency_text.h"

#include <algorithm>

#include "image/hex.h"

namespace tqm5 {

std::optional<int64_t> MegahertzToHertz(std::string_view text) {
  constexpr std::string_view kUnit = "MHz";
  if (text.ends_with(kUnit)) text.remove_suffix(kUnit.size());
  size_t dot = text.find('.');
  std::string_view whole = text.substr(0, dot);
  std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() || !digits(whole) || !digits(fraction)) return std::nullopt;
  if (dot != std::string_view::npos && fraction.empty()) return std::nullopt;
  constexpr size_t kHertzDigits = 6;
  if (fraction.size() > kHertzDigits &&
      fraction.find_first_not_of('0', kHertzDigits) != std::string_view::npos) {
    return std::nullopt;
  }
  constexpr int64_t kMegahertzCeiling = kHertzCeiling / 1000000;
  int64_t megahertz = 0;
  for (char c : whole) megahertz = std::min(kMegahertzCeiling, megahertz * 10 + (c - '0'));
  int64_t hertz = megahertz * 1000000;
  for (size_t i = 0, scale = 100000; i < std::min(fraction.size(), kHertzDigits); ++i) {
    hertz += (fraction[i] - '0') * static_cast<int64_t>(scale);
    scale /= 10;
  }
  return std::min(kHertzCeiling, hertz);
}

namespace {

// `hertz` / 1,000,000, ".", then the first `digits` of the six-digit remainder, then "MHz".
std::string MegahertzText(uint32_t hertz, int digits) {
  std::string text = std::to_string(hertz / 1000000);
  text += '.';
  text.append(ZeroPad(hertz % 1000000, 6), 0, static_cast<size_t>(digits));
  text += "MHz";
  return text;
}

}  // namespace

std::string FrequencyText(uint32_t hertz) { return MegahertzText(hertz, 5); }

std::string OffsetText(uint32_t hertz) { return MegahertzText(hertz, 3); }

}  // namespace tqm5
