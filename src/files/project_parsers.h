// The line layouts the project writer and loader share, and the loader's dispatch of one line.
// Only the project file's own sources include this.
#ifndef TQM5_FILES_PROJECT_PARSERS_H_
#define TQM5_FILES_PROJECT_PARSERS_H_

#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace tqm5 {

inline constexpr int kChannelFixedLength = 38;  // "CH" .. skip flag; the name follows
inline constexpr int kBankLineCount = 5;        // "BK0000" .. "BK0004"
inline constexpr int kBanksPerLine = 10;
inline constexpr int kOneTouchNoSetting = 255;  // one-touch bank entry of a "No Setting" key

inline constexpr std::string_view kOneTouchBankKey = "ONETOUCH_BANK";
inline constexpr std::string_view kOneTouchChannelKey = "ONETOUCH_CHDA";
// The whole-bank layout (one bank holding all 1000 memories), written instead of the "BK" lines.
inline constexpr std::string_view kAllBankKey = "ALLBANK";
inline constexpr std::string_view kFontKey = "FONT";  // + glyph 0..7 + 64 hex digits
inline constexpr std::string_view kLinkKey = "LINK";  // + group 00..10 + 16 hex digits
// The opening title's scroll choice: "SLIDE" + 0 or 1.
inline constexpr std::string_view kSlideKey = "SLIDE";
// `Set_Mode_Ch_Mode` as a twelfth set-mode record, "SD12" + 3 digits: the loaders that know
// only eleven records skip a record number they do not know.
inline constexpr int kChModeRecord = 12;

// Applies one line after the header, dispatched on its first two characters; lines of unknown
// keys or of the wrong length are ignored. Returns false with `error` for a channel line whose
// fixed fields are malformed, or when a value does not fit the image; whatever the line set
// before that stays set (the loader works on a copy of the image).
bool ApplyProjectLine(MemoryImage& image, std::u32string_view line, std::string& error);

}  // namespace tqm5

#endif  // TQM5_FILES_PROJECT_PARSERS_H_
