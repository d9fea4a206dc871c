// The port at start-up: when the remembered port is not there, the only serial port present is
// used instead, or the status bar says which ports there are.
#ifndef TQM5_GUI_START_PORT_H_
#define TQM5_GUI_START_PORT_H_

#include <QString>
#include <QStringList>

namespace tqm5::gui {

struct StartPort {
  QString device;   // the port to use for this run instead; "" keeps the remembered one
  QString message;  // for the status bar; "" when the remembered port is there
  friend bool operator==(const StartPort&, const StartPort&) = default;
};

// `remembered` names the remembered port as the menu shows it ("COM1 (/dev/ttyUSB0)"),
// `remembered_present` says whether it is there, and `present` lists the serial ports the
// system has.
StartPort ChooseStartPort(const QString& remembered, bool remembered_present,
                          const QStringList& present);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_START_PORT_H_
