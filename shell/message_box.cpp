#include "message_box.h"

#include <QMessageBox>

namespace quillmoor {

void ShowMessageBox(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox box(owner);
  box.setWindowTitle(title);
  // Paths and labels come from the disk; never let them be read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace quillmoor
