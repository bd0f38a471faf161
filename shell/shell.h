#pragma once

#include "scan_buffer.h"
#include "shell_event.h"

#include <memory>

namespace quillmoor {

class MainWindow;
class ShellMedia;
class WindowScanSink;

// The program's life: start-up in the constructor, the event loop in Run()
// (or one pass at a time through Step()), shutdown in the destructor.
// Needs a QApplication.
class Shell {
 public:
  // Start-up, in this order: fine sleeps and the sound output, the scan
  // buffer, the sound, then the picture, and the window, shown centred.
  explicit Shell(ShellMedia& media);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // Polls one event without waiting and acts on it; sleeps 1 ms when there is
  // nothing to act on. Returns false once the loop has ended (Exit, or a close
  // request while no run is in progress).
  bool Step();

  // Runs the loop until it ends; returns the program's exit status.
  int Run();

  MainWindow& Window() { return *window_; }

 private:
  void ExtractDroppedFile(const FileDrop& drop);
  void ShowAbout();

  ShellMedia& media_;
  std::unique_ptr<ScanBuffer> buffer_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<WindowScanSink> sink_;
};

}  // namespace quillmoor
