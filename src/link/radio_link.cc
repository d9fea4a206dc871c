#include "link/radio_link.h"

#include <vector>

#include "image/hex.h"

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
  if (transport_.IsOpen()) transport_.Close();
}

std::string RadioLink::SendCommand(std::string_view command) {
  if (cancel_ != nullptr && cancel_->load()) throw CancelledError();
  OpenPortIfClosed();
  const auto deadline = Transport::Clock::now() + timeout_;
  std::string line(command);
  line += '\r';
  const size_t echo_length = line.size();
  last_ = Exchange{std::string(command), "", "", ReplyProblem::kNone, "", timeout_};

  transport_.DiscardInput();
  std::string reply;
  ++exchange_count_;
  if (!transport_.Write(line)) {
    last_.problem = ReplyProblem::kWriteFailed;
    return "";
  }
  bytes_sent_ += static_cast<long long>(line.size());

  // What came after the echo, or everything when no more than the echo came.
  auto after_echo = [&reply, echo_length] {
    return reply.size() > echo_length ? reply.substr(echo_length) : reply;
  };
  bool complete = false;
  while (true) {
    std::string arrived = transport_.ReadAvailable();
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
  if (reply.size() <= echo_length) {
    last_.problem = ReplyProblem::kNoAnswer;
    return "";
  }
  if (!complete) {
    last_.problem = ReplyProblem::kUnfinished;
    return "";
  }
  std::string_view rest = std::string_view(reply).substr(echo_length);
  if (rest.substr(0, 2) != kCrLf || !EndsWithCrLf(rest) || rest.size() < 4) {
    last_.problem = ReplyProblem::kUnframed;
    return "";
  }
  last_.reply = std::string(rest.substr(2, rest.size() - 4));
  if (last_.reply == "OK") ++ok_replies_;
  return last_.reply;
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
    if (link.last_exchange().problem == ReplyProblem::kNone) link.RefuseReply(ReplyProblem::kNotOk);
  }
  return false;
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
  return link.SendCommand(ReadCommand(address));
}

bool WriteBlock(RadioLink& link, int address, std::string_view hex) {
  if (link.SendCommand(WriteCommand(address, hex)) == "OK") return true;
  if (link.last_exchange().problem == ReplyProblem::kNone) link.RefuseReply(ReplyProblem::kNotOk);
  return false;
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
    case ReplyProblem::kUnfinished:
      return reply_to + " was not complete" + within + ": " + QuoteBytes(exchange.received);
    case ReplyProblem::kUnframed:
      return reply_to + " was not framed by CR LF: " + QuoteBytes(exchange.received);
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
