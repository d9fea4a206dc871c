#include "gui/bank_page.h"

namespace tqm5::gui {

BankPage::BankPage(PageHost& host, QWidget* parent) : QGroupBox(parent), host_(host) {
  connect(&host_.document(), &Document::imageChanged, this, &BankPage::Refresh);
  Refresh();
}

void BankPage::Refresh() {}

}  // namespace tqm5::gui
