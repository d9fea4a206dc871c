// Whole-radio transfers through the real serial transport, against the simulated radio on a
// pseudo-terminal: the cost of one exchange beyond the radio's own answer, and a paced read
// (every byte at its 57600-baud time) against the time its bytes need on the wire.
#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <chrono>
#include <functional>

#include "link/radio_link.h"
#include "serial/serial_transport.h"
#include "sim/loopback_transport.h"
#include "sim/pty_server.h"
#include "transfer/transfers.h"

namespace tqm5 {
namespace {

// Seconds one byte takes at 57600 baud with 8N1 framing (10 bits).
constexpr double kSecondsPerByte = 10.0 / 57600.0;

void RunAgainstSimulator(benchmark::State& state, TransferCommand command, bool pace) {
  SimPtyServer server(SimRadio(kTqM5), pace);
  std::string device = server.Start();
  SerialTransport transport(device);
  RadioLink link(transport);
  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  TransferContext context{link, image, {}};
  long exchanges = 0;
  double wire_seconds = 0;
  for (auto _ : state) {
    long before = link.exchange_count();
    long long bytes_before = link.bytes_sent() + link.bytes_received();
    Outcome outcome = RunTransfer({command}, context);
    if (!outcome.success) state.SkipWithError(("transfer failed: " + outcome.text).c_str());
    exchanges += link.exchange_count() - before;
    wire_seconds += static_cast<double>(link.bytes_sent() + link.bytes_received() - bytes_before) *
                    kSecondsPerByte;
  }
  server.Stop();
  state.counters["exchanges"] =
      static_cast<double>(exchanges) / static_cast<double>(state.iterations());
  state.counters["s_per_exchange"] = benchmark::Counter(
      static_cast<double>(exchanges), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["wire_s"] = wire_seconds / static_cast<double>(state.iterations());
}

void BM_ReadAllUnpaced(benchmark::State& state) {
  RunAgainstSimulator(state, TransferCommand::kReadAll, false);
}
BENCHMARK(BM_ReadAllUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteAllUnpaced(benchmark::State& state) {
  RunAgainstSimulator(state, TransferCommand::kWriteAll, false);
}
BENCHMARK(BM_WriteAllUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();

// About 45 seconds: compare its real time with its wire_s counter.
void BM_ReadAllPaced(benchmark::State& state) {
  RunAgainstSimulator(state, TransferCommand::kReadAll, true);
}
BENCHMARK(BM_ReadAllPaced)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// About 82 seconds: the figure a write of changes is measured against.
void BM_WriteAllPaced(benchmark::State& state) {
  RunAgainstSimulator(state, TransferCommand::kWriteAll, true);
}
BENCHMARK(BM_WriteAllPaced)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// A write of changes on the paced radio, as it follows a read of the demo radio and `edit`: the
// read is made without pacing, in memory, and is not timed.
void RunChanges(benchmark::State& state, const std::function<void(MemoryImage&)>& edit) {
  const SimRadio demo(kTqM5, SimContent::kDemo);
  MemoryImage read_image;
  RadioSnapshot read_radio;
  {
    SimRadio radio = demo;
    LoopbackTransport transport(radio);
    RadioLink link(transport);
    SelectModelOption(read_image, ModelOption::kJ);
    TransferContext context{link, read_image, {}, &read_radio};
    RunTransfer({TransferCommand::kReadAll}, context);
  }
  long exchanges = 0;
  for (auto _ : state) {
    SimPtyServer server(demo, true);
    SerialTransport transport(server.Start());
    RadioLink link(transport);
    MemoryImage image = read_image;
    RadioSnapshot radio = read_radio;
    edit(image);
    TransferContext context{link, image, {}, &radio};
    auto start = std::chrono::steady_clock::now();
    Outcome outcome = RunTransfer({TransferCommand::kWriteChanges}, context);
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!outcome.success) state.SkipWithError(("transfer failed: " + outcome.detail).c_str());
    exchanges += link.exchange_count();
    server.Stop();
  }
  state.counters["exchanges"] =
      static_cast<double>(exchanges) / static_cast<double>(state.iterations());
}

// Goal: under 2 s.
void BM_WriteChangesFiveChannelsPaced(benchmark::State& state) {
  RunChanges(state, [](MemoryImage& image) {
    for (int n : {100, 500, 900, 1200, 1600}) image.channel(n) = image.channel(7);
  });
}
BENCHMARK(BM_WriteChangesFiveChannelsPaced)
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(3);

// Goal: under 1 s.
void BM_WriteChangesOneSettingPaced(benchmark::State& state) {
  RunChanges(state, [](MemoryImage& image) {
    int16_t& beep = image.settings[SettingId{SettingGroup::kSound, 0}];
    beep = static_cast<int16_t>(beep == 0 ? 1 : 0);
  });
}
BENCHMARK(BM_WriteChangesOneSettingPaced)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);

}  // namespace
}  // namespace tqm5

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
