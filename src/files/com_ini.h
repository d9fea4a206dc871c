// The port setting file "com.ini": a whole project file written whenever a port is chosen, of
// which only the "COMPORT" line is read back at start-up.
#ifndef TQM5_FILES_COM_INI_H_
#define TQM5_FILES_COM_INI_H_

#include <string>

#include "model/memory_image.h"

namespace tqm5 {

inline constexpr int kPortCount = 16;  // menu entries "COM1" .. "COM16"

// The port to use and the "COM" menu entry that carries the check mark (0: none), and the
// device chosen with "Other port..." ("" when a "COM" entry is in use).
struct PortMenuState {
  int port = 1;
  int checked = 0;
  std::string device;
  friend bool operator==(const PortMenuState&, const PortMenuState&) = default;
};

// `GetComIniPath`: "<config>/TQ-M5/com.ini", where <config> is $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config. Creates the "TQ-M5" folder when it is missing; returns an
// empty text when there is no such folder and it cannot be created.
std::string GetComIniPath();

// `LoadComPort`: the port stored in the settings file at `path`. Its first line beginning "CO"
// is read: a line of 9 characters gives the numeric prefix of its last two ("COMPORT07" and
// "COMPORT7x" give port 7), checked; a value of 0 ("00", "x7") or a line of another length give
// port 1 with "COM1" checked; a port above 16 (no menu entry), a missing file or a file without
// such a line give port 1 with no entry checked. A line "PORTDEVICE " + path, written after
// "File End" where other readers of the file never look, gives the device.
PortMenuState LoadComPort(const std::string& path);

// `SelectComPort`: port menu entry k (1..16) chosen. Sets the image's port and writes the whole
// project file to `path`, whose "COMPORT" line keeps the port for the next start. Returns false
// with `error` when k is not a menu entry (nothing changes) or the file cannot be written. A
// `device` (a port chosen by its path) is kept on the "PORTDEVICE" line beside the port number.
bool SelectComPort(MemoryImage& image, int k, const std::string& path, std::string& error,
                   const std::string& device = "");

}  // namespace tqm5

#endif  // TQM5_FILES_COM_INI_H_
