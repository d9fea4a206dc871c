#include "gui/font_editor.h"

namespace tqm5::gui {

FontEditor::FontEditor(PageHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  connect(&host_.document(), &Document::imageChanged, this, &FontEditor::Refresh);
  Refresh();
}

void FontEditor::Refresh() {}

}  // namespace tqm5::gui
