#pragma once

#include "scan_sink.h"
#include "shell_event.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

class QLabel;
class QMenu;

namespace quillmoor {

class StatusBar;

// The program's one window: the picture on top, the three-field status bar
// under it, and a pop-up menu that belongs to no menu bar. Everything the user
// does to it (drops, right-button presses, menu choices, close requests) is
// captured as a ShellEvent and handed out one at a time by PollEvent().
class MainWindow : public QWidget {
 public:
  static constexpr int ClientWidth = 256;
  static constexpr int ClientHeight = 212;
  static constexpr int PictureHeight = 192;

  // An empty `splashPicture` leaves the picture view empty.
  explicit MainWindow(const QImage& splashPicture);

  // Shows the window in its normal state, its frame centred on the screen.
  void ShowCentred();

  // Replaces the text of one status field; it appears at the next poll.
  void SetStatus(StatusField field, const std::string& text);
  QString StatusText(StatusField field) const;

  // Brings the window to the front and opens the pop-up menu at the mouse
  // pointer. A choice arrives later as a MenuCommand.
  void ShowPopupMenu();

  // Lets the window do its pending work (painting, activation, input) without
  // waiting, then hands out the oldest captured event, if there is one.
  std::optional<ShellEvent> PollEvent();

  // The parts, for whoever needs to look at them.
  QLabel* PictureView() const { return pictureView_; }
  StatusBar* Bar() const { return statusBar_; }
  QMenu* PopupMenu() const { return popupMenu_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void AddMenuCommand(const QString& text, MenuCommandNumber command);

  StatusBar* statusBar_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QLabel* pictureView_ = nullptr;
  ShellEventQueue events_;
};

// The program's icon: 16 x 16 pixels.
QIcon ProgramIcon();

}  // namespace quillmoor
