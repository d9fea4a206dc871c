#include "link/radio_link.h"

#include <algorithm>
#include <vector>

#include "image/hex.h"
#include "image/memory_map.h"

namespace tqm5 {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr int kBlockBytes = 64;

bool EndsWithCrLf(std::string_view text) {
  return text.size() >= 2 && text.substr(text.size() - 2) == kCrLf;
}

}  // namespace

void RadioLink::OpenPortIfClosed() {
  if (transport_.IsOpen()) return;
  if (!transport_.Open()) {
    std::string why = transport_.ErrorText();
    throw PortOpenError(why.empty() ? "cannot open " + transport_.PortName() : why);
  }
}

void RadioLink::ClosePort() {
  unanswered_.reset();
  if (transport_.IsOpen()) transport_.Close();
}

std::string RadioLink::SendCommand(std::string_view command) {
  if (cancel_ != nullptr && cancel_->load()) {
    throw cancel_reason_ ? CancelledError(cancel_reason_()) : CancelledError();
  }
  OpenPortIfClosed();
  const auto deadline = Transport::Clock::now() + timeout_;
  std::string line(command);
  line += '\r';
  const size_t echo_length = line.size();
  last_ = Exchange{std::string(command), "", "", ReplyProblem::kNone, "", timeout_};
  std::optional<Unanswered> previous = std::move(unanswered_);
  unanswered_.reset();

  transport_.DiscardInput();
  std::string reply;
  ++exchange_count_;
  const auto sent_at = Transport::Clock::now();
  if (!transport_.Write(line)) {
    last_.problem = ReplyProblem::kWriteFailed;
    if (transport_.PortLost()) {
      last_.problem = ReplyProblem::kPortLost;
      last_.note = transport_.ErrorText();
    }
    return "";
  }
  last_.sent = true;
  bytes_sent_ += static_cast<long long>(line.size());

  // What came after the echo, or everything when no more than the echo came.
  auto after_echo = [&reply, echo_length] {
    return reply.size() > echo_length ? reply.substr(echo_length) : reply;
  };
  std::optional<Transport::Clock::time_point> first_arrival;
  bool complete = false;
  while (true) {
    std::string arrived = transport_.ReadAvailable();
    if (!arrived.empty() && !first_arrival) first_arrival = Transport::Clock::now();
    bytes_received_ += static_cast<long long>(arrived.size());
    reply += arrived;
    if (reply.size() > kMaxReplyLength) {
      last_.received = after_echo();
      last_.problem = ReplyProblem::kTooLong;
      return "";
    }
    if (EndsWithCrLf(reply) && reply.size() > echo_length + 2) {
      complete = true;
      break;
    }
    if (!transport_.WaitForData(deadline)) break;
  }
  last_.received = after_echo();
  std::string_view rest = std::string_view(reply).substr(std::min(reply.size(), echo_length));
  if (reply.empty() || (reply.size() <= echo_length && line.starts_with(reply))) {
    last_.problem = ReplyProblem::kNoAnswer;
  } else if (reply.size() <= echo_length) {
    last_.problem = ReplyProblem::kMalformed;
  } else if (!complete) {
    last_.problem = ReplyProblem::kUnfinished;
  } else if (rest.substr(0, 2) != kCrLf || !EndsWithCrLf(rest) || rest.size() < 4) {
    last_.problem = ReplyProblem::kUnframed;
  } else {
    last_.reply = std::string(rest.substr(2, rest.size() - 4));
    if (last_.reply == "OK") ++ok_replies_;
    return last_.reply;
  }
  if (transport_.PortLost()) {
    last_.problem = ReplyProblem::kPortLost;
    last_.note = transport_.ErrorText();
    return "";
  }
  if (last_.problem == ReplyProblem::kNoAnswer || last_.problem == ReplyProblem::kUnfinished) {
    unanswered_ = Unanswered{last_, line, reply, sent_at};
  }
  // The previous command's reply, come too late, in place of this one's.
  if (previous && first_arrival) MarkLate(*previous, reply, *first_arrival);
  return "";
}

bool RadioLink::MarkLate(const Unanswered& unanswered, std::string_view arrived,
                         Transport::Clock::time_point at) {
  std::string all = unanswered.arrived + std::string(arrived);
  if (!std::string_view(all).starts_with(unanswered.line)) return false;
  std::string_view rest = std::string_view(all).substr(unanswered.line.size());
  size_t end = rest.find(kCrLf, 2);
  if (!rest.starts_with(kCrLf) || end == std::string_view::npos || end == 2) return false;
  last_ = unanswered.exchange;
  last_.problem = ReplyProblem::kLate;
  last_.received = std::string(rest.substr(0, end + 2));
  last_.reply = std::string(rest.substr(2, end - 2));
  last_.answered_after =
      std::chrono::duration_cast<std::chrono::milliseconds>(at - unanswered.sent_at);
  unanswered_.reset();
  return true;
}

void RadioLink::AwaitLateReply() {
  if (!unanswered_ || !transport_.IsOpen()) return;
  const Unanswered unanswered = *unanswered_;
  const auto deadline = unanswered.sent_at + 2 * unanswered.exchange.timeout;
  std::string arrived;
  while (arrived.size() <= kMaxReplyLength && transport_.WaitForData(deadline)) {
    arrived += transport_.ReadAvailable();
    if (MarkLate(unanswered, arrived, Transport::Clock::now())) return;
  }
}

void RadioLink::SendWithoutReply(std::string_view line) {
  OpenPortIfClosed();
  transport_.Write(line);
}

std::vector<std::string_view> IdentificationCommands(ModelOption option) {
  switch (option) {
    case ModelOption::kJ:
      return {"ZR~TQ-M5", "ZR~TQ-M5J"};
    case ModelOption::kT:
      return {"ZR~TQ-M5T"};
    case ModelOption::kOther:
      return {"ZR~TQ-M5E", "ZR~TQ-M5EG", "ZR~TQ-M5K"};
    case ModelOption::kNone:
      break;
  }
  return {};
}

bool StartComm(RadioLink& link, ModelOption option, std::string& model_command) {
  link.OpenPortIfClosed();
  for (std::string_view command : IdentificationCommands(option)) {
    model_command = command;
    if (link.SendCommand(command) == "OK") return true;
    ReplyProblem problem = link.last_exchange().problem;
    if (problem == ReplyProblem::kNone) link.RefuseReply(ReplyProblem::kNotOk);
    if (problem == ReplyProblem::kPortLost || problem == ReplyProblem::kLate) break;
  }
  return false;
}

std::string IdentifyOtherModel(RadioLink& link, ModelOption chosen) {
  for (ModelOption option : {ModelOption::kJ, ModelOption::kT, ModelOption::kOther}) {
    if (option == chosen) continue;
    std::string command;
    if (StartComm(link, option, command)) return command;
    ReplyProblem problem = link.last_exchange().problem;
    if (problem == ReplyProblem::kPortLost || problem == ReplyProblem::kLate) break;
  }
  return "";
}

ModelOption OptionOfCommand(std::string_view command) {
  for (ModelOption option : {ModelOption::kJ, ModelOption::kT, ModelOption::kOther}) {
    for (std::string_view known : IdentificationCommands(option)) {
      if (known == command) return option;
    }
  }
  return ModelOption::kNone;
}

void HiddenReset(RadioLink& link) {
  link.SendWithoutReply("ZR~RESET\r");
  link.ClosePort();
}

std::string ReadCommand(int address) { return "ZR~F" + AddressText(address) + "R"; }

std::string WriteCommand(int address, std::string_view hex) {
  std::string command = "ZR~F" + AddressText(address) + "W";
  command += hex;
  return command;
}

std::string ReadBlock(RadioLink& link, int address) {
  std::string reply = link.SendCommand(ReadCommand(address));
  if (link.snapshot() != nullptr && reply.size() == kBlockHexLength && IsHexText(reply)) {
    link.snapshot()->KeepArea(address, reply);
  }
  return reply;
}

bool WriteBlock(RadioLink& link, int address, std::string_view hex) {
  if (link.SendCommand(WriteCommand(address, hex)) == "OK") {
    if (link.snapshot() != nullptr) link.snapshot()->KeepArea(address, hex);
    return true;
  }
  if (link.last_exchange().problem == ReplyProblem::kNone) link.RefuseReply(ReplyProblem::kNotOk);
  // Bytes that may have been stored make what the radio holds there unknown.
  if (link.snapshot() != nullptr && MayHaveBeenStored(link.last_exchange())) {
    link.snapshot()->Forget(address, static_cast<int>(hex.size() / 2));
  }
  return false;
}

bool MayHaveBeenStored(const Exchange& exchange) {
  // "ZR~F" + five address digits + "W": a block write.
  constexpr size_t kOperationAt = 9;
  const std::string& command = exchange.command;
  bool write =
      command.starts_with("ZR~F") && command.size() > kOperationAt && command[kOperationAt] == 'W';
  if (!write || !exchange.sent) return false;
  switch (exchange.problem) {
    case ReplyProblem::kNone:  // "OK": stored, not in doubt
    case ReplyProblem::kWriteFailed:
    case ReplyProblem::kNotSent:
      return false;
    case ReplyProblem::kNotOk:
      // A framed reply of its own ("NG") refuses the bytes; one with line ends inside is
      // mixed with other replies and says nothing certain.
      return exchange.reply.find_first_of("\r\n") != std::string::npos;
    default:
      return true;
  }
}

std::string QuoteBytes(std::string_view bytes, size_t limit) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "\"";
  size_t shown = 0;
  for (char c : bytes) {
    if (shown >= limit) {
      text += "...";
      break;
    }
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      text += c;
      ++shown;
    } else {
      text += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
      shown += 4;
    }
  }
  return text + "\"";
}

std::string DescribeExchange(const Exchange& exchange) {
  // A command carrying data is named by its address ("ZR~F00400W..."): the data would drown
  // the sentence. Identification and read commands are at most this long.
  constexpr size_t kCommandShown = 10;
  // Line noise is shown only as far as it helps to recognise it.
  constexpr size_t kMalformedShown = 40;
  std::string command = exchange.command.size() > kCommandShown
                            ? exchange.command.substr(0, kCommandShown) + "..."
                            : exchange.command;
  std::string quoted = "\"" + command + "\"";
  std::string within = " within " + std::to_string(exchange.timeout.count()) + " ms";
  std::string reply_to = "the radio's reply to " + quoted;
  switch (exchange.problem) {
    case ReplyProblem::kNone:
      return "the radio answered " + quoted + " with " + QuoteBytes(exchange.reply);
    case ReplyProblem::kWriteFailed:
      return "the port refused to send " + quoted;
    case ReplyProblem::kNoAnswer:
      return exchange.received.empty()
                 ? "the radio did not answer " + quoted + within
                 : "the radio echoed " + quoted + " but did not answer it" + within;
    case ReplyProblem::kMalformed:
      return reply_to + " was malformed: " + QuoteBytes(exchange.received, kMalformedShown);
    case ReplyProblem::kLate:
      return "the radio answered " + quoted + " after " +
             std::to_string(exchange.answered_after.count()) + " ms, later than the " +
             std::to_string(exchange.timeout.count()) + " ms allowed";
    case ReplyProblem::kPortLost:
      return "the port went away during " + quoted +
             (exchange.note.empty() ? "" : " (" + exchange.note + ")") +
             ": check that the cable is plugged in and the radio is on";
    case ReplyProblem::kUnfinished:
      return reply_to + " was not complete" + within + ": " + QuoteBytes(exchange.received);
    case ReplyProblem::kUnframed:
      return reply_to +
             " was not framed by CR LF: " + QuoteBytes(exchange.received, kMalformedShown);
    case ReplyProblem::kTooLong:
      return reply_to + " ran past " + std::to_string(RadioLink::kMaxReplyLength) +
             " characters without ending: " + QuoteBytes(exchange.received);
    case ReplyProblem::kNotOk:
      return "the radio answered " + quoted + " with " + QuoteBytes(exchange.reply) +
             " instead of \"OK\"";
    case ReplyProblem::kNotBlock:
      if (exchange.reply.size() != static_cast<size_t>(2 * kBlockBytes)) {
        return reply_to + " was " + std::to_string(exchange.reply.size()) +
               " characters, not a 64-byte block: " + QuoteBytes(exchange.reply);
      }
      return reply_to + " was not hex text: " + QuoteBytes(exchange.reply);
    case ReplyProblem::kNotSent:
      return exchange.note;
  }
  return "";
}

}  // namespace tqm5
