#include "sim/loopback_transport.h"

#include <algorithm>
#include <thread>

namespace tqm5 {

bool LoopbackTransport::Open() {
  if (!open_error_.empty()) {
    error_text_ = open_error_;
    open_ = false;
    return false;
  }
  error_text_.clear();
  open_ = true;
  lost_ = false;
  return true;
}

void LoopbackTransport::Close() {
  open_ = false;
  in_flight_.clear();
}

bool LoopbackTransport::HangUpSeen() {
  if (radio_.HungUp() && in_flight_.empty()) {
    lost_ = true;
    error_text_ = "the simulated radio hung up";
  }
  return lost_;
}

bool LoopbackTransport::Write(std::string_view bytes) {
  if (!open_ || HangUpSeen()) return false;
  std::string reply = radio_.Receive(bytes);
  if (reply.empty()) return true;
  // Replies leave the radio in order, so a later one never overtakes an earlier one, even
  // when the delay has been shortened in between.
  Clock::time_point arrival = Clock::now() + radio_.reply_delay();
  if (!in_flight_.empty()) arrival = std::max(arrival, in_flight_.back().arrival);
  in_flight_.push_back({arrival, std::move(reply)});
  return true;
}

std::string LoopbackTransport::ReadAvailable() {
  std::string bytes;
  const Clock::time_point now = Clock::now();
  while (HasArrived(now)) {
    bytes += in_flight_.front().bytes;
    in_flight_.pop_front();
  }
  return bytes;
}

bool LoopbackTransport::WaitForData(Clock::time_point deadline) {
  if (HasArrived(Clock::now())) return true;
  if (HangUpSeen()) return false;
  // Nothing else can feed the line while the caller waits, so the next arrival is known.
  const Clock::time_point wake =
      in_flight_.empty() ? deadline : std::min(deadline, in_flight_.front().arrival);
  // A sleep may end up to a millisecond early where the system sleeps in whole milliseconds
  // (Windows): the wait goes on until the time has come.
  while (Clock::now() < wake) std::this_thread::sleep_until(wake);
  return HasArrived(Clock::now());
}

void LoopbackTransport::DiscardInput() {
  const Clock::time_point now = Clock::now();
  while (HasArrived(now)) in_flight_.pop_front();
}

}  // namespace tqm5
