#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quillmoor {

// The pop-up menu's commands, by the number each choice reports.
enum MenuCommandNumber : int {
  CommandAbout = 1,
  CommandExit = 2,
};

// Files dropped onto the window: full local paths, as the file system's bytes.
struct FileDrop {
  std::vector<std::string> paths;
};

// A right-button press anywhere in the client area.
struct RightButtonDown {};

// A choice from the pop-up menu.
struct MenuCommand {
  int command = 0;
};

// The caption's close button or the system menu's close.
struct CloseRequest {};

// What the window reports to the loop, one at a time.
using ShellEvent = std::variant<FileDrop, RightButtonDown, MenuCommand, CloseRequest>;

// Events the window has captured and the loop has not taken yet, oldest first.
class ShellEventQueue {
 public:
  void Push(ShellEvent event) { events_.push_back(std::move(event)); }

  std::optional<ShellEvent> Pop() {
    if (events_.empty()) return std::nullopt;
    ShellEvent event = std::move(events_.front());
    events_.pop_front();
    return event;
  }

 private:
  std::deque<ShellEvent> events_;
};

}  // namespace quillmoor
