// A simulated TQ-M5 radio: its 128 KiB clone memory and the command lines it answers on the
// serial line. Plain data and string processing, no threads and no I/O besides loading and
// saving the memory file, so that tests can drive it directly and the transports and servers
// can wrap it.
//
// On the wire the radio answers a command line (the command and CR) with the echo of that line,
// CR LF, the payload and CR LF. It answers:
//   "ZR~" + its own variant name          -> "OK" (other variants' names: no answer)
//   "ZR~F" + 5 hex digits + "R"           -> 128 hex digits, the 64 bytes from that address
//   "ZR~F" + 5 hex digits + "W" + data    -> "OK" after storing the data (1..64 bytes)
//   "ZR~RESET"                            -> accepted, no answer
// Anything else, including lower-case hex digits and writes that would run past the end of the
// memory, is left unanswered: no echo, nothing.
#ifndef TQM5_SIM_SIM_RADIO_H_
#define TQM5_SIM_SIM_RADIO_H_

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "image/model_option.h"

namespace tqm5 {

struct MemoryImage;

// The radio variants, each answering its own identification command.
enum SimVariant : uint8_t { kTqM5, kTqM5J, kTqM5T, kTqM5E, kTqM5EG, kTqM5K };

inline constexpr std::array<SimVariant, 6> kAllSimVariants = {kTqM5,  kTqM5J,  kTqM5T,
                                                              kTqM5E, kTqM5EG, kTqM5K};

// "TQ-M5", "TQ-M5J", "TQ-M5T", "TQ-M5E", "TQ-M5EG", "TQ-M5K".
std::string_view SimVariantName(SimVariant variant);
// The variant of a name as SimVariantName gives it; nothing for any other text.
std::optional<SimVariant> ParseSimVariant(std::string_view name);
// The identification command the variant answers "OK": "ZR~" + its name.
std::string IdentificationCommand(SimVariant variant);

// The model option a user chooses for the variant: "J" for TQ-M5 and TQ-M5J, "T" for TQ-M5T,
// "other" for the rest.
ModelOption SimModelOption(SimVariant variant);
// The variant a program simulates for the model option the user chose, so that it answers the
// identification that option expects: TQ-M5T for "T", TQ-M5E for "other", TQ-M5 for "J" or none.
SimVariant SimVariantOfModel(ModelOption model);

// What the radio holds when it starts: the memory a new radio comes with, or the demo memory
// of banks of named channels (sim/demo_memory.h).
enum class SimContent : uint8_t { kFactory, kDemo };

// Ways the simulated radio can misbehave, for testing the program's failure paths.
struct SimFaults {
  // Answers the first `stop_after` command lines (every line counts, answered or not) and
  // nothing after them. Negative: never stops.
  int stop_after = -1;
  // Writes at these start addresses are answered "NG" and not stored.
  std::set<int> refuse_write_at;
  // Reads at these addresses get no answer at all.
  std::set<int> no_read_reply_at;
  // Answers the first `hang_up_after` command lines, then leaves the line as an unplugged cable
  // would: the transports and servers that carry it close it. Negative: never.
  int hang_up_after = -1;
  // Answers the first `garble_after` command lines as it should; after them every reply, echo
  // included, arrives as line noise: its first 8 bytes with the top bit flipped. The commands
  // still take effect, so a write is stored. Negative: never.
  int garble_after = -1;
  // Every `corrupt_every`-th write that is stored (counting from the first) keeps one byte
  // wrong, as a failing memory cell or a bit flipped on the line would: the byte in the middle
  // of the data has its lowest bit flipped. The write is answered "OK" all the same. 0: never.
  int corrupt_every = 0;
  // Replies lack the CR LF between the echo and the payload.
  bool drop_leading_crlf = false;
  // Replies leave the radio this long after the command line has been received. The radio
  // itself only reports it; the transports and servers that carry the replies apply it.
  std::chrono::milliseconds reply_delay{0};
};

class SimRadio {
 public:
  static constexpr int kMemorySize = 0x20000;
  using Memory = std::array<uint8_t, kMemorySize>;

  // A radio of `variant` holding its factory memory, or the demo memory.
  explicit SimRadio(SimVariant variant = kTqM5, SimContent content = SimContent::kFactory);

  // Exactly what "Write All Data" sends right after the program has started, stored on memory
  // that is otherwise 0xFF: every area the program writes, in the program's write-all order,
  // for the model option and identification command that fit the variant.
  static Memory FactoryMemory(SimVariant variant);
  // The demo memory: DemoImage written the same way.
  static Memory DemoMemory(SimVariant variant);
  // What "Write All Data" of `image` leaves on memory that is otherwise 0xFF, sent to a radio
  // of `variant`.
  static Memory WrittenMemory(const MemoryImage& image, SimVariant variant);

  SimVariant variant() const { return variant_; }

  Memory& memory() { return memory_; }
  const Memory& memory() const { return memory_; }

  // Loads a raw memory file of exactly 0x20000 bytes. On failure the memory is unchanged and,
  // when `error` is given, it says why ("radio.bin: 1000 bytes, expected 131072").
  bool LoadImage(const std::string& path, std::string* error = nullptr);
  // Writes the memory as a raw 0x20000-byte file (through a temporary file and a rename, so
  // an interrupted save never leaves a truncated image behind).
  bool SaveImage(const std::string& path) const;

  // Bytes the computer sent, in any pieces. Every complete line (ended by CR) is one command;
  // returns the radio's replies to them, concatenated (empty when none is answered).
  std::string Receive(std::string_view bytes);

  // Every command line received so far, without its CR, answered or not.
  const std::vector<std::string>& commands() const { return commands_; }

  const SimFaults& faults() const { return faults_; }
  void set_faults(SimFaults faults) { faults_ = std::move(faults); }
  // True once the radio has left the line (`hang_up_after`).
  bool HungUp() const {
    return faults_.hang_up_after >= 0 && lines_received_ >= faults_.hang_up_after;
  }
  // How long after receiving a command its reply leaves the radio.
  std::chrono::milliseconds reply_delay() const { return faults_.reply_delay; }

 private:
  // The payload answered to one command; nothing when it is left unanswered.
  std::optional<std::string> Answer(std::string_view command);
  std::optional<std::string> AnswerRead(int address);
  std::optional<std::string> AnswerWrite(int address, std::string_view data_hex);

  SimVariant variant_;
  Memory memory_;
  SimFaults faults_;
  std::string pending_;  // bytes of a line whose CR has not come yet
  std::vector<std::string> commands_;
  int64_t lines_received_ = 0;  // for `stop_after`
  int64_t writes_stored_ = 0;   // for `corrupt_every`
};

}  // namespace tqm5

#endif  // TQM5_SIM_SIM_RADIO_H_
