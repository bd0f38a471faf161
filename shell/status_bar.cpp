#include "status_bar.h"

#include <QLabel>

namespace quillmoor {
namespace {

constexpr std::array<Qt::Alignment, 3> FieldAlignments = {
    Qt::AlignLeft | Qt::AlignVCenter,     // FieldCount
    Qt::AlignHCenter | Qt::AlignVCenter,  // FieldLabel
    Qt::AlignHCenter | Qt::AlignVCenter,  // FieldProgress
};

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  setFixedSize(RightEdges.back(), Height);
  // The fields are narrow (" Find: 128" has 54 pixels); a small status-bar
  // font keeps three-digit counts and "100%" whole.
  QFont small = font();
  small.setPixelSize(FontPixelSize);
  setFont(small);
  int left = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    auto* field = new QLabel(this);
    // A sunken panel per field, as status bars draw them; the frame sits
    // inside the field's geometry, so the edges stay where they are.
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(FieldAlignments[i]);
    field->setTextFormat(Qt::PlainText);
    field->setGeometry(left, 0, RightEdges[i] - left, Height);
    left = RightEdges[i];
    fields_[i] = field;
  }
}

void StatusBar::SetText(StatusField field, const QString& text) {
  fields_[field]->setText(text);
}

QString StatusBar::Text(StatusField field) const {
  return fields_[field]->text();
}

}  // namespace quillmoor
