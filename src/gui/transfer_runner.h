// Runs one transfer command at a time on a worker thread that owns the serial port for the
// whole command. The worker changes a copy of the image; the window gets progress as it comes
// and, at the end, exactly one outcome and the image as the command left it.
#ifndef TQM5_GUI_TRANSFER_RUNNER_H_
#define TQM5_GUI_TRANSFER_RUNNER_H_

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <string>

#include "transfer/transfers.h"

class QThread;

namespace tqm5::gui {

class TransferRunner : public QObject {
  Q_OBJECT

 public:
  explicit TransferRunner(QObject* parent = nullptr);
  ~TransferRunner() override;

  bool busy() const { return thread_ != nullptr; }

  // Starts `request` on copies of `image` and `radio` against the serial device `device`.
  // Returns false (and starts nothing) while another command runs.
  bool Start(const TransferRequest& request, const MemoryImage& image, const RadioSnapshot& radio,
             const std::string& device);
  // The hidden reset: "ZR~RESET" to the device, no reply awaited, port closed.
  bool StartReset(const std::string& device);
  // Asks the running command to stop before its next exchange.
  void Cancel() { cancel_ = true; }
  // Waits for the running command to end (closing the window).
  void Wait();

  // After `finished`: the outcome, and the image and the radio's side as the command left them.
  const Outcome& outcome() const { return outcome_; }
  const MemoryImage& image() const { return *image_; }
  const RadioSnapshot& radio() const { return *radio_; }
  const TransferRequest& request() const { return request_; }

 signals:
  void progressed(const tqm5::Progress& progress);
  void finished();

 private:
  template <typename Work>
  bool Launch(Work work);

  QThread* thread_ = nullptr;
  std::atomic<bool> cancel_ = false;
  TransferRequest request_;
  std::unique_ptr<MemoryImage> image_;
  std::unique_ptr<RadioSnapshot> radio_;
  Outcome outcome_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_TRANSFER_RUNNER_H_
