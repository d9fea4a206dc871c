#include "editing/tabs.h"

#include "model/banks.h"

namespace tqm5 {

TabSwitch DecideTabSwitch(const MemoryImage& image, int current, int selected) {
  if (selected == current) return TabSwitch::kStay;
  if (BankTotalValid(image)) return TabSwitch::kShow;
  return selected == kBankTab ? TabSwitch::kResetAndShow : TabSwitch::kAsk;
}

void EnterTab(MemoryImage& image, int tab) {
  if (tab == kMemoryTab) RebuildRowLabels(image);
  if (tab == kCommonTab) RefreshOneTouchLists(image);
}

}  // namespace tqm5
