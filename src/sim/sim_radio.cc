#include "sim/sim_radio.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "fonts/font_codec.h"
#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "model/banks.h"
#include "model/channel.h"
#include "model/memory_image.h"
#include "model/order_table.h"
#include "model/title_area.h"
#include "settings/settings_codec.h"
#include "sim/demo_memory.h"
#include "textdata/dtmf.h"

namespace tqm5 {
namespace {

static_assert(SimRadio::kMemorySize == kMemorySize);

constexpr std::string_view kCommandPrefix = "ZR~";
constexpr std::string_view kBlockPrefix = "ZR~F";
constexpr std::string_view kResetCommand = "ZR~RESET";
constexpr int kAddressDigits = 5;
constexpr int kMaxWriteBytes = kBlockSize;
// A garbled reply: shorter than any command line, so it can never pass for an echo and reply.
constexpr size_t kGarbledBytes = 8;

constexpr std::array<std::string_view, 6> kVariantNames = {"TQ-M5",  "TQ-M5J",  "TQ-M5T",
                                                           "TQ-M5E", "TQ-M5EG", "TQ-M5K"};

// The program holds hex text in upper case only; the radio takes nothing else.
bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool IsUpperHex(std::string_view text) {
  for (char c : text) {
    if (!IsUpperHexDigit(c)) return false;
  }
  return true;
}

}  // namespace

ModelOption SimModelOption(SimVariant variant) {
  switch (variant) {
    case kTqM5:
    case kTqM5J:
      return ModelOption::kJ;
    case kTqM5T:
      return ModelOption::kT;
    default:
      return ModelOption::kOther;
  }
}

SimVariant SimVariantOfModel(ModelOption model) {
  switch (model) {
    case ModelOption::kT:
      return kTqM5T;
    case ModelOption::kOther:
      return kTqM5E;
    default:
      return kTqM5;
  }
}

namespace {

// Stores the bytes of a hex text at `address`, as one write command would.
void PutHex(SimRadio::Memory& memory, int address, std::string_view hex) {
  std::vector<uint8_t> bytes = HexToBytes(hex);
  for (size_t i = 0; i < bytes.size(); ++i) memory[static_cast<size_t>(address) + i] = bytes[i];
}

std::string BlankHex(int bytes) { return std::string(static_cast<size_t>(2 * bytes), 'F'); }

}  // namespace

std::string_view SimVariantName(SimVariant variant) {
  return kVariantNames[static_cast<size_t>(variant)];
}

std::optional<SimVariant> ParseSimVariant(std::string_view name) {
  for (SimVariant variant : kAllSimVariants) {
    if (SimVariantName(variant) == name) return variant;
  }
  return std::nullopt;
}

std::string IdentificationCommand(SimVariant variant) {
  return std::string(kCommandPrefix) + std::string(SimVariantName(variant));
}

SimRadio::SimRadio(SimVariant variant, SimContent content)
    : variant_(variant),
      memory_(content == SimContent::kDemo ? DemoMemory(variant) : FactoryMemory(variant)) {}

SimRadio::Memory SimRadio::FactoryMemory(SimVariant variant) {
  MemoryImage image;
  SelectModelOption(image, SimModelOption(variant));
  return WrittenMemory(image, variant);
}

SimRadio::Memory SimRadio::DemoMemory(SimVariant variant) {
  return WrittenMemory(DemoImage(variant), variant);
}

SimRadio::Memory SimRadio::WrittenMemory(const MemoryImage& image, SimVariant variant) {
  Memory memory;
  memory.fill(0xFF);
  const std::string model_command = IdentificationCommand(variant);

  // The settings and DTMF areas are read back first and only the owned bytes are changed; on a
  // blank radio the rest stays 0xFF.
  std::string settings_hex = BlankHex(kSettingsAreaBytes);
  EncodeSettings(image.settings, image.model_option, settings_hex);
  PutHex(memory, kSettingsAddress, settings_hex);
  PutHex(memory, kWriteProtectAddress, EncodeMemFlag(image.settings));
  std::string dtmf_hex(kDtmfAreaHexDigits, 'F');
  MergeDtmf(image.dtmf, dtmf_hex);
  PutHex(memory, kDtmfAddress, dtmf_hex);
  PutHex(memory, kTitleAddress, BuildTitleArea(image));
  PutHex(memory, kOneTouchAddress, EncodeOneTouch(image));
  PutHex(memory, kBankSizeAddress, ExportBankSizes(image) + std::string(kBankSizeTail));
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    PutHex(memory, BankLinkRecordAddress(g), image.bank_link_hex[static_cast<size_t>(g)]);
  }
  for (int g = 0; g < kGlyphCount; ++g) {
    PutHex(memory, GlyphAddress(g), BuildFontString(image.font_bits, g));
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    PutHex(memory, ChannelAddress(n), EncodeChannel(image.channel(n), n, model_command));
  }
  const ChannelOrderTable order = BuildChannelOrderTable(image);
  for (int k = 0; k < kOrderRecordCount; ++k) {
    PutHex(memory, OrderRecordAddress(k), OrderRecordHex(order[static_cast<size_t>(k)]));
  }
  return memory;
}

bool SimRadio::LoadImage(const std::string& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = path + ": " + why;
    return false;
  };
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("cannot be opened");
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return fail("read error");
  if (data.size() != memory_.size()) {
    return fail(std::to_string(data.size()) + " bytes, expected " + std::to_string(memory_.size()));
  }
  for (size_t i = 0; i < memory_.size(); ++i) memory_[i] = static_cast<uint8_t>(data[i]);
  return true;
}

bool SimRadio::SaveImage(const std::string& path) const {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(memory_.data()),
              static_cast<std::streamsize>(memory_.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

std::string SimRadio::Receive(std::string_view bytes) {
  pending_.append(bytes);
  std::string replies;
  size_t start = 0;
  for (size_t cr = pending_.find('\r'); cr != std::string::npos; cr = pending_.find('\r', start)) {
    const std::string_view line = std::string_view(pending_).substr(start, cr + 1 - start);
    const std::string_view command = line.substr(0, line.size() - 1);
    start = cr + 1;
    commands_.emplace_back(command);
    ++lines_received_;
    if (faults_.stop_after >= 0 && lines_received_ > faults_.stop_after) continue;
    if (faults_.hang_up_after >= 0 && lines_received_ > faults_.hang_up_after) continue;
    std::optional<std::string> payload = Answer(command);
    if (!payload) continue;
    std::string reply(line);
    if (!faults_.drop_leading_crlf) reply += "\r\n";
    reply += *payload;
    reply += "\r\n";
    if (faults_.garble_after >= 0 && lines_received_ > faults_.garble_after) {
      reply.resize(kGarbledBytes);
      for (char& c : reply) c = static_cast<char>(c ^ 0x80);
    }
    replies += reply;
  }
  pending_.erase(0, start);
  return replies;
}

std::optional<std::string> SimRadio::Answer(std::string_view command) {
  if (command == kResetCommand) return std::nullopt;
  if (command == IdentificationCommand(variant_)) return "OK";
  if (!command.starts_with(kBlockPrefix)) return std::nullopt;

  const std::string_view rest = command.substr(kBlockPrefix.size());
  if (rest.size() < kAddressDigits + 1) return std::nullopt;
  const std::string_view address_hex = rest.substr(0, kAddressDigits);
  if (!IsUpperHex(address_hex)) return std::nullopt;
  const int address = static_cast<int>(HexToNumber(address_hex));
  const char operation = rest[kAddressDigits];
  const std::string_view data = rest.substr(kAddressDigits + 1);
  if (operation == 'R' && data.empty()) return AnswerRead(address);
  if (operation == 'W') return AnswerWrite(address, data);
  return std::nullopt;
}

std::optional<std::string> SimRadio::AnswerRead(int address) {
  if (faults_.no_read_reply_at.contains(address)) return std::nullopt;
  std::string hex;
  hex.reserve(kBlockHexLength);
  for (int i = 0; i < kBlockSize; ++i) {
    const int a = address + i;
    hex += HexPad(a < kMemorySize ? memory_[static_cast<size_t>(a)] : 0xFF, 2);
  }
  return hex;
}

std::optional<std::string> SimRadio::AnswerWrite(int address, std::string_view data_hex) {
  const int bytes = static_cast<int>(data_hex.size() / 2);
  if (data_hex.size() % 2 != 0 || bytes < 1 || bytes > kMaxWriteBytes) return std::nullopt;
  if (!IsUpperHex(data_hex) || address + bytes > kMemorySize) return std::nullopt;
  if (faults_.refuse_write_at.contains(address)) return "NG";
  PutHex(memory_, address, data_hex);
  ++writes_stored_;
  if (faults_.corrupt_every > 0 && writes_stored_ % faults_.corrupt_every == 0) {
    memory_[static_cast<size_t>(address + bytes / 2)] ^= 0x01;
  }
  return "OK";
}

}  // namespace tqm5
