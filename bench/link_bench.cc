// Whole-radio transfers through the real serial transport, against the simulated radio on a
// pseudo-terminal: the cost of one exchange beyond the radio's own answer, and a paced read
// (every byte at its 57600-baud time) against the time its bytes need on the wire.
#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>

#include "link/radio_link.h"
#include "serial/serial_transport.h"
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

}  // namespace
}  // namespace tqm5

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
