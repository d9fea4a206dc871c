#include "transfer/write_plan.h"

#include <algorithm>

#include "fonts/font_codec.h"
#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "model/banks.h"
#include "model/order_table.h"
#include "model/title_area.h"
#include "settings/settings_codec.h"
#include "textdata/dtmf.h"
#include "transfer/step_notes.h"

namespace tqm5 {
namespace {

constexpr std::string_view kOrderTableName = "the pass-channel order table";

// The 64-byte blocks of a multi-block area, each one write.
void AddBlocks(std::vector<WriteUnit>& units, const std::string& area, int address,
               const std::string& hex) {
  for (size_t at = 0; at < hex.size(); at += kBlockHexLength) {
    units.push_back({address + static_cast<int>(at / 2), hex.substr(at, kBlockHexLength), area});
  }
}

// The known block that holds all `bytes` bytes from `address`, if any.
std::optional<int> KnownBlockHolding(const RadioSnapshot& radio, int address, int bytes) {
  auto it = radio.blocks.upper_bound(address);
  // Blocks are all 64 bytes long: one that starts earlier also ends earlier.
  while (it != radio.blocks.begin()) {
    --it;
    if (it->first + kBlockSize <= address) break;
    if (it->first + kBlockSize >= address + bytes) return it->first;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<WriteUnit>> FullWritePlan(const MemoryImage& image,
                                                    const RadioSnapshot& radio,
                                                    std::string& problem) {
  std::string settings = radio.Area(kSettingsAddress, kSettingsBlocks);
  std::string dtmf = radio.Area(kDtmfAddress, kDtmfBlocks);
  if (settings.empty() || dtmf.empty()) {
    problem = settings.empty() ? "the settings area at " + AddressText(kSettingsAddress)
                               : "the DTMF area at " + AddressText(kDtmfAddress);
    problem += " is not known";
    return std::nullopt;
  }
  std::vector<WriteUnit> units;
  // The areas in the order of the full write, the shared ones laid over what the radio holds.
  EncodeSettings(image.settings, image.model_option, settings);
  AddBlocks(units, "the settings area", kSettingsAddress, settings);
  units.push_back(
      {kWriteProtectAddress, EncodeMemFlag(image.settings), "the memory write protection"});
  MergeDtmf(image.dtmf, dtmf);
  AddBlocks(units, "the DTMF area", kDtmfAddress, dtmf);
  units.push_back({kTitleAddress, BuildTitleArea(image), "the title"});
  units.push_back({kOneTouchAddress, EncodeOneTouch(image), "the one-touch keys"});
  AddBlocks(units, "the bank sizes", kBankSizeAddress,
            ExportBankSizes(image) + std::string(kBankSizeTail));
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    units.push_back({BankLinkRecordAddress(g), image.bank_link_hex[static_cast<size_t>(g)],
                     "bank-link group " + std::to_string(g)});
  }
  for (int g = 0; g < kGlyphCount; ++g) {
    units.push_back(
        {GlyphAddress(g), BuildFontString(image.font_bits, g), "user glyph " + std::to_string(g)});
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    std::string record = EncodeChannel(image.channel(n), n, radio.identification);
    if (record.size() != kBlockHexLength) {
      problem = "channel " + std::to_string(n) + " could not be made into a record of the radio";
      return std::nullopt;
    }
    units.push_back({ChannelAddress(n), std::move(record), "", n});
  }
  const ChannelOrderTable table = BuildChannelOrderTable(image);
  for (int k = 0; k < kOrderRecordCount; ++k) {
    units.push_back({OrderRecordAddress(k), OrderRecordHex(table[static_cast<size_t>(k)]),
                     std::string(kOrderTableName), 0, false});
  }
  return units;
}

std::string WriteUnitName(const WriteUnit& unit) {
  if (unit.channel > 0) return "channel " + std::to_string(unit.channel);
  return unit.area + " at " + AddressText(unit.address);
}

std::string WriteUnitPlace(const WriteUnit& unit) {
  return unit.channel > 0 ? ChannelStepName(unit.channel) : WriteUnitName(unit);
}

bool InOrderTable(const WriteUnit& unit) { return unit.area == kOrderTableName; }

std::optional<std::string> KnownHex(const RadioSnapshot& radio, int address, int bytes) {
  std::string hex;
  for (int at = address; at < address + bytes;) {
    auto it = radio.blocks.upper_bound(at);
    if (it == radio.blocks.begin()) return std::nullopt;
    --it;
    int end = std::min(it->first + kBlockSize, address + bytes);
    if (end <= at) return std::nullopt;
    hex += it->second.substr(static_cast<size_t>(2 * (at - it->first)),
                             static_cast<size_t>(2 * (end - at)));
    at = end;
  }
  if (hex.find(kUnknownDigit) != std::string::npos) return std::nullopt;
  return hex;
}

std::vector<int> ReadBackBlocks(const std::vector<WriteUnit>& units, const RadioSnapshot& radio) {
  std::vector<int> blocks;
  for (const WriteUnit& unit : units) {
    bool held = std::any_of(blocks.begin(), blocks.end(), [&unit](int block) {
      return block <= unit.address && unit.address + unit.bytes() <= block + kBlockSize;
    });
    if (!held) {
      blocks.push_back(KnownBlockHolding(radio, unit.address, unit.bytes()).value_or(unit.address));
    }
  }
  return blocks;
}

}  // namespace tqm5
