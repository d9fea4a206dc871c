// The reply framing of SendCommand on any byte stream from the radio, delivered in pieces: it
// must never crash, never return more than arrived, and only accept a framed reply.
#include <cstdlib>
#include <deque>
#include <string>

#include "link/radio_link.h"

namespace {

// Replies with the fuzz bytes, cut into pieces at the given lengths, all arrived at once.
class FuzzTransport : public tqm5::Transport {
 public:
  explicit FuzzTransport(std::deque<std::string> pieces) : pieces_(std::move(pieces)) {}
  bool Open() override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view) override { return true; }
  std::string ReadAvailable() override {
    if (pieces_.empty()) return "";
    std::string piece = std::move(pieces_.front());
    pieces_.pop_front();
    return piece;
  }
  bool WaitForData(Clock::time_point) override { return !pieces_.empty(); }
  void DiscardInput() override {}
  std::string ErrorText() const override { return ""; }
  std::string PortName() const override { return "fuzz"; }

 private:
  std::deque<std::string> pieces_;
  bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t piece_length = 1 + data[0] % 16;
  std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);
  std::deque<std::string> pieces;
  for (size_t i = 0; i < stream.size(); i += piece_length) {
    pieces.push_back(stream.substr(i, piece_length));
  }
  FuzzTransport transport(std::move(pieces));
  tqm5::RadioLink link(transport);
  std::string reply = link.SendCommand("ZR~F00200R");
  if (reply.size() + 11 + 4 > stream.size() && !reply.empty()) std::abort();
  if (!reply.empty() && stream.find("\r\n" + reply + "\r\n") == std::string::npos) std::abort();
  return 0;
}
