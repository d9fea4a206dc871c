// The radio snapshot loader on any bytes: it must refuse cleanly or give a snapshot whose file
// reads back as the same snapshot.
#include <cstdlib>
#include <string_view>

#include "files/snapshot_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tqm5::RadioSnapshot snapshot;
  std::string error;
  if (!tqm5::ParseSnapshotText(text, snapshot, error)) {
    if (error.empty() || !(snapshot == tqm5::RadioSnapshot())) std::abort();
    return 0;
  }
  tqm5::RadioSnapshot again;
  if (!tqm5::ParseSnapshotText(tqm5::SnapshotText(snapshot), again, error) || !(again == snapshot))
    std::abort();
  return 0;
}
