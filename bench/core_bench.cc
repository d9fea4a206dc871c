// Codec throughput: the whole channel table and the settings area, encoded and decoded.
#include <benchmark/benchmark.h>

#include "image/channel.h"
#include "image/memory_image.h"
#include "settings/settings_codec.h"

namespace tqm5 {
namespace {

// An image whose every channel is used and named, so no record takes the empty fast path.
MemoryImage FullImage() {
  MemoryImage image;
  for (int n = 1; n <= kChannelCount; ++n) {
    Channel& channel = image.channel(n);
    channel = image.channel(1401);
    channel.row[kColFreq] = FrequencyText(static_cast<uint32_t>(144000000 + 12500 * n));
    channel.row[kColName] = "CH" + std::to_string(n) + " ｶﾅ";
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

}  // namespace
}  // namespace tqm5
