// The tab strip's guard: the pages other than "Bank" are shown only while the bank sizes add up
// to 1000, because the row labels and the one-touch lists are built from them.
#ifndef TQM5_EDITING_TABS_H_
#define TQM5_EDITING_TABS_H_

#include "model/memory_image.h"
#include "settings/catalogue.h"

namespace tqm5 {

// Tabs, counted from 1 in the order of the strip.
// The two settings tabs are the catalogue's `kCommonSetTab` and `kSetModeTab`.
inline constexpr int kMemoryTab = 1;
inline constexpr int kBankTab = 2;
inline constexpr int kCommonTab = kCommonSetTab;

enum class TabSwitch {
  kStay,          // the tab already shown: nothing happens
  kShow,          // show the page
  kResetAndShow,  // reset the bank sizes without asking, then show the page ("Bank")
  kAsk,           // ask "Bank Total Error. Init Data?": OK resets and shows, Cancel stays
};

// What selecting tab `selected` does while tab `current` is shown (0: none yet).
TabSwitch DecideTabSwitch(const MemoryImage& image, int current, int selected);

// What showing a page does to the image: "Memory" rebuilds the row labels, "Common Set" rebuilds
// the one-touch lists keeping each key's bank and channel where they are still there.
void EnterTab(MemoryImage& image, int tab);

}  // namespace tqm5

#endif  // TQM5_EDITING_TABS_H_
