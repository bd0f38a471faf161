#include "main_window.h"

#include "dropped_paths.h"
#include "status_bar.h"
#include "window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

namespace quillmoor {
namespace {

// A caption with the system menu and a close button only: no minimise or
// maximise button. The fixed size takes away the sizing border.
constexpr Qt::WindowFlags MainWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace

QIcon ProgramIcon() {
  // The desktop icon set's 16 x 16 member keys its background out; the
  // window's icon is plain 24-bit colour, so that background becomes the
  // dialog-face colour the window itself is painted in.
  const QImage keyed(QStringLiteral(":/quillmoor/quillmoor-16.png"));
  QImage icon(keyed.size(), QImage::Format_RGB888);
  icon.fill(QPalette().color(QPalette::Window));
  QPainter(&icon).drawImage(0, 0, keyed);
  return QIcon(QPixmap::fromImage(icon));
}

MainWindow::MainWindow(const QImage& splashPicture) : QWidget(nullptr, MainWindowFlags) {
  // The window and its client area.
  setWindowTitle(QStringLiteral("Quillmoor"));
  setWindowIcon(ProgramIcon());
  setFixedSize(ClientWidth, ClientHeight);
  setCursor(Qt::ArrowCursor);

  // The status bar with its three fields, along the bottom.
  statusBar_ = new StatusBar(this);
  statusBar_->move(0, PictureHeight);

  // The pop-up menu.
  popupMenu_ = new QMenu(this);
  AddMenuCommand(QStringLiteral("About"), CommandAbout);
  popupMenu_->addSeparator();
  AddMenuCommand(QStringLiteral("Exit"), CommandExit);

  SetStatus(FieldLabel, "Drop file here");

  // The picture view, shown as it is: never scaled.
  pictureView_ = new QLabel(this);
  pictureView_->setGeometry(0, 0, ClientWidth, PictureHeight);
  pictureView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  pictureView_->setScaledContents(false);
  if (!splashPicture.isNull()) pictureView_->setPixmap(QPixmap::fromImage(splashPicture));

  // Files dropped from the desktop's file manager.
  setAcceptDrops(true);
}

void MainWindow::AddMenuCommand(const QString& text, MenuCommandNumber command) {
  QAction* action = popupMenu_->addAction(text);
  connect(action, &QAction::triggered, this,
          [this, command] { events_.Push(MenuCommand{command}); });
}

void MainWindow::ShowCentred() {
  QScreen* screen = this->screen();
  if (screen != nullptr) move(CentredFramePosition(screen->geometry(), frameGeometry().size()));
  show();
  // The frame's real size is known only once the window is on screen; centre
  // again if the window manager's frame changed it.
  QCoreApplication::processEvents();
  if (screen != nullptr) {
    const QPoint centred = CentredFramePosition(screen->geometry(), frameGeometry().size());
    if (centred != pos()) move(centred);
  }
}

void MainWindow::SetStatus(StatusField field, const std::string& text) {
  statusBar_->SetText(field, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

QString MainWindow::StatusText(StatusField field) const {
  return statusBar_->Text(field);
}

void MainWindow::ShowPopupMenu() {
  raise();
  activateWindow();
  popupMenu_->popup(QCursor::pos());
}

std::optional<ShellEvent> MainWindow::PollEvent() {
  QCoreApplication::processEvents();
  return events_.Pop();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The window stays; the loop decides what a close request means.
  event->ignore();
  events_.Push(CloseRequest{});
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = DroppedPaths(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  events_.Push(FileDrop{std::move(paths)});
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  // The picture view and the status fields leave presses to the window, so
  // this sees every press in the client area.
  if (event->button() == Qt::RightButton) {
    event->accept();
    events_.Push(RightButtonDown{});
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace quillmoor
