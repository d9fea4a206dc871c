// Codec and file throughput: the whole channel table and the settings area, encoded and
// decoded, and a full image through the project and CSV files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "files/channel_clipboard.h"
#include "files/csv_file.h"
#include "files/project_file.h"
#include "model/channel.h"
#include "model/memory_image.h"
#include "settings/settings_codec.h"

namespace tqm5 {
namespace {

// An image whose every channel is used and named, so no record takes the empty fast path.
MemoryImage FullImage() {
  MemoryImage image;
  for (int n = 1; n <= kChannelCount; ++n) {
    Channel& channel = image.channel(n);
    channel = image.channel(1401);
    channel.frequency_hz = static_cast<uint32_t>(144000000 + 12500 * n);
    channel.name = "東京" + std::to_string(n) + "ｶﾅ①";
  }
  return image;
}

std::vector<std::string> EncodeAll(const MemoryImage& image) {
  std::vector<std::string> records;
  records.reserve(kChannelCount);
  for (int n = 1; n <= kChannelCount; ++n) {
    records.push_back(EncodeChannel(image.channel(n), n, "ZR~TQ-M5"));
  }
  return records;
}

void BM_EncodeAllChannels(benchmark::State& state) {
  MemoryImage image = FullImage();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeAll(image));
}
BENCHMARK(BM_EncodeAllChannels)->Unit(benchmark::kMicrosecond);

void BM_DecodeAllChannels(benchmark::State& state) {
  MemoryImage source = FullImage();
  std::vector<std::string> records = EncodeAll(source);
  MemoryImage image;
  for (auto _ : state) {
    for (int n = 1; n <= kChannelCount; ++n) {
      DecodeChannel(image.channel(n), records[static_cast<size_t>(n - 1)], false);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DecodeAllChannels)->Unit(benchmark::kMicrosecond);

void BM_EncodeThenDecodeAllChannels(benchmark::State& state) {
  MemoryImage source = FullImage();
  MemoryImage image;
  for (auto _ : state) {
    for (int n = 1; n <= kChannelCount; ++n) {
      DecodeChannel(image.channel(n), EncodeChannel(source.channel(n), n, "ZR~TQ-M5"), false);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EncodeThenDecodeAllChannels)->Unit(benchmark::kMicrosecond);

void BM_SettingsArea(benchmark::State& state) {
  MemoryImage image;
  std::string hex(384, '0');
  for (auto _ : state) {
    EncodeSettings(image.settings, ModelOption::kT, hex);
    DecodeSettings(hex, image.settings, image.language);
    benchmark::DoNotOptimize(hex);
  }
}
BENCHMARK(BM_SettingsArea)->Unit(benchmark::kMicrosecond);

// A scratch file in memory-backed /dev/shm where there is one, so the disk does not time it.
std::string ScratchPath(const char* name) {
  std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return folder + "/tqm5-bench-" + std::to_string(getpid()) + "-" + name;
}

void BM_ProjectSave(benchmark::State& state) {
  MemoryImage image = FullImage();
  std::string path = ScratchPath("save.M5");
  for (auto _ : state) benchmark::DoNotOptimize(SaveProjectCommand(image, path));
  std::remove(path.c_str());
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);

void BM_ProjectLoad(benchmark::State& state) {
  std::string path = ScratchPath("load.M5");
  SaveProjectCommand(FullImage(), path);
  MemoryImage image;
  for (auto _ : state) {
    Outcome outcome = LoadProject(image, path);
    if (!outcome.success) state.SkipWithError("load failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& state) {
  MemoryImage image = FullImage();
  std::string path = ScratchPath("export.CSV");
  for (auto _ : state) benchmark::DoNotOptimize(ExportCsv(image, path));
  std::remove(path.c_str());
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

void BM_CsvImport(benchmark::State& state) {
  std::string path = ScratchPath("import.CSV");
  ExportCsv(FullImage(), path);
  MemoryImage image;
  for (auto _ : state) {
    Outcome outcome = ImportCsv(image, path);
    if (!outcome.success) state.SkipWithError("import failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);

// 1000 rows pasted onto the memories, from the text a copy of 1000 used channels gives; goal
// under 100 ms.
void BM_Paste1000Rows(benchmark::State& state) {
  const std::string text = CopyChannelsText(FullImage(), 1, 1000, true);
  const MemoryImage empty;
  for (auto _ : state) {
    MemoryImage image = empty;
    PasteResult result = PasteChannelsText(image, text, 1);
    if (result.rows != 1000 || !result.problems.empty()) state.SkipWithError("paste failed");
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_Paste1000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tqm5
