#include "gui/bank_link_editor.h"

namespace tqm5::gui {

BankLinkEditor::BankLinkEditor(PageHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  connect(&host_.document(), &Document::imageChanged, this, &BankLinkEditor::Refresh);
  Refresh();
}

void BankLinkEditor::Refresh() {}

}  // namespace tqm5::gui
