#include "gui/widgets.h"

#include <QHBoxLayout>

namespace tqm5::gui {

QHBoxLayout* FrameCommandRow(PageHost& host, const FrameCommands& commands) {
  auto* row = new QHBoxLayout;
  QPushButton* reset = Button("Reset", commands.reset_name);
  QObject::connect(reset, &QPushButton::clicked, reset, [&host, commands] {
    host.document().Change(commands.reset_step, commands.reset);
  });
  QPushButton* read = Button("Read", commands.read_name);
  QObject::connect(read, &QPushButton::clicked, read,
                   [&host, commands] { host.StartTransfer({commands.read}); });
  QPushButton* write = Button("Write", commands.write_name);
  QObject::connect(write, &QPushButton::clicked, write,
                   [&host, commands] { host.StartTransfer({commands.write}); });
  row->addWidget(reset);
  row->addStretch();
  row->addWidget(read);
  row->addWidget(write);
  return row;
}

}  // namespace tqm5::gui
