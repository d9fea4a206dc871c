#include "link/areas.h"

#include <optional>

#include "fonts/font_codec.h"
#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/hex.h"
#include "image/memory_map.h"
#include "model/banks.h"
#include "model/title_area.h"
#include "settings/settings_codec.h"
#include "textdata/dtmf.h"

namespace tqm5 {
namespace {

// Reads `blocks` consecutive blocks from `address`, joined in address order. Every block is
// asked for even after a bad reply, as the radio expects; the result counts only when the
// replies together have exactly the expected length and are hex text. On failure the link's
// last exchange is the first block that did not come back as 128 hex digits.
bool ReadBlocks(RadioLink& link, int address, int blocks, std::string& hex) {
  std::string joined;
  std::optional<Exchange> first_bad;
  for (int b = 0; b < blocks; ++b) {
    std::string reply = ReadBlock(link, address + b * kBlockSize);
    if (!first_bad && (reply.size() != kBlockHexLength || !IsHexText(reply))) {
      if (link.last_exchange().problem == ReplyProblem::kNone) {
        link.RefuseReply(ReplyProblem::kNotBlock);
      }
      first_bad = link.last_exchange();
    }
    joined += reply;
  }
  if (joined.size() != static_cast<size_t>(blocks * kBlockHexLength) || !IsHexText(joined)) {
    if (first_bad) link.set_last_exchange(std::move(*first_bad));
    return false;
  }
  hex = std::move(joined);
  return true;
}

// Leaves on the link why a procedure failed without a bad reply to blame.
void NoteRefusal(RadioLink& link, std::string why) {
  Exchange refusal;
  refusal.problem = ReplyProblem::kNotSent;
  refusal.note = std::move(why);
  link.set_last_exchange(std::move(refusal));
}

// One block read whose reply must be exactly 128 hex digits.
bool ReadOneBlock(RadioLink& link, int address, std::string& hex) {
  return ReadBlocks(link, address, 1, hex);
}

// Writes `blocks` 64-byte blocks of `hex` from `address`, stopping at the first failure.
bool WriteBlocks(RadioLink& link, int address, int blocks, std::string_view hex) {
  for (int b = 0; b < blocks; ++b) {
    std::string_view block = hex.substr(static_cast<size_t>(b * kBlockHexLength), kBlockHexLength);
    if (!WriteBlock(link, address + b * kBlockSize, block)) return false;
  }
  return true;
}

// Reads an area into the snapshot; the snapshot changes only when the whole area arrived. (A
// link given the same snapshot keeps the blocks as well; keeping them twice changes nothing.)
bool ReadArea(RadioLink& link, int address, int blocks, RadioSnapshot& radio) {
  std::string hex;
  if (!ReadBlocks(link, address, blocks, hex)) return false;
  radio.KeepArea(address, hex);
  return true;
}

// Writes an area block by block; the snapshot keeps each block the radio accepted.
bool WriteArea(RadioLink& link, int address, int blocks, std::string_view hex,
               RadioSnapshot& radio) {
  for (int b = 0; b < blocks; ++b) {
    if (!WriteBlocks(link, address + b * kBlockSize, 1, hex.substr(b * kBlockHexLength))) {
      return false;
    }
    radio.KeepArea(address + b * kBlockSize, hex.substr(b * kBlockHexLength, kBlockHexLength));
  }
  return true;
}

}  // namespace

bool ReadSettingsArea(RadioLink& link, RadioSnapshot& radio) {
  return ReadArea(link, kSettingsAddress, kSettingsBlocks, radio);
}

bool WriteSettingsArea(RadioLink& link, const MemoryImage& image, RadioSnapshot& radio) {
  if (!ReadSettingsArea(link, radio)) return false;
  std::string hex = radio.Area(kSettingsAddress, kSettingsBlocks);
  EncodeSettings(image.settings, image.model_option, hex);
  return WriteArea(link, kSettingsAddress, kSettingsBlocks, hex, radio);
}

bool ReadBankLinkData(RadioLink& link, MemoryImage& image) {
  std::string hex;
  return ReadBlocks(link, kBankLinkAddress, kBankLinkBlocks, hex) &&
         SplitBankLinkArea(hex, image.bank_link_hex);
}

bool WriteBankLinkData(RadioLink& link, const MemoryImage& image) {
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    if (!WriteBlock(link, BankLinkRecordAddress(g), image.bank_link_hex[static_cast<size_t>(g)])) {
      return false;
    }
  }
  return true;
}

bool ReadOneTouchArea(RadioLink& link, MemoryImage& image) {
  std::string hex;
  if (!ReadOneBlock(link, kOneTouchAddress, hex)) return false;
  // The keys name banks by number; they are looked up among the banks the current sizes use,
  // not among those of whenever the one-touch lists were last shown, so a key on a bank that
  // became used since is not lost.
  RebuildUsedBanks(image);
  DecodeOneTouch(std::string_view(hex).substr(0, kOneTouchHexLength), image);
  return true;
}

bool WriteOneTouchArea(RadioLink& link, const MemoryImage& image) {
  return WriteBlock(link, kOneTouchAddress, EncodeOneTouch(image));
}

bool ReadTitleArea(RadioLink& link, MemoryImage& image) {
  std::string hex;
  if (!ReadOneBlock(link, kTitleAddress, hex)) return false;
  ParseTitleArea(hex, image);
  return true;
}

bool WriteTitleArea(RadioLink& link, const MemoryImage& image) {
  return WriteBlock(link, kTitleAddress, BuildTitleArea(image));
}

bool ReadBankSizes(RadioLink& link, MemoryImage& image) {
  std::string hex;
  if (!ReadBlocks(link, kBankSizeAddress, kBankSizeBlocks, hex)) return false;
  if (ImportBankSizes(hex, image)) return true;
  for (int b = 0; b < kBankCount; ++b) {
    int size = HexByteAt(hex, 2 * b) | HexByteAt(hex, 2 * b + 1) << 8;
    if (size > kMemoryChannelCount) {
      NoteRefusal(link, "the radio gives bank " + std::to_string(b) + " a size of " +
                            std::to_string(size) + ", more than its " +
                            std::to_string(kMemoryChannelCount) +
                            " memories: the bank sizes were left as they were");
      break;
    }
  }
  return false;
}

bool WriteBankSizes(RadioLink& link, const MemoryImage& image) {
  // Sizes that do not cover exactly the 1000 memories would leave the radio's banks broken.
  if (!BankTotalValid(image)) {
    NoteRefusal(link, "bank sizes add up to " + std::to_string(BankTotal(image)) + ", not " +
                          std::to_string(kMemoryChannelCount) + ": nothing was sent for the banks");
    return false;
  }
  std::string hex = ExportBankSizes(image) + std::string(kBankSizeTail);
  return WriteBlocks(link, kBankSizeAddress, kBankSizeBlocks, hex);
}

bool WriteOrderRecord(RadioLink& link, const ChannelOrderTable& table, int k) {
  return WriteBlock(link, OrderRecordAddress(k), OrderRecordHex(table[static_cast<size_t>(k)]));
}

std::string ReadFontData(RadioLink& link, int number) {
  std::string hex;
  return ReadOneBlock(link, GlyphAddress(number), hex) ? hex : "";
}

bool WriteFontData(RadioLink& link, const MemoryImage& image, int number) {
  return WriteBlock(link, GlyphAddress(number), BuildFontString(image.font_bits, number));
}

bool ReadDtmfArea(RadioLink& link, RadioSnapshot& radio) {
  return ReadArea(link, kDtmfAddress, kDtmfBlocks, radio);
}

bool WriteDtmfArea(RadioLink& link, const MemoryImage& image, RadioSnapshot& radio) {
  if (!ReadDtmfArea(link, radio)) return false;
  std::string hex = radio.Area(kDtmfAddress, kDtmfBlocks);
  MergeDtmf(image.dtmf, hex);
  return WriteArea(link, kDtmfAddress, kDtmfBlocks, hex, radio);
}

bool ReadMemFlag(RadioLink& link, MemoryImage& image) {
  std::string hex;
  if (!ReadOneBlock(link, kWriteProtectAddress, hex)) return false;
  DecodeMemFlag(hex, image.settings);
  return true;
}

bool WriteMemFlag(RadioLink& link, const MemoryImage& image) {
  return WriteBlock(link, kWriteProtectAddress, EncodeMemFlag(image.settings));
}

std::string ReadChannel(RadioLink& link, int n) {
  std::string hex;
  return ReadOneBlock(link, ChannelAddress(n), hex) ? hex : "";
}

bool WriteChannel(RadioLink& link, const MemoryImage& image, std::string_view identification,
                  int n) {
  std::string record = EncodeChannel(image.channel(n), n, identification);
  if (record.size() != kRecordHexLength) {
    NoteRefusal(link, "channel " + std::to_string(n) + " could not be made into a record of " +
                          "the radio: nothing was sent for it");
    return false;
  }
  return WriteBlock(link, ChannelAddress(n), record);
}

}  // namespace tqm5
