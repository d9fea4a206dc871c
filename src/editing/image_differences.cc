#include "editing/image_differences.h"

#include <array>
#include <string_view>

#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/dtmf.h"

namespace tqm5 {
namespace {

// The names the set-mode pages give each group's lists, in SettingGroup order.
constexpr std::array<std::string_view, kSettingGroupCount> kGroupNames = {
    "Set_Mode_Display", "Set_Mode_Power",  "Set_Mode_Send",  "Set_Mode_Repeater",
    "Set_Mode_Recv",    "Set_Mode_Scan",   "Set_Mode_Sound", "Set_Mode_Key",
    "Set_Mode_Toutyou", "Set_Mode_Preset", "Set_Mode_Mem",   "Set_Mode_Ch_Mode"};

class Collector {
 public:
  explicit Collector(std::vector<Difference>& out) : out_(out) {}

  void Compare(DifferenceKind kind, std::string where, std::string old_text, std::string new_text,
               int channel = 0) {
    if (old_text == new_text) return;
    out_.push_back(
        Difference{kind, channel, std::move(where), std::move(old_text), std::move(new_text)});
  }

 private:
  std::vector<Difference>& out_;
};

// The text of a cell as the radio would get it: a channel that is not in use goes as an empty
// record, whatever texts its row still shows, and a carrier a CSV file spelt "JR" is the
// radio's "ＪＲ".
std::string SentCellText(const Channel& channel, int column) {
  if (!channel.used) return "";
  if (column == kColCarrier && channel.half_width_jr) {
    Channel as_sent = channel;
    as_sent.half_width_jr = false;
    return CellText(as_sent, column);
  }
  return CellText(channel, column);
}

void CompareChannels(const MemoryImage& a, const MemoryImage& b, Collector& collect) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const Channel& old_channel = a.channel(n);
    const Channel& new_channel = b.channel(n);
    if (!old_channel.used && !new_channel.used) continue;
    bool any = false;
    for (int column = kColFreq; column <= kColName; ++column) {
      std::string old_text = SentCellText(old_channel, column);
      std::string new_text = SentCellText(new_channel, column);
      if (old_text == new_text) continue;
      any = true;
      collect.Compare(DifferenceKind::kChannel,
                      "channel " + std::to_string(n) + " " + std::string(kColumnCaptions[column]),
                      std::move(old_text), std::move(new_text), n);
    }
    // In use on one side with every cell empty: the radio still gets a record on that side.
    if (!any && old_channel.used != new_channel.used) {
      collect.Compare(DifferenceKind::kChannel, "channel " + std::to_string(n),
                      old_channel.used ? "in use" : "not in use",
                      new_channel.used ? "in use" : "not in use", n);
    }
  }
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The English text of a choice, or "choice N" for an index outside the list.
template <typename List>
std::string ChoiceText(const List& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return "choice " + std::to_string(index);
  return std::string(Trimmed(list[static_cast<size_t>(index)]));
}

void CompareSettings(const MemoryImage& a, const MemoryImage& b, Collector& collect) {
  for (const SettingItem& item : SettingsCatalogue()) {
    int old_choice = a.settings[item.id];
    int new_choice = b.settings[item.id];
    if (old_choice == new_choice) continue;
    // Two items share the caption "CH scope Display": the list's name tells them apart.
    std::string where = "setting " + std::string(item.caption_en) + " (" +
                        std::string(kGroupNames[static_cast<size_t>(item.id.group)]) + " " +
                        std::to_string(item.id.item) + ")";
    collect.Compare(DifferenceKind::kSetting, std::move(where),
                    ChoiceText(item.choices_en, old_choice),
                    ChoiceText(item.choices_en, new_choice));
  }
}

void CompareTitleAndDtmf(const MemoryImage& a, const MemoryImage& b, Collector& collect) {
  collect.Compare(DifferenceKind::kTitle, "title", a.title, b.title);
  const std::array<std::string_view, 2> off_on = {"OFF", "ON"};
  collect.Compare(DifferenceKind::kTitle, std::string(kOpeningSlideCaptionEn),
                  ChoiceText(off_on, a.title_scroll), ChoiceText(off_on, b.title_scroll));
  for (int m = 0; m < kDtmfMemoryCount; ++m) {
    collect.Compare(DifferenceKind::kDtmf, "DTMF Ch" + std::to_string(m + 1),
                    a.dtmf.memories[static_cast<size_t>(m)],
                    b.dtmf.memories[static_cast<size_t>(m)]);
  }
  const DtmfState& x = a.dtmf;
  const DtmfState& y = b.dtmf;
  collect.Compare(DifferenceKind::kDtmf, "DTMF Wait", ChoiceText(kDtmfWaitChoices, x.wait),
                  ChoiceText(kDtmfWaitChoices, y.wait));
  collect.Compare(DifferenceKind::kDtmf, "DTMF Head", ChoiceText(kDtmfTimeChoices, x.head),
                  ChoiceText(kDtmfTimeChoices, y.head));
  collect.Compare(DifferenceKind::kDtmf, "DTMF Burst", ChoiceText(kDtmfTimeChoices, x.burst),
                  ChoiceText(kDtmfTimeChoices, y.burst));
  collect.Compare(DifferenceKind::kDtmf, "DTMF Pause", ChoiceText(kDtmfTimeChoices, x.pause),
                  ChoiceText(kDtmfTimeChoices, y.pause));
  collect.Compare(DifferenceKind::kDtmf, "DTMF Ch", ChoiceText(kDtmfDialChChoices, x.dial_ch),
                  ChoiceText(kDtmfDialChChoices, y.dial_ch));
}

// A one-touch key as its controls show it: "No Setting", or its bank and channel.
std::string OneTouchText(const MemoryImage& image, int key) {
  const OneTouchKey& k = image.one_touch[static_cast<size_t>(key)];
  if (k.no_setting) return "No Setting";
  return "bank " + std::to_string(OneTouchBank(image, key)) + " channel " +
         std::to_string(k.channel_position);
}

// A glyph as its 16 pixel rows from the top, each as four hex digits whose highest bit is the
// leftmost pixel: "8000 0000 ..." has the top-left pixel set.
std::string GlyphText(const GlyphBits& glyph) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const auto& row : glyph) {
    if (!text.empty()) text += ' ';
    for (int nibble = 0; nibble < kGlyphSize / 4; ++nibble) {
      int value = 0;
      for (int bit = 0; bit < 4; ++bit) value = value * 2 + (row[nibble * 4 + bit] != 0 ? 1 : 0);
      text += kDigits[value];
    }
  }
  return text;
}

// The banks of a bank-link group, "banks 0, 3, 7" or "no banks"; the whole entry in hex when
// the banks agree but the entry's other bits do not.
std::string GroupText(const std::string& entry_hex, bool raw) {
  if (raw) return entry_hex;
  GroupBanks banks = GroupBanksOf(entry_hex);
  std::string text;
  for (int bank = 0; bank < kBankCount; ++bank) {
    if (!banks[static_cast<size_t>(bank)]) continue;
    text += (text.empty() ? "banks " : ", ") + std::to_string(bank);
  }
  return text.empty() ? "no banks" : text;
}

void CompareBanksAndGlyphs(const MemoryImage& a, const MemoryImage& b, Collector& collect) {
  for (int bank = 0; bank < kBankCount; ++bank) {
    collect.Compare(DifferenceKind::kBankSize, "bank " + std::to_string(bank) + " size",
                    std::to_string(a.bank_sizes[static_cast<size_t>(bank)]),
                    std::to_string(b.bank_sizes[static_cast<size_t>(bank)]));
  }
  for (int key = 0; key < kOneTouchKeyCount; ++key) {
    collect.Compare(DifferenceKind::kOneTouch, "one-touch key " + std::to_string(key + 1),
                    OneTouchText(a, key), OneTouchText(b, key));
  }
  for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
    collect.Compare(DifferenceKind::kGlyph, "glyph " + std::to_string(glyph + 1),
                    GlyphText(a.font_bits[static_cast<size_t>(glyph)]),
                    GlyphText(b.font_bits[static_cast<size_t>(glyph)]));
  }
  for (int group = 0; group < kBankLinkGroupCount; ++group) {
    const std::string& x = a.bank_link_hex[static_cast<size_t>(group)];
    const std::string& y = b.bank_link_hex[static_cast<size_t>(group)];
    bool raw = GroupBanksOf(x) == GroupBanksOf(y);
    collect.Compare(DifferenceKind::kBankLink,
                    "bank link " + (group < 10 ? "Group" + std::to_string(group) : "GroupB"),
                    GroupText(x, raw), GroupText(y, raw));
  }
}

// A value as a line shows it: an empty one as "(empty)", one with spaces at its ends quoted.
std::string Shown(const std::string& text) {
  if (text.empty()) return "(empty)";
  if (text.front() == ' ' || text.back() == ' ') return "\"" + text + "\"";
  return text;
}

}  // namespace

std::vector<Difference> ImageDifferences(const MemoryImage& old_image,
                                         const MemoryImage& new_image) {
  std::vector<Difference> differences;
  Collector collect(differences);
  CompareChannels(old_image, new_image, collect);
  CompareSettings(old_image, new_image, collect);
  CompareTitleAndDtmf(old_image, new_image, collect);
  CompareBanksAndGlyphs(old_image, new_image, collect);
  return differences;
}

std::string DifferenceLine(const Difference& difference) {
  return difference.where + ": " + Shown(difference.old_text) + " -> " + Shown(difference.new_text);
}

}  // namespace tqm5
