#include "window_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace quillmoor::testing {

bool DropUriList(QWidget* target, const QByteArray& uriList) {
  QMimeData mime;
  mime.setData(QStringLiteral("text/uri-list"), uriList);
  const QPoint point(10, 10);
  QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

bool DropFiles(QWidget* target, const std::vector<std::string>& paths) {
  QByteArray uriList;
  for (const std::string& path : paths) {
    uriList += QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))).toEncoded();
    uriList += "\r\n";
  }
  return DropUriList(target, uriList);
}

void PressAt(QWidget* window, Qt::MouseButton button, QPoint point) {
  QWidget* target = window->childAt(point);
  if (target == nullptr) target = window;
  QTest::mousePress(target, button, Qt::NoModifier, target->mapFrom(window, point));
  QTest::mouseRelease(target, button, Qt::NoModifier, target->mapFrom(window, point));
}

ModalBoxCloser::ModalBoxCloser(std::function<void(SeenBox&)> observe)
    : observe_(std::move(observe)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { CloseOpenBox(); });
  timer_.start(5);
}

void ModalBoxCloser::CloseOpenBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  SeenBox seenBox;
  seenBox.title = box->windowTitle();
  seenBox.text = box->text();
  seenBox.hasIcon = box->icon() != QMessageBox::NoIcon || !box->iconPixmap().isNull();
  for (QAbstractButton* button : box->buttons()) seenBox.buttons.push_back(button->text());
  seenBox.hasOwner = box->parentWidget() != nullptr;
  if (observe_) observe_(seenBox);
  seen.push_back(seenBox);
  QAbstractButton* ok = box->button(QMessageBox::Ok);
  if (ok != nullptr) {
    ok->click();
  } else {
    box->reject();  // not ours to judge here; the test sees the buttons
  }
}

}  // namespace quillmoor::testing
