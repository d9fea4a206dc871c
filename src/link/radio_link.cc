#include "link/radio_link.h"

#include <vector>

#include "image/hex.h"

namespace tqm5 {
namespace {

constexpr std::string_view kCrLf = "\r\n";

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

  transport_.DiscardInput();
  std::string reply;
  ++exchange_count_;
  if (!transport_.Write(line)) return "";
  bytes_sent_ += static_cast<long long>(line.size());

  bool complete = false;
  while (true) {
    std::string arrived = transport_.ReadAvailable();
    bytes_received_ += static_cast<long long>(arrived.size());
    reply += arrived;
    if (reply.size() > kMaxReplyLength) return "";
    if (EndsWithCrLf(reply) && reply.size() > echo_length + 2) {
      complete = true;
      break;
    }
    if (!transport_.WaitForData(deadline)) break;
  }
  if (!complete || reply.size() <= echo_length) return "";
  std::string_view rest = std::string_view(reply).substr(echo_length);
  if (rest.substr(0, 2) != kCrLf || !EndsWithCrLf(rest) || rest.size() < 4) return "";
  return std::string(rest.substr(2, rest.size() - 4));
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
  return link.SendCommand(WriteCommand(address, hex)) == "OK";
}

}  // namespace tqm5
