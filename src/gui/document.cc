#include "gui/document.h"

#include <QUndoCommand>
#include <utility>

namespace tqm5::gui {

// One undo step: the image on the other side of the step, with the load problems that go with
// it. Redo and undo swap them with the document's, so a step holds one image, not two.
class ImageCommand : public QUndoCommand {
 public:
  ImageCommand(Document& document, const QString& what, MemoryImage other,
               Document::Problems problems, int merge_key)
      : QUndoCommand(what),
        document_(document),
        other_(std::move(other)),
        problems_(std::move(problems)),
        merge_key_(merge_key) {}

  void redo() override { document_.Swap(other_, problems_); }
  void undo() override { document_.Swap(other_, problems_); }
  // Merging keeps this step's image from before the first change: the later step's image is the
  // document's own by now, so undoing this one goes back over both.
  int id() const override { return merge_key_ < 0 ? -1 : 1; }
  bool mergeWith(const QUndoCommand* other) override {
    return static_cast<const ImageCommand*>(other)->merge_key_ == merge_key_;
  }

 private:
  Document& document_;
  MemoryImage other_;
  Document::Problems problems_;
  int merge_key_;
};

namespace {

// Each step holds a whole image (under a megabyte); the history keeps the last steps only.
constexpr int kUndoLimit = 40;

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
  if (next == image_) return;
  Replace(what, std::move(next), merge_key);
}

void Document::Replace(const QString& what, MemoryImage next, int merge_key) {
  Push(what, std::move(next), load_problems_, merge_key);
}

void Document::ReplaceFromFile(const QString& what, MemoryImage next,
                               std::vector<FileProblem> problems) {
  Push(what, std::move(next),
       problems.empty() ? nullptr : std::make_shared<std::vector<FileProblem>>(std::move(problems)),
       -1);
}

void Document::Push(const QString& what, MemoryImage next, Problems problems, int merge_key) {
  undo_stack_.push(new ImageCommand(*this, what, std::move(next), std::move(problems), merge_key));
}

const std::vector<FileProblem>& Document::loadProblems() const {
  static const std::vector<FileProblem> kNone;
  return load_problems_ != nullptr ? *load_problems_ : kNone;
}

void Document::ClearLoadProblems() {
  if (load_problems_ != nullptr) load_problems_->clear();
}

void Document::ReplaceFromRadio(const QString& what, MemoryImage next, const RadioSnapshot& radio,
                                bool whole) {
  KeepRadioState(radio);
  if (whole && !loadProblems().empty()) {
    // The whole image is now the radio's: nothing of the file's load stands.
    Push(what, std::move(next), nullptr, -1);
  } else if (next != image_) {
    Replace(what, std::move(next));
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

void Document::setFilePath(const QString& path) {
  file_path_ = path;
  emit fileStateChanged();
}

void Document::markSaved() {
  undo_stack_.setClean();
  emit fileStateChanged();
}

void Document::Swap(MemoryImage& other, Problems& problems) {
  std::swap(image_, other);
  std::swap(load_problems_, problems);
  std::swap(image_.com_port_number, other.com_port_number);  // the port stays as chosen
  emit imageChanged();
}

}  // namespace tqm5::gui
