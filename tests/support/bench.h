// A program (image and link) wired to a simulated radio in memory.
#ifndef TQM5_TESTS_SUPPORT_BENCH_H_
#define TQM5_TESTS_SUPPORT_BENCH_H_

#include <chrono>
#include <string>
#include <vector>

#include "sim/loopback_transport.h"
#include "sim/sim_radio.h"
#include "transfer/transfers.h"

namespace tqm5::testing {

struct Bench {
  explicit Bench(SimVariant variant = kTqM5, ModelOption option = ModelOption::kJ)
      : radio(variant), transport(radio), link(transport) {
    SelectModelOption(image, option);
    link.set_timeout(std::chrono::milliseconds(40));
  }

  Outcome Run(TransferCommand command, int first = 1, int last = 1) {
    TransferContext context{link, image, [this](const Progress& p) { progress.push_back(p); },
                            &snapshot};
    return RunTransfer(TransferRequest{command, first, last, 0}, context);
  }

  // Commands the radio received, other than identification.
  std::vector<std::string> BlockCommands() const {
    std::vector<std::string> blocks;
    for (const std::string& c : radio.commands()) {
      if (c.rfind("ZR~F", 0) == 0) blocks.push_back(c);
    }
    return blocks;
  }

  SimRadio radio;
  LoopbackTransport transport;
  RadioLink link;
  MemoryImage image;
  RadioSnapshot snapshot;
  std::vector<Progress> progress;
};

}  // namespace tqm5::testing

#endif  // TQM5_TESTS_SUPPORT_BENCH_H_
