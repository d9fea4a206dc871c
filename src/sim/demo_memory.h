// The demo memory of the simulated radio: what a user finds after "Read All Data" from it, so
// that the window shows banks of named channels, a title and a glyph instead of an empty radio.
#ifndef TQM5_SIM_DEMO_MEMORY_H_
#define TQM5_SIM_DEMO_MEMORY_H_

#include "model/memory_image.h"
#include "sim/sim_radio.h"

namespace tqm5 {

// The image the demo memory is written from, for a radio of `variant`: banks 0..3 of repeaters
// on 2 m and 70 cm (tones, shifts), simplex calling channels and an airband and broadcast bank,
// the rest of the 1000 memories in bank 4; a dual pair; a title and a name with user glyph 1,
// which is drawn (a small antenna); one one-touch key and one bank-link group. Only what the
// variant can hold: the train-tone channel is there for the "J" radios alone, and no channel
// lies in the bands the "T" radio may not hold.
MemoryImage DemoImage(SimVariant variant);

}  // namespace tqm5

#endif  // TQM5_SIM_DEMO_MEMORY_H_
