// A Transport wired straight to a SimRadio in memory: no port, no pseudo-terminal, no threads.
// What the program writes reaches the radio at once; the radio's reply "arrives" after the
// radio's reply delay, on the steady clock, so timeouts and waits behave as on a real line.
#ifndef TQM5_SIM_LOOPBACK_TRANSPORT_H_
#define TQM5_SIM_LOOPBACK_TRANSPORT_H_

#include <deque>
#include <string>
#include <string_view>

#include "link/transport.h"
#include "sim/sim_radio.h"

namespace tqm5 {

class LoopbackTransport : public Transport {
 public:
  // The radio must outlive the transport; the caller keeps it to look at its memory and
  // command log.
  explicit LoopbackTransport(SimRadio& radio) : radio_(radio) {}

  // Makes every following Open() fail with this text (as a missing or busy port would);
  // an empty text lets Open() succeed again.
  void set_open_error(std::string error_text) { open_error_ = std::move(error_text); }

  SimRadio& radio() { return radio_; }

  bool Open() override;
  // Bytes still on their way are lost with the line.
  void Close() override;
  bool IsOpen() const override { return open_; }
  // After the radio hung up (SimFaults::hang_up_after), as soon as a write or a wait meets it.
  bool PortLost() const override { return lost_; }

  bool Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  // Sleeps until the next reply arrives or the deadline passes, whichever comes first; returns
  // at once when the radio has hung up and nothing more is on its way.
  bool WaitForData(Clock::time_point deadline) override;
  // Drops the replies that have arrived; replies still on their way arrive later.
  void DiscardInput() override;

  std::string ErrorText() const override { return error_text_; }
  std::string PortName() const override { return "simulated radio"; }

 private:
  struct InFlight {
    Clock::time_point arrival;
    std::string bytes;
  };

  // Notes that the radio has hung up once everything it sent has arrived; true when it has.
  bool HangUpSeen();
  bool HasArrived(Clock::time_point now) const {
    return !in_flight_.empty() && in_flight_.front().arrival <= now;
  }

  SimRadio& radio_;
  bool open_ = false;
  bool lost_ = false;
  std::string open_error_;
  std::string error_text_;
  std::deque<InFlight> in_flight_;  // in order of arrival
};

}  // namespace tqm5

#endif  // TQM5_SIM_LOOPBACK_TRANSPORT_H_
