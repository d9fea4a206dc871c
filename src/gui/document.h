// The window's model: the memory image being edited, the file it came from, and the undo
// history. Every change to the image goes through `Change` or `Replace`, which push one undoable
// step; views listen to `imageChanged` and redraw from the image.
#ifndef TQM5_GUI_DOCUMENT_H_
#define TQM5_GUI_DOCUMENT_H_

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <vector>

#include "files/file_problem.h"
#include "model/image_delta.h"
#include "model/memory_image.h"
#include "model/radio_snapshot.h"

namespace tqm5::gui {

// Keys of the undo steps that merge, one range per kind of edit so that two kinds never merge
// into one step.
inline constexpr int kMergeTitleTyping = 100;
inline constexpr int kMergeDtmfTyping = 200;       // + memory 1..9
inline constexpr int kMergeBankSliderDrag = 1000;  // + 2 x bank + the drag's parity

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);
  ~Document() override;

  const MemoryImage& image() const { return image_; }
  // What the radio holds as the last transfer left it. It is no part of the undo history.
  const RadioSnapshot& radio() const { return radio_; }
  QUndoStack* undo_stack() { return &undo_stack_; }

  // Runs `edit` on a copy of the image and, when it changed anything a user can see or the radio
  // receives, makes the copy the image as one undo step named `what`. Consecutive changes with
  // the same `merge_key` (0 and up, for example one slider being dragged) make one step; -1
  // never merges.
  void Change(const QString& what, const std::function<void(MemoryImage&)>& edit,
              int merge_key = -1);
  // Makes `next` the image as one undo step (a file opened, a radio read).
  void Replace(const QString& what, MemoryImage next, int merge_key = -1);
  // Keeps what a transfer left of the radio, without an undo step.
  void KeepRadioState(const RadioSnapshot& after_transfer) { radio_ = after_transfer; }
  // The image and the radio as a read from the radio left them: one undo step when the image
  // changed, otherwise only the radio's side is kept (a read that failed at its first step). A
  // read of the whole radio (`whole`) clears the load problems in its step.
  void ReplaceFromRadio(const QString& what, MemoryImage next, const RadioSnapshot& radio,
                        bool whole = false);
  // Makes `next`, loaded from a project file, the image as one undo step, with the lines of the
  // file that were not taken as they stand.
  void ReplaceFromFile(const QString& what, MemoryImage next, std::vector<FileProblem> problems);
  // The port number a saved project records (`ComPortNumber`): the program's setting rather
  // than an edit, so it makes no undo step, and undo and redo leave it as last chosen.
  void SetComPortNumber(int number) { image_.com_port_number = number; }
  // The start: a new image for the chosen model, no history.
  void Reset(MemoryImage image);

  // The project file the image was opened from or saved to, and whether it has changes since.
  const QString& file_path() const { return file_path_; }
  void set_file_path(const QString& path);
  bool IsModified() const { return !undo_stack_.isClean(); }
  void MarkSaved();

  // The lines of the project file the image was opened from that were not taken exactly as they
  // stand: while any stands, the window asks before it writes to the radio. They belong to the
  // image of that load, so undoing the "Open" takes them away and redoing it brings them back.
  // Once the user has saved the image they are settled: `ClearLoadProblems` empties them, also
  // in the steps of the history that share them.
  const std::vector<FileProblem>& load_problems() const;
  void ClearLoadProblems();

 signals:
  // Signals keep Qt's camelCase names, as every signal of the window does.
  // The image changed; every view shows it anew.
  void imageChanged();
  // The file name or the modified state changed.
  void fileStateChanged();

 private:
  friend class ImageCommand;
  using Problems = std::shared_ptr<std::vector<FileProblem>>;
  // The step from the image to `next`, with `next` given the image's port first.
  ImageDelta DeltaTo(MemoryImage& next) const;
  void Push(const QString& what, ImageDelta delta, Problems problems, int merge_key);
  void Swap(ImageDelta& delta, Problems& problems);

  MemoryImage image_;
  RadioSnapshot radio_;
  Problems load_problems_;
  QUndoStack undo_stack_;
  QString file_path_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_DOCUMENT_H_
