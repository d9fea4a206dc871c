// What the window keeps beside the files it saves and opens: a copy of every file it replaces,
// in the backups folder, and the radio snapshot a project file names, in the snapshot store.
#ifndef TQM5_GUI_KEPT_FILES_H_
#define TQM5_GUI_KEPT_FILES_H_

#include <functional>
#include <string>

#include "image/outcome.h"
#include "model/radio_snapshot.h"

namespace tqm5::gui {

// Runs `save`, which replaces or creates `path`, once an existing file has been copied into the
// backups folder; a successful outcome's detail then names the copy. When no copy can be made,
// nothing is saved and the error outcome says why.
Outcome SaveOverACopy(const std::string& path, const std::function<Outcome()>& save);

// The digest a saved project names: `radio` kept in the store. "" when nothing is known of the
// radio, or when it could not be kept; `problem` then says so in one line.
std::string KeepRadioSnapshot(const RadioSnapshot& radio, std::string& problem);

// What an opened project's `digest` tells of the radio, given what the window already `known`s:
// the stored snapshot when it is newer than that, otherwise `known`. A snapshot missing from the
// store or damaged there sets `problem` to one line and leaves `known`.
RadioSnapshot RadioOfOpenedProject(const std::string& digest, const RadioSnapshot& known,
                                   std::string& problem);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_KEPT_FILES_H_
