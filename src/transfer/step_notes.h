// The words a failed or stopped transfer uses to tell the user where it stopped and what the
// radio holds afterwards.
#ifndef TQM5_TRANSFER_STEP_NOTES_H_
#define TQM5_TRANSFER_STEP_NOTES_H_

#include <string>
#include <vector>

#include "image/model_option.h"
#include "link/radio_link.h"

namespace tqm5 {

// "channel 1102 (address 13E00)": the channel and the address of its record.
std::string ChannelStepName(int n);

// Why identification failed: the commands of the model option, that none was answered "OK",
// and the last exchange, e.g. `identification as model option J failed: neither "ZR~TQ-M5" nor
// "ZR~TQ-M5J" was answered "OK" (the radio did not answer "ZR~TQ-M5J" within 1000 ms). Check
// the cable, the port and the model option.`
std::string IdentificationDetail(ModelOption option, const Exchange& last);
// The same without the advice and the full stop, for a caller that knows more: `identification
// as model option J failed: ... (the radio did not answer "ZR~TQ-M5J" within 1000 ms)`. For a
// chosen option only.
std::string IdentificationFailure(ModelOption option, const Exchange& last);

// After a write of consecutive areas stopped at `stopped`: which were written and which not.
// `written` lists the areas before it in order (runs of user glyphs are named together);
// `partly` is true when some blocks of `stopped` were accepted before it stopped, `in_doubt`
// when its last block went out and the radio's answer leaves open whether it was stored.
std::string AreasWrittenNote(const std::vector<std::string>& written, const std::string& stopped,
                             bool partly, bool in_doubt = false);

// After a channel write stopped at channel `stopped`. `first` and `last` are the channels the
// command writes; `areas_before` is true when areas were written before the channels;
// `in_doubt` when channel `stopped` went out and may have been stored.
std::string ChannelsWrittenNote(int first, int last, int stopped, bool areas_before,
                                bool in_doubt = false);

}  // namespace tqm5

#endif  // TQM5_TRANSFER_STEP_NOTES_H_
