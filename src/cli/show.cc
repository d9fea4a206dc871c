// `tqm5 show`: a readable listing of a project.
#include <iomanip>
#include <ostream>

#include "cli/verbs.h"
#include "model/banks.h"
#include "settings/catalogue.h"
#include "textdata/cp932.h"
#include "textdata/dtmf.h"

namespace tqm5::cli {
namespace {

// The text left-aligned in `width` columns, counting a double-byte character as two columns
// as a terminal shows it.
std::string Pad(const std::string& text, int width) {
  int columns = Cp932ByteLength(text);
  return text + std::string(static_cast<size_t>(std::max(1, width - columns)), ' ');
}

void PrintChannels(const MemoryImage& image, std::ostream& out) {
  int used = 0;
  for (const Channel& channel : image.channels) used += channel.used ? 1 : 0;
  out << "Channels: " << used << " used\n";
  static constexpr int kWidths[kColumnCount] = {14, 15, 5, 9, 8, 9, 9, 9, 5, 6, 11, 5, 0};
  out << Pad("No.", 6);
  for (int c = 0; c < kColumnCount; ++c) {
    out << (c == kColName ? std::string(kColumnCaptions[c])
                          : Pad(std::string(kColumnCaptions[c]), kWidths[c]));
  }
  out << "\n";
  for (int n = 1; n <= kChannelCount; ++n) {
    const Channel& channel = image.channel(n);
    if (!channel.used) continue;
    out << Pad(std::to_string(n), 6);
    for (int c = 0; c < kColumnCount; ++c) {
      std::string text = CellText(channel, c);
      out << (c == kColName ? text : Pad(text, kWidths[c]));
    }
    out << "\n";
  }
}

void PrintBanks(const MemoryImage& image, std::ostream& out) {
  out << "\nBanks (total " << BankTotal(image) << "):";
  for (int b = 0; b < kBankCount; ++b) {
    int size = image.bank_sizes[static_cast<size_t>(b)];
    if (size > 0) out << " " << b << ":" << size;
  }
  out << "\nOne-touch keys:";
  for (int k = 0; k < kOneTouchKeyCount; ++k) {
    const OneTouchKey& key = image.one_touch[static_cast<size_t>(k)];
    out << " " << k + 1 << "=";
    if (key.no_setting) {
      out << "none";
    } else {
      out << "bank " << OneTouchBank(image, k) << " ch " << key.channel_position;
    }
  }
  out << "\n";
}

void PrintTitleAndDtmf(const MemoryImage& image, std::ostream& out) {
  out << "\nTitle: \"" << image.title << "\" (Opening Slide "
      << (image.title_scroll == 1 ? "ON" : "OFF") << ")\n";
  out << "DTMF: Wait " << kDtmfWaitChoices[static_cast<size_t>(image.dtmf.wait)] << ", Head "
      << kDtmfTimeChoices[static_cast<size_t>(image.dtmf.head)] << ", Burst "
      << kDtmfTimeChoices[static_cast<size_t>(image.dtmf.burst)] << ", Pause "
      << kDtmfTimeChoices[static_cast<size_t>(image.dtmf.pause)] << ", Ch "
      << kDtmfDialChChoices[static_cast<size_t>(image.dtmf.dial_ch)] << "\n";
  for (int m = 0; m < kDtmfMemoryCount; ++m) {
    const std::string& memory = image.dtmf.memories[static_cast<size_t>(m)];
    if (!memory.empty()) out << "  Ch" << m + 1 << " " << memory << "\n";
  }
}

void PrintSettings(const MemoryImage& image, std::ostream& out) {
  out << "\nSettings:\n";
  for (const SettingHeading& heading : SettingHeadings()) {
    out << "  " << heading.caption_en << "\n";
    for (SettingId id : heading.items) {
      const std::vector<std::string>& choices = SettingChoices(id, kEnglish);
      int choice = image.settings[id];
      std::string text = choice >= 0 && choice < static_cast<int>(choices.size())
                             ? choices[static_cast<size_t>(choice)]
                             : "(choice " + std::to_string(choice) + ")";
      out << "    " << Pad(std::string(SettingCaption(id, kEnglish)), 20) << text << "\n";
    }
  }
}

}  // namespace

void PrintImage(const MemoryImage& image, std::ostream& out) {
  PrintChannels(image, out);
  PrintBanks(image, out);
  PrintTitleAndDtmf(image, out);
  PrintSettings(image, out);
}

}  // namespace tqm5::cli
