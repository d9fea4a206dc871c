// `MemoryImage`: the program's whole edit state of the radio's memory. A newly constructed
// image is the start-up image. Windows, files and transfers read and change this model; none of
// it depends on a user interface.
#ifndef TQM5_MODEL_MEMORY_IMAGE_H_
#define TQM5_MODEL_MEMORY_IMAGE_H_

#include <array>
#include <cstdint>
#include <string>

#include "fonts/font_codec.h"
#include "groups/bank_link.h"
#include "image/channel_numbering.h"
#include "image/model_option.h"
#include "model/channel.h"
#include "settings/settings_state.h"
#include "textdata/dtmf.h"

namespace tqm5 {

// A one-touch key as its controls hold it: the "No Setting" box, and the positions selected in
// its bank list and channel list. The bank list shows the used-bank table, so the key's bank is
// `used_banks[bank_position]`.
struct OneTouchKey {
  bool no_setting = true;
  int bank_position = 0;
  int channel_position = 0;
  friend bool operator==(const OneTouchKey&, const OneTouchKey&) = default;
};

// Everything of the image beside the channel table: a few kilobytes, where the table holds
// most of a megabyte. An undo step keeps it whole when it changes.
struct ImageAreas {
  // Bank sizes (the bank sliders), banks 0..49.
  std::array<int, kBankCount> bank_sizes{};
  // The used-bank table behind the one-touch bank lists: used banks ascending, then 100.
  std::array<int, kBankCount> used_banks{};
  std::array<OneTouchKey, kOneTouchKeyCount> one_touch;

  // Opening title as shown in the title box, and the scroll choice (0 "OFF", 1 "ON").
  std::string title;
  int title_scroll = 0;

  // Every set-mode choice, and the language the settings texts are shown in.
  SettingsChoices settings;
  int language = kJapanese;

  DtmfState dtmf;

  // The bank-link groups as the bank-link editor sets them, upper-case hex text. What the radio
  // last held of its areas is in `RadioSnapshot`, not here.
  BankLinkHex bank_link_hex;  // `BankLinkHex`, 16 digits each

  FontBits font_bits{};

  // Group tables kept only for the project file (`GroupFileTable`, `GroupFileFlags`).
  std::array<std::array<uint8_t, kBankCount>, kBankLinkGroupCount> group_file_table{};
  std::array<uint8_t, kBankCount> group_file_flags{};

  ModelOption model_option = ModelOption::kNone;
  int com_port_number = 1;  // `ComPortNumber`, 1..16

  friend bool operator==(const ImageAreas&, const ImageAreas&) = default;
};

struct MemoryImage : ImageAreas {
  // Builds the start-up image.
  MemoryImage();

  // Channel by its number, 1..1623.
  Channel& channel(int number) { return channels[static_cast<size_t>(number - 1)]; }
  const Channel& channel(int number) const { return channels[static_cast<size_t>(number - 1)]; }

  // The channel table: channel n is channels[n - 1].
  std::array<Channel, kChannelCount> channels;

  friend bool operator==(const MemoryImage&, const MemoryImage&) = default;
};

// The settings "Reset" of the set-mode and common pages: every set-mode item to its default
// (which selects Japanese), the title scroll choice to "OFF", the DTMF choices to wait 100ms,
// head 120ms, burst 120ms, pause 60ms, dial "1Ch", and the nine DTMF memories emptied.
void ResetSettings(MemoryImage& image);

// Choosing the radio variant: "J" selects Japanese settings texts (and hides the cross-band
// item), "T" and "other" select English.
void SelectModelOption(MemoryImage& image, ModelOption option);

// True when user glyphs in names and the title are held as the characters ①..⑧ rather than
// the tokens ":1~"..":8~".
inline bool UsesGlyphCharacters(const MemoryImage& image) {
  return image.model_option == ModelOption::kJ;
}

// The grid's "Clear" over channels first..last: every channel but the protected call and
// bug-detector channels is emptied.
void ClearUnprotectedChannels(MemoryImage& image, int first, int last);
// "All Clear": channels 1..1603 but the call channels. Bug-detector channels are not touched.
void ClearAllChannels(MemoryImage& image);

}  // namespace tqm5

#endif  // TQM5_MODEL_MEMORY_IMAGE_H_
