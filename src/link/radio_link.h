// The command exchange with the radio: one command line out, one reply line back, over a
// Transport. Every higher operation (identification, block reads and writes, the area
// procedures and the transfers) is a sequence of `SendCommand` calls.
#ifndef TQM5_LINK_RADIO_LINK_H_
#define TQM5_LINK_RADIO_LINK_H_

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "image/model_option.h"
#include "link/transport.h"
#include "model/radio_snapshot.h"

namespace tqm5 {

// The port could not be opened. The command that was running ends without a message box; the
// text says why in plain words, so the command line and the window can still tell the user.
class PortOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The user asked the running command to stop. Raised before the next exchange would start.
// `reason` says who asked ("stopped by the user", "stopped by Ctrl-C (SIGINT)").
class CancelledError : public std::runtime_error {
 public:
  explicit CancelledError(std::string reason = "stopped by the user")
      : std::runtime_error("Cancelled"), reason_(std::move(reason)) {}
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

// What went wrong with an exchange, as far as the link or its caller can tell.
enum class ReplyProblem {
  kNone,         // a framed reply came (its payload was not refused)
  kWriteFailed,  // the port refused the command line
  kNoAnswer,     // nothing, or only the echo, came within the timeout
  kMalformed,    // no longer than the echo came, and it was not the echo: line noise
  kUnfinished,   // bytes came, but they did not end in CR LF within the timeout
  kLate,         // the reply came, but only after the timeout
  kPortLost,     // the port went away (device unplugged or closed); `note` says how
  kUnframed,     // after the echo, the reply did not begin and end with CR LF
  kTooLong,      // the reply ran past kMaxReplyLength without ending
  kNotOk,        // the caller wanted "OK" and the radio answered something else
  kNotBlock,     // the caller wanted a 64-byte block (128 hex digits) and got something else
  kNotSent,      // the program refused to send anything; `note` says why
};

// The last exchange of a link, kept so that a failed command can tell the user what happened.
struct Exchange {
  std::string command;   // as sent, without CR
  std::string received;  // what came after the echo (everything, when no more than the echo came)
  std::string reply;     // the payload SendCommand returned (kLate: the one that came late)
  ReplyProblem problem = ReplyProblem::kNone;
  std::string note;                             // kNotSent: why nothing was sent; kPortLost: how
  std::chrono::milliseconds timeout{0};         // the timeout the exchange ran with
  bool sent = false;                            // the whole command line went out
  std::chrono::milliseconds answered_after{0};  // kLate: from sending to the reply
};

// True when a write command went out and the radio's answer leaves open whether it stored the
// bytes: no answer, a late or broken one, or a lost port. A clear refusal (a framed reply other
// than "OK") and a command that never went out leave the memory as it was.
bool MayHaveBeenStored(const Exchange& exchange);

// One plain sentence on the exchange, without a final full stop, e.g.
//   the radio did not answer "ZR~F00400R" within 1000 ms
//   the radio answered "ZR~F00400W..." with "NG" instead of "OK"
//   the radio answered "ZR~TQ-M5" after 1100 ms, later than the 1000 ms allowed
// Commands carrying data are cut after their address; replies are shown with printable ASCII
// as it is, other bytes as \xNN, cut to about 60 characters (40 for a malformed reply).
std::string DescribeExchange(const Exchange& exchange);
// `bytes` as a quoted, printable text of at most about `limit` characters.
std::string QuoteBytes(std::string_view bytes, size_t limit = 60);

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
  //
  // When a reply comes too late, it arrives while the next command waits: if that command then
  // fails, and what came is the echo and reply of the previous command, the last exchange is
  // the previous one, marked kLate.
  std::string SendCommand(std::string_view command);

  // After an exchange that got no complete reply (kNoAnswer, kUnfinished): waits up to one
  // more timeout for it, and when it comes marks the exchange kLate with the time it took, so
  // that a failed command can tell a slow radio from a silent one. Otherwise does nothing.
  void AwaitLateReply();

  // Writes raw bytes without awaiting anything (the hidden reset).
  void SendWithoutReply(std::string_view line);

  // A flag the user interface sets to stop the running command between two exchanges, and
  // what says who set it (the CancelledError's reason; "stopped by the user" when not given).
  void set_cancel_flag(const std::atomic<bool>* cancel,
                       std::function<std::string()> reason = nullptr) {
    cancel_ = cancel;
    cancel_reason_ = std::move(reason);
  }
  void set_timeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  // Where `ReadBlock` and `WriteBlock` keep the blocks they read and the radio accepted (none
  // when null).
  void set_snapshot(RadioSnapshot* radio) { snapshot_ = radio; }
  RadioSnapshot* snapshot() const { return snapshot_; }

  // The last exchange, as SendCommand left it or a caller marked it.
  const Exchange& last_exchange() const { return last_; }
  // Marks the payload of the last exchange as refused by the caller (kNotOk, kNotBlock).
  void RefuseReply(ReplyProblem problem) { last_.problem = problem; }
  // Replaces the last exchange: a reader that asks for several blocks keeps the first one that
  // failed; a writer that sends nothing leaves a kNotSent exchange with its reason.
  void set_last_exchange(Exchange exchange) { last_ = std::move(exchange); }

  Transport& transport() { return transport_; }
  // Exchanges sent since the link was made.
  long exchange_count() const { return exchange_count_; }
  // Exchanges answered "OK" since the link was made: a write step that fails after some of
  // them was partly written.
  long ok_replies() const { return ok_replies_; }
  // Bytes sent and received by exchanges, for comparing with the wire time.
  long long bytes_sent() const { return bytes_sent_; }
  long long bytes_received() const { return bytes_received_; }

 private:
  // An exchange that ended without a complete reply, kept for recognising the reply if it
  // comes later.
  struct Unanswered {
    Exchange exchange;
    std::string line;     // the command line as sent, with its CR
    std::string arrived;  // everything that came for it, echo included
    Transport::Clock::time_point sent_at;
  };
  // Marks the last exchange kLate when `unanswered`, with `arrived` added to what came for it,
  // holds its echo and a framed reply; `at` is when the reply was there.
  bool MarkLate(const Unanswered& unanswered, std::string_view arrived,
                Transport::Clock::time_point at);

  Transport& transport_;
  RadioSnapshot* snapshot_ = nullptr;
  const std::atomic<bool>* cancel_ = nullptr;
  std::function<std::string()> cancel_reason_;
  std::optional<Unanswered> unanswered_;
  std::chrono::milliseconds timeout_ = kReplyTimeout;
  Exchange last_;
  long exchange_count_ = 0;
  long ok_replies_ = 0;
  long long bytes_sent_ = 0;
  long long bytes_received_ = 0;
};

// The identification commands of a model option, in the order they are tried.
std::vector<std::string_view> IdentificationCommands(ModelOption option);

// `StartComm`: opens the port if needed and sends the identification commands of the chosen
// model option until one is answered "OK". `model_command` is set to each command before it is
// tried, so it ends as the accepted one, or the last one tried. With no option chosen nothing
// is sent and the result is false. A reply other than "OK" is marked kNotOk on the link.
// A lost port, or a reply that came too late, ends the tries: the commands after it could only
// meet the same port or the late bytes.
bool StartComm(RadioLink& link, ModelOption option, std::string& model_command);

// After the identification of the `chosen` option failed: the identification commands of the
// other options, in the order J, T, other, until one is answered "OK". Returns that command, or
// the empty text when none was; a lost port or a late reply ends the tries. Only identification
// commands are sent.
std::string IdentifyOtherModel(RadioLink& link, ModelOption chosen);
// The model option whose identification commands include `command`; kNone for any other.
ModelOption OptionOfCommand(std::string_view command);

// The hidden reset: "ZR~RESET" and CR, no reply awaited; the port is closed afterwards.
void HiddenReset(RadioLink& link);

// Block commands. A read returns the reply as it came (callers check its length); a write of
// 1 to 64 bytes as hex digits succeeds when the radio answers "OK" (any other framed reply is
// marked kNotOk on the link).
std::string ReadBlock(RadioLink& link, int address);
bool WriteBlock(RadioLink& link, int address, std::string_view hex);
std::string ReadCommand(int address);
std::string WriteCommand(int address, std::string_view hex);

}  // namespace tqm5

#endif  // TQM5_LINK_RADIO_LINK_H_
