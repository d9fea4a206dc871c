#include "files/file_ops.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>

#include "image/platform.h"

namespace tqm5 {
namespace {

namespace fs = std::filesystem;

// Longest file name most file systems take, in bytes.
constexpr size_t kNameMax = 255;

std::string ErrnoText(int error_number) { return std::strerror(error_number); }

// The file a save to `path` writes: `path` itself, or the end of its chain of symbolic links,
// which need not exist yet. Empty after setting `error` for a chain that never ends.
fs::path SaveTarget(const std::string& path, std::string& error) {
  fs::path target = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
    fs::path next = fs::read_symlink(target, ec);
    if (ec) {
      error = "cannot follow the symbolic link " + target.string() + ": " + ec.message();
      return {};
    }
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  error = "cannot write " + path + ": too many levels of symbolic links";
  return {};
}

// Why the save target cannot be replaced: a folder or anything but a regular file ("" when it
// can). `old` receives the existing file's status, and `exists` whether there is one.
std::string TargetProblem(const std::string& path, const fs::path& target,
                          platform::FileStatus& old, bool& exists) {
  exists = platform::StatusOf(target, old);
  if (!exists) {
    // A missing folder on the way shows when the temporary file cannot be made there.
    return errno == ENOENT || errno == ENOTDIR ? ""
                                               : "cannot write " + path + ": " + ErrnoText(errno);
  }
  if (old.folder) return path + " is a folder, not a file";
  // Renaming over a device or a pipe would replace it with a plain file.
  if (!old.regular) return path + " is not a regular file";
  return "";
}

// The folder a file is written in; "" for a bare name means the current folder.
fs::path FolderOf(const fs::path& target) { return target.parent_path(); }

std::string TemporaryFileError(const fs::path& folder, int error_number) {
  std::error_code ec;
  std::string shown = folder.empty() ? fs::current_path(ec).string() : folder.string();
  return "cannot create a temporary file in folder " + shown + ": " + ErrnoText(error_number);
}

// Creates a new file ".tqm5-XXXXXX" (six random letters) in `folder` with `mode` less the umask,
// and returns its descriptor, or -1 with errno set. The short name keeps the longest names a
// file system takes savable.
int CreateTemporaryFile(const fs::path& folder, unsigned mode, fs::path& temporary) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = ".tqm5-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof(kLetters) - 1)];
    temporary = folder / name;
    int fd = platform::CreateNewFile(temporary, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    long written = platform::WriteSome(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Copies everything `in` holds to `out`.
bool CopyAll(int in, int out) {
  char buffer[1 << 16];
  for (;;) {
    long got = platform::ReadSome(in, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(got)))) return false;
  }
}

// Closes `fd` after a write: false when the data did not reach the file.
bool Finish(int fd, bool written, int& error_number) {
  written = written && platform::SyncFile(fd);
  if (!written) error_number = errno;
  if (!platform::CloseFile(fd) && written) {
    error_number = errno;
    return false;
  }
  return written;
}

// `text` cut to at most `bytes` bytes without splitting a UTF-8 character.
std::string CutUtf8(std::string text, size_t bytes) {
  if (text.size() <= bytes) return text;
  text.resize(bytes);
  size_t lead = text.size();
  while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0 && static_cast<unsigned char>(text[lead - 1]) >= 0xC0) {
    auto byte = static_cast<unsigned char>(text[lead - 1]);
    size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    if (text.size() - (lead - 1) < length) text.resize(lead - 1);
  }
  return text;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error) {
  fs::path target = SaveTarget(path, error);
  if (target.empty()) return false;
  platform::FileStatus old;
  bool exists = false;
  error = TargetProblem(path, target, old, exists);
  if (!error.empty()) return false;
  fs::path temporary;
  // An existing file's copy starts private and takes the old bits below.
  int fd = CreateTemporaryFile(FolderOf(target), exists ? 0600 : 0666, temporary);
  if (fd < 0) {
    error = TemporaryFileError(FolderOf(target), errno);
    return false;
  }
  if (exists) {
    platform::KeepOwner(fd, old);
    platform::SetMode(fd, old.mode);
  }
  int error_number = 0;
  if (!Finish(fd, WriteAll(fd, bytes), error_number)) {
    error = "cannot write " + path + ": " + ErrnoText(error_number);
    platform::RemoveFile(temporary);
    return false;
  }
  if (!platform::RenameOver(temporary, target)) {
    error = "cannot replace " + path + ": " + ErrnoText(errno);
    platform::RemoveFile(temporary);
    return false;
  }
  return true;
}

std::string SaveProblem(const std::string& path) {
  std::string error;
  fs::path target = SaveTarget(path, error);
  if (target.empty()) return error;
  platform::FileStatus old;
  bool exists = false;
  error = TargetProblem(path, target, old, exists);
  return error.empty() ? FolderProblem(FolderOf(target).string()) : error;
}

std::string FolderProblem(const std::string& folder) {
  fs::path temporary;
  int fd = CreateTemporaryFile(folder, 0600, temporary);
  if (fd < 0) return TemporaryFileError(folder, errno);
  platform::CloseFile(fd);
  platform::RemoveFile(temporary);
  return "";
}

std::string BackupFolder(std::string* why) {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && fs::path(data_home).is_absolute())
    return (fs::path(data_home) / "TQ-M5" / "backups").string();
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0')
    return (fs::path(home) / ".local" / "share" / "TQ-M5" / "backups").string();
  if (why != nullptr) {
    *why = data_home != nullptr && *data_home != '\0'
               ? "XDG_DATA_HOME is not an absolute path and HOME is not set"
               : "neither XDG_DATA_HOME nor HOME is set";
  }
  return "";
}

bool KeepBackupCopy(const std::string& path, std::string& backup, std::string& error) {
  backup.clear();
  std::error_code ec;
  // Only a regular file holds anything to keep; saving refuses the others itself.
  if (!fs::is_regular_file(fs::status(path, ec))) return true;
  std::string why;
  const std::string folder = BackupFolder(&why);
  if (folder.empty()) {
    error = why;
    return false;
  }
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) {
    error = "cannot create the backups folder " + folder + (ec ? ": " + ec.message() : "");
    return false;
  }
  int in = platform::OpenToRead(path);
  platform::FileStatus status;
  if (in < 0 || !platform::StatusOf(in, status)) {
    error = "cannot read " + path + ": " + ErrnoText(errno);
    if (in >= 0) platform::CloseFile(in);
    return false;
  }
  const fs::path name = fs::path(path).filename();
  const std::string extension = name.extension().string();
  const std::string stamp = "-" + LocalTimeText("%Y%m%d-%H%M%S");
  // Room for the time, a "-999" and the extension within one file name.
  const size_t reserved = stamp.size() + 4 + extension.size();
  std::string stem = CutUtf8(name.stem().string(), kNameMax > reserved ? kNameMax - reserved : 0);
  for (int n = 1; n <= 999; ++n) {
    fs::path copy =
        fs::path(folder) / (stem + stamp + (n == 1 ? "" : "-" + std::to_string(n)) + extension);
    int out = platform::CreateNewFile(copy, 0600);
    if (out < 0 && errno == EEXIST) continue;
    if (out < 0) {
      error = "cannot create " + copy.string() + ": " + ErrnoText(errno);
      platform::CloseFile(in);
      return false;
    }
    // A private file's copy stays private.
    platform::SetMode(out, status.mode & 0777);
    int error_number = 0;
    bool copied = Finish(out, CopyAll(in, out), error_number);
    platform::CloseFile(in);
    if (!copied) {
      error = "cannot write " + copy.string() + ": " + ErrnoText(error_number);
      platform::RemoveFile(copy);
      return false;
    }
    backup = copy.string();
    return true;
  }
  platform::CloseFile(in);
  error = "cannot create a copy of " + path + " in " + folder + ": every name up to -999 is taken";
  return false;
}

std::string LocalTimeText(const char* format) {
  std::time_t now = std::time(nullptr);
  const std::tm local = platform::LocalTime(now);
  char text[64];
  return std::string(text, std::strftime(text, sizeof(text), format, &local));
}

}  // namespace tqm5
