// The radio variant chosen at start-up and the identification commands that go with it.
#ifndef TQM5_IMAGE_MODEL_OPTION_H_
#define TQM5_IMAGE_MODEL_OPTION_H_

namespace tqm5 {

// Model option `optModel`: "J", "T", "other", or none chosen (the model dialog was closed
// without OK, so every identification fails).
enum class ModelOption { kNone, kJ, kT, kOther };

}  // namespace tqm5

#endif  // TQM5_IMAGE_MODEL_OPTION_H_
