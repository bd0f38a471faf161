#include "window_scan_sink.h"

#include "main_window.h"
#include "message_box.h"
#include "precise_sleep.h"

#include <QApplication>
#include <variant>

namespace quillmoor {

void WindowScanSink::SetStatus(StatusField field, const std::string& text) {
  window_.SetStatus(field, text);
}

void WindowScanSink::Pause(int milliseconds) {
  SleepMilliseconds(milliseconds);
}

bool WindowScanSink::PollCloseRequest() {
  const std::optional<ShellEvent> event = window_.PollEvent();
  return event.has_value() && std::holds_alternative<CloseRequest>(*event);
}

void WindowScanSink::ShowMessage(const std::string& title, const std::string& text) {
  // The box belongs to the program's foreground window, as any box the user
  // is answering should.
  ShowMessageBox(QApplication::activeWindow(), QString::fromStdString(title),
                 QString::fromStdString(text));
}

}  // namespace quillmoor
