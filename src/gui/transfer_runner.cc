#include "gui/transfer_runner.h"

#include <QThread>

#include "link/radio_link.h"
#include "serial/serial_transport.h"

namespace tqm5::gui {

TransferRunner::TransferRunner(QObject* parent)
    : QObject(parent),
      image_(std::make_unique<MemoryImage>()),
      radio_(std::make_unique<RadioSnapshot>()) {
  qRegisterMetaType<tqm5::Progress>("tqm5::Progress");
}

TransferRunner::~TransferRunner() {
  Cancel();
  Wait();
}

template <typename Work>
bool TransferRunner::Launch(Work work) {
  if (busy()) return false;
  cancel_ = false;
  outcome_ = Outcome();
  // The port and the link live on the worker thread for the whole command.
  thread_ = QThread::create(std::move(work));
  thread_->setParent(this);
  connect(thread_, &QThread::finished, this, [this] {
    thread_->deleteLater();
    thread_ = nullptr;
    emit finished();
  });
  thread_->start();
  return true;
}

bool TransferRunner::Start(const TransferRequest& request, const MemoryImage& image,
                           const RadioSnapshot& radio, const std::string& device) {
  if (busy()) return false;
  request_ = request;
  *image_ = image;
  *radio_ = radio;
  return Launch([this, device] {
    SerialTransport transport(device);
    // A port that cannot be opened ends the command before anything is sent. The user is told
    // in the "Error" box, with the reason one click away, rather than only in the status bar.
    if (!transport.Open()) {
      outcome_ = ErrorOutcome(OutcomeIcon::kCritical, OutcomeKind::kPortFailed);
      outcome_.detail =
          (transport.ErrorText().empty() ? "cannot open " + device : transport.ErrorText()) +
          "\nCheck that the radio's cable is plugged in, and choose its port in "
          "the \"COM port\" menu.";
      return;
    }
    RadioLink link(transport);
    link.set_cancel_flag(&cancel_);
    TransferContext context{link, *image_,
                            [this](const Progress& progress) {
                              emit progressed(progress);  // queued to the window's thread
                            },
                            radio_.get()};
    outcome_ = RunTransfer(request_, context);
  });
}

bool TransferRunner::StartReset(const std::string& device) {
  return Launch([this, device] {
    SerialTransport transport(device);
    RadioLink link(transport);
    try {
      HiddenReset(link);
    } catch (const std::exception& e) {
      outcome_ = SilentOutcome(OutcomeKind::kFailed, e.what());
    }
  });
}

void TransferRunner::Wait() {
  if (thread_ != nullptr) thread_->wait();
}

}  // namespace tqm5::gui
