#include "gui/document.h"

#include <QUndoCommand>
#include <memory>
#include <utility>

namespace tqm5::gui {

// One undo step: the parts of the image it changes, with their values on the other side of the
// step, and the load problems that go with that side. Redo and undo swap them with the
// document's.
class ImageCommand : public QUndoCommand {
 public:
  ImageCommand(Document& document, const QString& what, ImageDelta delta,
               Document::Problems problems, int merge_key)
      : QUndoCommand(what),
        document_(document),
        delta_(std::move(delta)),
        problems_(std::move(problems)),
        merge_key_(merge_key) {}

  void redo() override { document_.Swap(delta_, problems_); }
  void undo() override { document_.Swap(delta_, problems_); }
  // Merging keeps this step's values from before its change and takes from the later step only
  // the parts this one leaves alone, so undoing this step goes back over both.
  int id() const override { return merge_key_ < 0 ? -1 : 1; }
  bool mergeWith(const QUndoCommand* other) override {
    // The stack deletes the later step once merged, so its values move rather than copy.
    auto* later = const_cast<ImageCommand*>(static_cast<const ImageCommand*>(other));
    if (later->merge_key_ != merge_key_) return false;
    delta_.Merge(std::move(later->delta_));
    return true;
  }

 private:
  Document& document_;
  ImageDelta delta_;
  Document::Problems problems_;
  int merge_key_;
};

namespace {

// A step holds only what it changes: an edit of one channel about a kilobyte, a read or an
// opened file at most the whole channel table (under a megabyte). A day's work of small edits
// stays in the history.
constexpr int kUndoLimit = 1000;

}  // namespace

Document::Document(QObject* parent) : QObject(parent) {
  undo_stack_.setUndoLimit(kUndoLimit);
  connect(&undo_stack_, &QUndoStack::cleanChanged, this, &Document::fileStateChanged);
}

Document::~Document() {
  // The history is torn down with the document: its last signals must not reach the views,
  // which may be halfway destroyed themselves.
  undo_stack_.disconnect(this);
}

void Document::Change(const QString& what, const std::function<void(MemoryImage&)>& edit,
                      int merge_key) {
  MemoryImage next = image_;
  edit(next);
  ImageDelta delta = DeltaTo(next);
  if (delta.empty()) return;
  Push(what, std::move(delta), load_problems_, merge_key);
}

void Document::Replace(const QString& what, MemoryImage next, int merge_key) {
  Push(what, DeltaTo(next), load_problems_, merge_key);
}

void Document::ReplaceFromFile(const QString& what, MemoryImage next,
                               std::vector<FileProblem> problems) {
  Push(what, DeltaTo(next),
       problems.empty() ? nullptr : std::make_shared<std::vector<FileProblem>>(std::move(problems)),
       -1);
}

ImageDelta Document::DeltaTo(MemoryImage& next) const {
  next.com_port_number = image_.com_port_number;  // the port is no edit: see SetComPortNumber
  return ImageDelta(image_, next);
}

void Document::Push(const QString& what, ImageDelta delta, Problems problems, int merge_key) {
  undo_stack_.push(new ImageCommand(*this, what, std::move(delta), std::move(problems), merge_key));
}

const std::vector<FileProblem>& Document::load_problems() const {
  static const std::vector<FileProblem> kNone;
  return load_problems_ != nullptr ? *load_problems_ : kNone;
}

void Document::ClearLoadProblems() {
  if (load_problems_ != nullptr) load_problems_->clear();
}

void Document::ReplaceFromRadio(const QString& what, MemoryImage next, const RadioSnapshot& radio,
                                bool whole) {
  KeepRadioState(radio);
  ImageDelta delta = DeltaTo(next);
  if (whole && !load_problems().empty()) {
    // The whole image is now the radio's: nothing of the file's load stands.
    Push(what, std::move(delta), nullptr, -1);
  } else if (!delta.empty()) {
    Push(what, std::move(delta), load_problems_, -1);
  }
}

void Document::Reset(MemoryImage image) {
  undo_stack_.clear();
  image_ = std::move(image);
  load_problems_ = nullptr;
  file_path_.clear();
  emit imageChanged();
  emit fileStateChanged();
}

void Document::set_file_path(const QString& path) {
  file_path_ = path;
  emit fileStateChanged();
}

void Document::MarkSaved() {
  undo_stack_.setClean();
  emit fileStateChanged();
}

void Document::Swap(ImageDelta& delta, Problems& problems) {
  const int port = image_.com_port_number;  // the port stays as chosen
  delta.Swap(image_);
  image_.com_port_number = port;
  std::swap(load_problems_, problems);
  emit imageChanged();
}

}  // namespace tqm5::gui
