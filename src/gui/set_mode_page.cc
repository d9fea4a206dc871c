#include "gui/set_mode_page.h"

namespace tqm5::gui {

SetModePage::SetModePage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  connect(&host_.document(), &Document::imageChanged, this, &SetModePage::Refresh);
  Refresh();
}

void SetModePage::Refresh() {}

}  // namespace tqm5::gui
