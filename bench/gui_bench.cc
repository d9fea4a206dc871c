// The window's speed and size, measured as a user meets them:
//   - from process start to the main window shown (splash skipped), goal under 300 ms;
//   - a full grid refresh after a read (every row changed), goal under 30 ms;
//   - the longest stall of the event loop while Read All Data runs unpaced through a
//     pseudo-terminal, goal under 50 ms;
//   - resident memory of the running window after the read, goal under 80 MB;
//   - a language switch of every settings list and caption, goal under 50 ms;
//   - opening the font editor and the bank-link editor, goal under 100 ms each;
//   - undoing "All Clear" of a full grid, goal under 50 ms;
//   - pasting 1000 copied rows onto the grid in one undo step, goal under 100 ms;
//   - 1000 single-channel edits: the heap their undo history holds, goal under 50 MB, the time
//     per edit and per undo, goal under 10 ms each, and whether undo takes every one back.
// Runs offscreen: QT_QPA_PLATFORM=offscreen build/release/bench/gui_bench
#include <malloc.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "gui/bank_link_editor.h"
#include "gui/font_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "model/channel.h"

namespace {

using namespace tqm5;

// Milliseconds since this process started, from the kernel's record of its start.
double MillisecondsSinceStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
  double start = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  double uptime = 0;
  std::ifstream("/proc/uptime") >> uptime;
  return (uptime - start) * 1000;
}

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

void Report(const char* what, double value, const char* unit, double goal) {
  std::printf("%-44s %8.1f %s   (goal under %.0f %s)%s\n", what, value, unit, goal, unit,
              value < goal ? "" : "  OVER");
}

// Milliseconds `work` takes, including the events it leaves pending (the views' refresh).
template <typename Work>
double Milliseconds(Work work) {
  QElapsedTimer timer;
  timer.start();
  work();
  QApplication::processEvents();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Bytes of heap in use, small blocks and mapped ones.
double HeapMegabytes() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024 * 1024);
}

// 1000 edits of one channel each, as the channel dialog makes them, then as many undos: the heap
// the history holds for them (from an empty history), the time per edit and per undo with the
// views' refresh, and whether the last undo leaves the image as it was before the first edit.
void ThousandChannelEdits(gui::MainWindow& window) {
  constexpr int kEdits = 1000;
  gui::Document& document = window.document();
  const MemoryImage start = document.image();
  QApplication::processEvents();
  document.undo_stack()->clear();
  const double heap_before = HeapMegabytes();
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kEdits; ++i) {
    document.Change("Edit", [i](MemoryImage& image) {
      Channel& channel = image.channel(1 + i % kChannelCount);
      channel.name = "E" + std::to_string(i);
      channel.used = !channel.used;
    });
  }
  QApplication::processEvents();
  const double edit_us = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kEdits;
  const double held = HeapMegabytes() - heap_before;
  Report("heap held by 1000 single-channel edits", held, "MB", 50);
  std::printf("%-44s %8.2f kB\n", "  of which one edit", held * 1024 / kEdits);
  Report("one single-channel edit", edit_us, "us", 10000);
  int undone = 0;
  timer.restart();
  while (undone < kEdits && document.undo_stack()->canUndo()) {
    document.undo_stack()->undo();
    ++undone;
  }
  QApplication::processEvents();
  Report("one undo of a single-channel edit",
         static_cast<double>(timer.nsecsElapsed()) / 1e3 / undone, "us", 10000);
  std::printf("%-44s %8d of %d%s\n", "edits undone, back to the image before them", undone, kEdits,
              undone == kEdits && document.image() == start ? "" : "  NOT BACK");
}

// The slower of switching the settings views to English and back to Japanese.
double LanguageSwitch(gui::MainWindow& window) {
  double slowest = 0;
  for (int language : {kEnglish, kJapanese}) {
    slowest = std::max(slowest, Milliseconds([&] {
                         window.document().Change("language", [language](MemoryImage& image) {
                           image.settings[kLanguageItem] = static_cast<int16_t>(language);
                           image.language = language;
                         });
                       }));
  }
  return slowest;
}

// From the command to the editor window shown and painted.
template <typename Editor>
double OpenEditor(gui::MainWindow& window) {
  double took = Milliseconds([&] {
    Editor editor(window, &window);
    editor.show();
    QApplication::processEvents();
    editor.repaint();
  });
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  gui::NoMessageBoxes messages;
  gui::SetMessages(&messages);
  gui::MainWindow window(ModelOption::kJ, "");
  window.show();
  QApplication::processEvents();
  Report("process start to main window shown", MillisecondsSinceStart(), "ms", 300);

  // A full refresh: every channel used and named, as after a read of a full radio.
  MemoryImage full = window.document().image();
  for (int n = 1; n <= kChannelCount; ++n) {
    Channel& channel = full.channel(n);
    channel.blank = false;
    channel.frequency_hz = 144000000 + 12500 * static_cast<uint32_t>(n);
    channel.name = "東京" + std::to_string(n);
    channel.mode = Modulation::kFm;
    channel.tone_mode = ToneMode::kNone;
    channel.used = true;
  }
  QElapsedTimer timer;
  timer.start();
  window.document().Replace("full", full);
  window.grid()->viewport()->repaint();
  Report("full grid refresh", static_cast<double>(timer.nsecsElapsed()) / 1e6, "ms", 30);

  Report("language switch of every settings list", LanguageSwitch(window), "ms", 50);
  Report("open the font editor", OpenEditor<gui::FontEditor>(window), "ms", 100);
  Report("open the bank-link editor", OpenEditor<gui::BankLinkEditor>(window), "ms", 100);
  window.findChild<QAbstractButton*>("ALL_Reset")->click();
  Report("undo of All Clear on a full grid", Milliseconds([&] {
           window.document().undo_stack()->undo();
           window.grid()->viewport()->repaint();
         }),
         "ms", 50);
  window.grid()->selectRow(0);
  window.grid()->selectionModel()->select(
      QItemSelection(window.grid()->model()->index(0, 0), window.grid()->model()->index(999, 0)),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  window.findChild<QAction*>("EditCopy")->trigger();
  window.findChild<QAbstractButton*>("ALL_Reset")->click();
  window.grid()->selectRow(0);
  Report("paste of 1000 rows", Milliseconds([&] {
           window.findChild<QAction*>("EditPaste")->trigger();
           window.grid()->viewport()->repaint();
         }),
         "ms", 100);
  std::printf("%-44s %s\n", "  rows taken back as they were copied",
              window.document().image().channel(1000) == full.channel(1000) ? "all" : "NOT ALL");
  ThousandChannelEdits(window);

  // The longest gap between ticks of a 1 ms timer while a whole read runs on the worker.
  window.SetPort({gui::PortChoice::kSimulated, 0, {}});
  qint64 longest = 0;
  QElapsedTimer since_tick;
  QTimer ticker;
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { longest = std::max(longest, since_tick.restart()); });
  QObject::connect(&window.runner(), &gui::TransferRunner::finished, &app, [&] {
    ticker.stop();
    QTimer::singleShot(0, &app, [&] { app.quit(); });
  });
  QElapsedTimer read_time;
  read_time.start();
  since_tick.start();
  ticker.start();
  if (!window.StartTransfer(TransferCommand::kReadAll)) return 1;
  app.exec();
  std::printf("%-44s %8.1f ms\n", "Read All Data, unpaced, through a pty",
              static_cast<double>(read_time.elapsed()));
  Report("longest event-loop stall during the read", static_cast<double>(longest), "ms", 50);
  Report("resident memory after the read", ResidentMegabytes(), "MB", 80);
  return 0;
}
