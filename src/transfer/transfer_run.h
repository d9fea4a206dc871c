// The frame every transfer command runs in, shared by the commands of this folder: the running
// command with its progress display and the step it is at, and `Framed`, which identifies the
// radio, runs the command's body, turns whatever stops it into its outcome and closes the port.
#ifndef TQM5_TRANSFER_TRANSFER_RUN_H_
#define TQM5_TRANSFER_TRANSFER_RUN_H_

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "transfer/step_notes.h"
#include "transfer/transfers.h"

namespace tqm5::transfer_detail {

// One running command: its context, its progress display and the step it is at, so that a
// failure or a cancel can say where it stopped and, for a write, what the radio now holds.
class Run {
 public:
  explicit Run(TransferContext& context) : context_(context) {}

  RadioLink& link() { return context_.link; }
  MemoryImage& image() { return context_.image; }
  RadioSnapshot& radio() { return context_.radio != nullptr ? *context_.radio : own_radio_; }

  void SetProgress(double value, double maximum, std::string_view phase) {
    progress_.value = value;
    progress_.maximum = maximum;
    progress_.phase = phase;
    Report();
  }
  void SetPhase(std::string_view phase) {
    progress_.phase = phase;
    Report();
  }
  void Step(double size = 1) {
    progress_.value += size;
    Report();
  }

  // The step about to run ("reading the title"), and for a write what the radio holds when
  // it stops there, told whether the step had some of its blocks accepted and whether its
  // last block may have been stored although the radio did not accept it.
  using StopNote = std::function<std::string(bool partly, bool in_doubt)>;
  void Begin(std::string step, StopNote if_stopped = nullptr) {
    step_ = std::move(step);
    if_stopped_ = std::move(if_stopped);
    ok_replies_at_begin_ = context_.link.ok_replies();
  }
  // The error of the current step: the step, the link's last exchange, and what the radio
  // holds.
  // A reply that comes late is waited for a little longer, so that a slow radio is told from
  // a silent one.
  Outcome Fail(OutcomeIcon icon = OutcomeIcon::kCritical) const {
    context_.link.AwaitLateReply();
    return WithDetail(ErrorOutcome(icon), step_ + ": " + DescribeExchange(link_exchange()) + ".");
  }
  // `reason` says who stopped it ("stopped by the user").
  Outcome Stopped(const std::string& reason) const {
    std::string where = step_.empty() ? "" : " while " + step_;
    return WithDetail(CancelledOutcome(), reason + where + ".");
  }

 private:
  const Exchange& link_exchange() const { return context_.link.last_exchange(); }
  Outcome WithDetail(Outcome outcome, std::string detail) const {
    outcome.detail = std::move(detail);
    if (if_stopped_) {
      const RadioLink& link = context_.link;
      outcome.detail += " " + if_stopped_(link.ok_replies() > ok_replies_at_begin_,
                                          MayHaveBeenStored(link.last_exchange()));
    }
    return outcome;
  }
  void Report() {
    if (context_.on_progress) context_.on_progress(progress_);
  }

  TransferContext& context_;
  RadioSnapshot own_radio_;
  Progress progress_;
  std::string step_;
  StopNote if_stopped_;
  long ok_replies_at_begin_ = 0;
};

// The frame of every command: identify the radio, run the body, turn whatever stops it into
// its outcome, and close the port in every case.
template <typename Body>
Outcome Framed(TransferContext& context, Body body) {
  Run run(context);
  Outcome outcome;
  // Every block read or accepted on the way is kept in the snapshot.
  context.link.set_snapshot(&run.radio());
  try {
    MemoryImage& image = context.image;
    run.Begin("identifying the radio");
    // Only an accepted command names the radio: after a failed identification the snapshot
    // keeps the one its blocks were read from.
    std::string accepted;
    if (!StartComm(context.link, image.model_option, accepted)) {
      context.link.AwaitLateReply();
      outcome = ErrorOutcome();
      outcome.detail = IdentificationDetail(image.model_option, context.link.last_exchange());
    } else {
      run.radio().identification = accepted;
      outcome = body(run);
    }
  } catch (const PortOpenError& e) {
    outcome = SilentOutcome(OutcomeKind::kPortFailed, e.what());
  } catch (const CancelledError& e) {
    outcome = run.Stopped(e.reason());
  } catch (const std::exception& e) {
    outcome = SilentOutcome(OutcomeKind::kFailed, std::string("unexpected failure: ") + e.what());
  }
  context.link.ClosePort();
  context.link.set_snapshot(nullptr);
  return outcome;
}

}  // namespace tqm5::transfer_detail

#endif  // TQM5_TRANSFER_TRANSFER_RUN_H_
