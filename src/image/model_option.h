// The radio variant chosen at start-up and the identification commands that go with it.
#ifndef TQM5_IMAGE_MODEL_OPTION_H_
#define TQM5_IMAGE_MODEL_OPTION_H_

#include <optional>
#include <string_view>

namespace tqm5 {

// Model option `optModel`: "J", "T", "other", or none chosen (the model dialog was closed
// without OK, so every identification fails).
enum class ModelOption { kNone, kJ, kT, kOther };

// The option a user names on a command line: "J", "T" or "other" (in either case); nothing
// for any other text.
inline std::optional<ModelOption> ParseModelOption(std::string_view text) {
  if (text == "J" || text == "j") return ModelOption::kJ;
  if (text == "T" || text == "t") return ModelOption::kT;
  if (text == "other" || text == "OTHER" || text == "Other") return ModelOption::kOther;
  return std::nullopt;
}

// "J", "T" or "other", as the option buttons are captioned; empty for none.
inline std::string_view ModelOptionName(ModelOption option) {
  switch (option) {
    case ModelOption::kJ:
      return "J";
    case ModelOption::kT:
      return "T";
    case ModelOption::kOther:
      return "other";
    case ModelOption::kNone:
      break;
  }
  return "";
}

}  // namespace tqm5

#endif  // TQM5_IMAGE_MODEL_OPTION_H_
