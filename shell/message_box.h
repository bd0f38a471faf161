#pragma once

#include <QString>

class QWidget;

namespace quillmoor {

// A modal box with a title, a text, one OK button and no icon. The program's
// other windows are disabled while it is open; returns once it is closed.
// `owner` may be null, for a box that belongs to no window.
void ShowMessageBox(QWidget* owner, const QString& title, const QString& text);

}  // namespace quillmoor
