// Which bytes of the radio's memory the program writes: every area of "Write All Data", less
// the bytes of the settings and DTMF areas that go back to the radio as they were read. Tests
// compare two radios over these bytes.
#ifndef TQM5_SIM_OWNED_BYTES_H_
#define TQM5_SIM_OWNED_BYTES_H_

#include <vector>

namespace tqm5 {

// One flag per address of the 0x20000-byte memory.
const std::vector<bool>& ProgramOwnedBytes();

}  // namespace tqm5

#endif  // TQM5_SIM_OWNED_BYTES_H_
