// DecodeChannel on any record text: every index byte must stay inside its table, and the
// decoded channel must encode and decode to the same frequency and tones (its name is checked
// by the title fuzzer).
#include <cstdlib>
#include <string>

#include "image/vocabulary.h"
#include "model/channel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool model_j = (data[0] & 1) != 0;
  std::string record(reinterpret_cast<const char*>(data + 1), size - 1);
  tqm5::Channel channel;
  tqm5::DecodeChannel(channel, record, model_j);
  if (channel.step_index >= tqm5::kStepCount || channel.tx_tone_index >= tqm5::kToneCount ||
      channel.rx_tone_index >= tqm5::kToneCount || channel.dcs_index >= tqm5::kDcsCount ||
      channel.train_index >= tqm5::kTrainCount) {
    std::abort();
  }
  std::string encoded = tqm5::EncodeChannel(channel, 1, "ZR~TQ-M5");
  if (encoded.size() != 128) std::abort();
  if (channel.used) {
    tqm5::Channel again;
    tqm5::DecodeChannel(again, encoded, model_j);
    if (again.frequency_hz != channel.frequency_hz ||
        again.tx_tone_index != channel.tx_tone_index) {
      std::abort();
    }
  }
  return 0;
}
