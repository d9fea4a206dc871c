// The file operations behind every save: replacing a file whole, keeping a copy of a file before
// it is replaced, and telling whether two names are one file. The system calls they make are
// those of image/platform.h, which has a body for POSIX systems and one for Windows.
#ifndef TQM5_FILES_FILE_OPS_H_
#define TQM5_FILES_FILE_OPS_H_

#include <string>
#include <string_view>

namespace tqm5 {

// True when both names lead to one existing file: the files are compared (device and file
// number, after symbolic links), not the names, so "a.M5", "./a.M5", a symbolic link to it and a
// hard link all count. A name that does not exist yet is the same as nothing.
bool IsSameFile(const std::string& a, const std::string& b);

// Replaces the file `path` by `bytes` so that the old file stays whole when the save fails: the
// bytes go into a new temporary file ".tqm5-XXXXXX" in the target's folder, which is then renamed
// over the target. When `path` is a symbolic link, its target is written and the link stays. An
// existing file keeps its permission bits (and, where allowed, its owner); a new file gets the
// usual mode. Anything but a regular file is refused. On failure returns false and `error`
// names the file or folder that could not be written and why.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error);

// Why a save to `path` would fail, found without changing anything (a temporary file is created
// in the target's folder and removed again); empty when it would not. Lets a command refuse its
// output before it does any long work.
std::string SaveProblem(const std::string& path);

// Why no new file could be saved in `folder` ("" for the current folder), found the same way;
// empty when one could.
std::string FolderProblem(const std::string& folder);

// Where copies of replaced files and of every radio read are kept:
// $XDG_DATA_HOME/TQ-M5/backups, or ~/.local/share/TQ-M5/backups. A relative $XDG_DATA_HOME is
// not a valid setting and is ignored. Empty when neither is known; `why` then says so.
std::string BackupFolder(std::string* why = nullptr);

// Before `path` is replaced: when it exists, copies it into the backups folder (created when
// missing) under its own name with the local time added ("my-radio.M5" gives
// "my-radio-20261205-184522.M5", "-2", "-3", ... when that name is taken; an earlier copy is
// never replaced), and sets `backup` to the copy's path. When there is no file, `backup` is
// empty. On failure returns false with the reason in `error`; the file must then not be
// replaced.
bool KeepBackupCopy(const std::string& path, std::string& backup, std::string& error);

// The current local time formatted by `strftime` (`format` such as "%Y%m%d-%H%M%S"), for file
// names and file headers.
std::string LocalTimeText(const char* format);

}  // namespace tqm5

#endif  // TQM5_FILES_FILE_OPS_H_
