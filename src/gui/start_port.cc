#include "gui/start_port.h"

namespace tqm5::gui {

StartPort ChooseStartPort(const QString& remembered, bool remembered_present,
                          const QStringList& present) {
  if (remembered_present) return {};
  const QString missing = remembered + " is not there";
  if (present.size() == 1) {
    return {present.front(),
            missing + ": using " + present.front() + ", the only serial port found."};
  }
  if (present.isEmpty()) {
    return {{},
            missing +
                " and no serial port was found: plug in the radio's cable, or choose "
                "\"Simulated radio\" in the COM port menu to try the program."};
  }
  return {{},
          missing + ". Serial ports found: " + present.join(", ") +
              "; choose the radio's in the COM port menu."};
}

}  // namespace tqm5::gui
