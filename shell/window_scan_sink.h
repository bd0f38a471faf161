#pragma once

#include "scan_sink.h"

namespace quillmoor {

class MainWindow;

// How a run talks to the window: status texts into the status bar, pauses as
// real sleeps, one window event per poll, and modal boxes.
class WindowScanSink : public ScanSink {
 public:
  explicit WindowScanSink(MainWindow& window) : window_(window) {}

  void SetStatus(StatusField field, const std::string& text) override;
  void Pause(int milliseconds) override;
  // Takes one event from the window; a close request cancels the run and any
  // other event is dropped: the loop is not there to act on it.
  bool PollCloseRequest() override;
  void ShowMessage(const std::string& title, const std::string& text) override;

 private:
  MainWindow& window_;
};

}  // namespace quillmoor
