#pragma once

#include "scan_sink.h"

#include <QWidget>
#include <array>

class QLabel;

namespace quillmoor {

// The bar under the picture: three fixed fields side by side, their right
// edges at 54, 222 and 256 pixels, with no sizing grip.
class StatusBar : public QWidget {
 public:
  static constexpr int Height = 20;
  static constexpr int FontPixelSize = 10;
  static constexpr std::array<int, 3> RightEdges = {54, 222, 256};

  explicit StatusBar(QWidget* parent);

  void SetText(StatusField field, const QString& text);
  QString Text(StatusField field) const;
  QLabel* Field(StatusField field) const { return fields_[field]; }

 private:
  std::array<QLabel*, 3> fields_{};
};

}  // namespace quillmoor
