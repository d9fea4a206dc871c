// The command exchange with the radio: one command line out, one reply line back, over a
// Transport. Every higher operation (identification, block reads and writes, the area
// procedures and the transfers) is a sequence of `SendCommand` calls.
#ifndef TQM5_LINK_RADIO_LINK_H_
#define TQM5_LINK_RADIO_LINK_H_

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "image/model_option.h"
#include "link/transport.h"

namespace tqm5 {

// The port could not be opened. The command that was running ends without a message box; the
// text says why in plain words, so the command line and the window can still tell the user.
class PortOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The user asked the running command to stop. Raised before the next exchange would start.
class CancelledError : public std::runtime_error {
 public:
  CancelledError() : std::runtime_error("Cancelled") {}
};

class RadioLink {
 public:
  // How long one exchange waits for its reply.
  static constexpr std::chrono::milliseconds kReplyTimeout{1000};
  // A reply longer than this is no reply of the radio's: the exchange fails instead of
  // collecting whatever a broken device keeps sending.
  static constexpr size_t kMaxReplyLength = 1024;

  explicit RadioLink(Transport& transport) : transport_(transport) {}
  RadioLink(const RadioLink&) = delete;
  RadioLink& operator=(const RadioLink&) = delete;

  // `OpenPortIfClosed`: opens the port unless it is open. Throws PortOpenError.
  void OpenPortIfClosed();
  // `ClosePort`: closes the port if it is open.
  void ClosePort();
  bool IsOpen() const { return transport_.IsOpen(); }

  // `SendCommand`: sends `command` and CR, and returns the reply payload, or the empty text when
  // no valid reply came in time. The reply is complete when what arrived ends with CR LF and is
  // longer than the echo of the command line plus 2; the echo is dropped without being compared,
  // and the rest must begin and end with CR LF. Input pending before the command is discarded.
  // Throws PortOpenError, and CancelledError when a cancel was requested.
  std::string SendCommand(std::string_view command);

  // Writes raw bytes without awaiting anything (the hidden reset).
  void SendWithoutReply(std::string_view line);

  // A flag the user interface sets to stop the running command between two exchanges.
  void set_cancel_flag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
  void set_timeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

  Transport& transport() { return transport_; }
  // Exchanges sent since the link was made.
  long exchange_count() const { return exchange_count_; }
  // Bytes sent and received by exchanges, for comparing with the wire time.
  long long bytes_sent() const { return bytes_sent_; }
  long long bytes_received() const { return bytes_received_; }

 private:
  Transport& transport_;
  const std::atomic<bool>* cancel_ = nullptr;
  std::chrono::milliseconds timeout_ = kReplyTimeout;
  long exchange_count_ = 0;
  long long bytes_sent_ = 0;
  long long bytes_received_ = 0;
};

// The identification commands of a model option, in the order they are tried.
std::vector<std::string_view> IdentificationCommands(ModelOption option);

// `StartComm`: opens the port if needed and sends the identification commands of the chosen
// model option until one is answered "OK". `model_command` is set to each command before it is
// tried, so it ends as the accepted one, or the last one tried. With no option chosen nothing
// is sent and the result is false.
bool StartComm(RadioLink& link, ModelOption option, std::string& model_command);

// The hidden reset: "ZR~RESET" and CR, no reply awaited; the port is closed afterwards.
void HiddenReset(RadioLink& link);

// Block commands. A read returns the reply as it came (callers check its length); a write of
// 1 to 64 bytes as hex digits succeeds when the radio answers "OK".
std::string ReadBlock(RadioLink& link, int address);
bool WriteBlock(RadioLink& link, int address, std::string_view hex);
std::string ReadCommand(int address);
std::string WriteCommand(int address, std::string_view hex);

}  // namespace tqm5

#endif  // TQM5_LINK_RADIO_LINK_H_
