// The procedures that move each memory area between the radio and the image. Readers change the
// image only when the whole area arrived; writers stop at the first reply that is not "OK".
// The settings and DTMF areas are written read-modify-write: read again, the program's fields
// laid over the fresh copy, written back, so bytes the program does not own go back unchanged.
#ifndef TQM5_LINK_AREAS_H_
#define TQM5_LINK_AREAS_H_

#include <string>

#include "link/radio_link.h"
#include "model/memory_image.h"
#include "model/order_table.h"
#include "model/radio_snapshot.h"

namespace tqm5 {

// Every reader below also refuses a reply that is not hex text: such bytes would otherwise
// reach the image as zeros and go back to the radio on the next write.

// `ReadSettingsArea`: the three settings blocks into the snapshot (decoding is the caller's).
bool ReadSettingsArea(RadioLink& link, RadioSnapshot& radio);
// `WriteSettingsArea`: fresh read, `EncodeSettings` over it, the three blocks written; the
// snapshot keeps what was written.
bool WriteSettingsArea(RadioLink& link, const MemoryImage& image, RadioSnapshot& radio);

// `ReadBankLinkData`, `WriteBankLinkData`: the eleven bank-link groups.
bool ReadBankLinkData(RadioLink& link, MemoryImage& image);
bool WriteBankLinkData(RadioLink& link, const MemoryImage& image);

// `ReadOneTouchArea`, `WriteOneTouchArea`: the nine one-touch keys. The read rebuilds the
// used-bank table from the current bank sizes before it places the keys.
bool ReadOneTouchArea(RadioLink& link, MemoryImage& image);
bool WriteOneTouchArea(RadioLink& link, const MemoryImage& image);

// `ReadTitleArea`, `WriteTitleArea`: the opening title and its scroll choice.
bool ReadTitleArea(RadioLink& link, MemoryImage& image);
bool WriteTitleArea(RadioLink& link, const MemoryImage& image);

// `ReadBankSizes` (which rebuilds the row labels), `WriteBankSizes`. A read whose sizes cannot
// be banks of this radio (above 1000) fails and changes nothing; a write of sizes that do not
// add up to 1000 fails without sending anything.
bool ReadBankSizes(RadioLink& link, MemoryImage& image);
bool WriteBankSizes(RadioLink& link, const MemoryImage& image);

// `WriteOrderRecord`: record k of the pass-channel order table.
bool WriteOrderRecord(RadioLink& link, const ChannelOrderTable& table, int k);

// `ReadFontData`: glyph `number`'s block, or the empty text when the reply is not 128 hex
// digits. `WriteFontData`: the glyph's 32 bytes.
std::string ReadFontData(RadioLink& link, int number);
bool WriteFontData(RadioLink& link, const MemoryImage& image, int number);

// `ReadDtmfArea`: the three DTMF blocks into the snapshot (`ShowDtmfArea` shows them).
// `WriteDtmfArea`: fresh read, the DTMF fields merged in, the three blocks written; the
// snapshot keeps what was written.
bool ReadDtmfArea(RadioLink& link, RadioSnapshot& radio);
bool WriteDtmfArea(RadioLink& link, const MemoryImage& image, RadioSnapshot& radio);

// `ReadMemFlag`, `WriteMemFlag`: the memory write protection at 1FE01.
bool ReadMemFlag(RadioLink& link, MemoryImage& image);
bool WriteMemFlag(RadioLink& link, const MemoryImage& image);

// `ReadChannel`: the 128-digit record of channel n (1..1623) from its slot, or the empty text.
// `WriteChannel`: channel n as `EncodeChannel` gives it for the radio that accepted
// `identification`.
std::string ReadChannel(RadioLink& link, int n);
bool WriteChannel(RadioLink& link, const MemoryImage& image, std::string_view identification,
                  int n);

}  // namespace tqm5

#endif  // TQM5_LINK_AREAS_H_
