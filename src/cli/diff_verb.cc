// `tqm5 diff`: what differs between two projects, or between a project and the radio, one
// line each, with the exit status of diff(1).
#include <ostream>

#include "cli/verbs.h"
#include "editing/image_differences.h"

namespace tqm5::cli {
namespace {

constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

}  // namespace

int Diff(const Options& options, std::ostream& out, std::ostream& err) {
  MemoryImage old_image;
  if (!LoadProjectForVerb(options, options.files[0], old_image, err)) return kTrouble;
  MemoryImage new_image;
  if (options.port.empty()) {
    if (!LoadProjectForVerb(options, options.files[1], new_image, err)) return kTrouble;
  } else if (!ReadRadioForVerb(options, new_image, err)) {
    return kTrouble;
  }
  std::vector<Difference> differences = ImageDifferences(old_image, new_image);
  for (const Difference& difference : differences) out << DifferenceLine(difference) << "\n";
  return differences.empty() ? kSame : kDifferent;
}

}  // namespace tqm5::cli
