#include "gui/common_page.h"

namespace tqm5::gui {

CommonPage::CommonPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  connect(&host_.document(), &Document::imageChanged, this, &CommonPage::Refresh);
  Refresh();
}

void CommonPage::Refresh() {}

}  // namespace tqm5::gui
