// Serves a SimRadio on a pseudo-terminal, so that the program (or any terminal tool) can open
// the slave device like a serial port. One server thread reads the master side, feeds the
// radio and writes its replies, applying the radio's reply delay and, when asked, the timing of
// a real 57600-baud line. POSIX-only: Windows has no pseudo-terminals, and a Windows build
// leaves this server and the tqm5-sim program out.
#ifndef TQM5_SIM_PTY_SERVER_H_
#define TQM5_SIM_PTY_SERVER_H_

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <ratio>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>

#include "sim/sim_radio.h"

namespace tqm5 {

class SimPtyServer {
 public:
  using Clock = std::chrono::steady_clock;
  // One byte on the line at 57600 baud, 8N1: 10 bits, 1/5760 s.
  using ByteTime = std::chrono::duration<int64_t, std::ratio<1, 5760>>;
  // Times on the line, exact in both nanoseconds and byte times, so that schedules built by
  // adding byte times never drift.
  using LineTime = std::chrono::time_point<Clock, std::common_type_t<Clock::duration, ByteTime>>;

  // `pace`: every byte the radio sends leaves at the speed of the line, and a command is taken
  // only once all its bytes could have come in at that speed.
  explicit SimPtyServer(SimRadio radio, bool pace = false);
  ~SimPtyServer();

  SimPtyServer(const SimPtyServer&) = delete;
  SimPtyServer& operator=(const SimPtyServer&) = delete;

  // Opens a pseudo-terminal pair and starts serving. Returns the slave device path
  // ("/dev/pts/7"), or an empty text when the pair cannot be set up (ErrorText() says why).
  std::string Start();
  // Stops the server thread and closes the pair. Replies not yet sent are dropped.
  void Stop();
  bool running() const { return thread_.joinable(); }

  // Called on the server thread when the radio hangs up (SimFaults::hang_up_after): the
  // server has then closed its side of the pseudo-terminal and stopped serving.
  void set_on_hang_up(std::function<void()> on_hang_up) { on_hang_up_ = std::move(on_hang_up); }

  const std::string& slave_path() const { return slave_path_; }
  const std::string& ErrorText() const { return error_text_; }

  // The radio, to set it up before Start() or to inspect it after Stop(). While the server
  // runs, its thread owns the radio and these must not be called.
  SimRadio& radio();
  const SimRadio& radio() const;

 private:
  // Bytes due at a time: command bytes become visible to the radio, reply bytes leave it.
  struct Timed {
    std::string bytes;
    LineTime start;   // reply: when its first byte starts; input: when it is taken
    size_t done = 0;  // reply bytes already written
  };

  void Serve();
  // Takes what the client has written, stamped with its time on the line.
  bool ReadInput(Clock::time_point now);
  // Hands the radio every command piece whose time has come and queues its replies.
  void FeedRadio(Clock::time_point now);
  // How many bytes of a reply are due by `now`.
  size_t DueBytes(const Timed& reply, Clock::time_point now) const;
  // Writes the reply bytes whose time has come. False when the pseudo-terminal is full.
  bool WriteOutput(Clock::time_point now);
  // When the next byte of the front reply is due.
  Clock::time_point NextOutputTime() const;
  void CloseFds();

  SimRadio radio_;
  const bool pace_;
  int master_fd_ = -1;
  int slave_fd_ = -1;  // kept open so the master never sees a hang-up between clients
  int stop_fd_ = -1;   // eventfd that wakes the server thread to stop
  std::string slave_path_;
  std::string error_text_;
  std::thread thread_;
  std::function<void()> on_hang_up_;

  // Server thread state.
  std::deque<Timed> input_;
  std::deque<Timed> output_;
  LineTime input_line_free_;   // when the last command byte is in
  LineTime output_line_free_;  // when the last queued reply byte is out
};

// The simulated radio a program serves for the model option the user chose: a radio of the
// option's variant (SimVariantOfModel), so that it answers the identification, holding the demo
// memory, so that a read brings banks of named channels. Not started yet.
std::unique_ptr<SimPtyServer> DemoRadioServer(ModelOption model);

}  // namespace tqm5

#endif  // TQM5_SIM_PTY_SERVER_H_
