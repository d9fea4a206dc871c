// The reading back of written blocks, shared by the write of changes and the full write that
// is asked to verify.
#ifndef TQM5_TRANSFER_WRITE_CHANGES_H_
#define TQM5_TRANSFER_WRITE_CHANGES_H_

#include <vector>

#include "transfer/transfer_run.h"
#include "transfer/write_plan.h"

namespace tqm5::transfer_detail {

// Reads back the blocks that hold `written` (progress phase "verifying", one step per block)
// and compares each write with what came back. False with the failure when a block does not
// come back, or when one holds other bytes than were sent: the first such write is named, and
// the radio is left as it is.
bool VerifyWritten(Run& run, const std::vector<WriteUnit>& written, Outcome& failure);

}  // namespace tqm5::transfer_detail

#endif  // TQM5_TRANSFER_WRITE_CHANGES_H_
