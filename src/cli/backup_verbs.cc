#include "cli/backup_verbs.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "files/file_ops.h"
#include "files/project_file.h"
#include "files/snapshot_store.h"
#include "files/text_file.h"
#include "link/radio_link.h"
#include "transfer/write_plan.h"

namespace tqm5::cli {
namespace {

namespace fs = std::filesystem;

// "2026-12-06 14:32:59" in local time.
std::string TimeText(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::time_t FileTime(const fs::path& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? status.st_mtime : 0;
}

// "5, 17, 100-103": numbers in ascending order, runs joined.
std::string NumberRuns(const std::vector<int>& numbers) {
  std::string text;
  for (size_t i = 0; i < numbers.size();) {
    size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    text += (text.empty() ? "" : ", ") + std::to_string(numbers[i]) +
            (j > i ? "-" + std::to_string(numbers[j]) : "");
    i = j + 1;
  }
  return text;
}

}  // namespace

int ListBackups(std::ostream& out, std::ostream& err) {
  std::string why;
  const std::string folder = BackupFolder(&why);
  if (folder.empty()) {
    err << "tqm5 backups: no backups folder: " << why << "\n";
    return 1;
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    out << "No backups kept yet (" << folder << ")\n";
    return 0;
  }
  struct Entry {
    std::time_t time;
    std::string path, line;
  };
  std::vector<Entry> entries;
  for (const fs::directory_entry& file : fs::directory_iterator(folder, ec)) {
    const std::string path = file.path().string();
    if (!file.is_regular_file(ec) || !PathEndsWith(path, ".M5")) continue;
    MemoryImage image;
    SelectModelOption(image, ModelOption::kJ);
    std::string digest, problem, used = "not a whole project";
    if (LoadProject(image, path, nullptr, &digest).success) {
      used = std::to_string(std::count_if(image.channels.begin(), image.channels.end(),
                                          [](const Channel& c) { return c.used; })) +
             " channels";
    }
    std::string model = "?";
    if (!digest.empty()) {
      if (std::optional<RadioSnapshot> known = LoadStoredSnapshot(digest, problem)) {
        model = known->identification.substr(known->identification.find('~') + 1);
      }
    }
    model.resize(std::max<size_t>(model.size(), 8), ' ');
    const std::time_t time = FileTime(file.path());
    entries.push_back({time, path, TimeText(time) + "  " + model + "  " + used + "  " + path});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.time != b.time ? a.time > b.time : a.path > b.path;
  });
  if (entries.empty()) out << "No backups kept yet (" << folder << ")\n";
  for (const Entry& entry : entries) out << entry.line << "\n";
  return 0;
}

std::string BackupPath(const std::string& name) {
  std::error_code ec;
  if (fs::exists(name, ec)) return name;
  const std::string folder = BackupFolder();
  if (folder.empty() || fs::path(name).has_parent_path()) return name;
  const fs::path kept = fs::path(folder) / name;
  return fs::exists(kept, ec) ? kept.string() : name;
}

RadioSnapshot NewestKnownRadio(ModelOption model) {
  RadioSnapshot newest;
  const std::string folder = SnapshotFolder();
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return newest;
  for (const fs::directory_entry& file : fs::directory_iterator(folder, ec)) {
    std::string digest = file.path().stem().string(), problem;
    if (file.path().extension() != ".snapshot" || !IsSnapshotDigest(digest)) continue;
    std::optional<RadioSnapshot> known = LoadStoredSnapshot(digest, problem);
    if (known && OptionOfCommand(known->identification) == model &&
        (!newest.updated || *known->updated > *newest.updated)) {
      newest = std::move(*known);
    }
  }
  return newest;
}

std::string DifferenceSummary(const MemoryImage& image, const RadioSnapshot& radio) {
  if (radio.blocks.empty() || !radio.updated) {
    return "Nothing is known of what the radio holds: everything is written.";
  }
  const std::string when = TimeText(std::chrono::system_clock::to_time_t(*radio.updated));
  std::string problem;
  std::optional<std::vector<WriteUnit>> plan = FullWritePlan(image, radio, problem);
  if (!plan) {
    return "What the radio held at " + when + " cannot be compared (" + problem +
           "): everything is written.";
  }
  std::vector<int> channels;
  std::vector<std::string> areas;
  int unknown = 0;
  for (const WriteUnit& unit : *plan) {
    std::optional<std::string> known = KnownHex(radio, unit.address, unit.bytes());
    if (!known) {
      unknown += InOrderTable(unit) ? 0 : 1;
    } else if (*known != unit.hex && unit.channel > 0) {
      channels.push_back(unit.channel);
    } else if (*known != unit.hex &&
               std::find(areas.begin(), areas.end(), unit.area) == areas.end()) {
      areas.push_back(unit.area);
    }
  }
  std::vector<std::string> parts;
  if (!channels.empty()) {
    parts.push_back(std::to_string(channels.size()) +
                    (channels.size() == 1 ? " channel (" : " channels (") + NumberRuns(channels) +
                    ")");
  }
  parts.insert(parts.end(), areas.begin(), areas.end());
  if (unknown > 0) parts.push_back(std::to_string(unknown) + " parts not known to compare");
  std::string text = "Compared with what the radio held at " + when + ", the backup differs in ";
  if (parts.empty()) text += "nothing";
  for (size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : "; ") + parts[i];
  return text + ".";
}

}  // namespace tqm5::cli
