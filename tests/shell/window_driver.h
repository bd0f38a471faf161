#pragma once

#include "shell_media.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class QWidget;

namespace quillmoor::testing {

// Names a parameterised case after its `name` field.
template <class Case>
std::string NameOfCase(const ::testing::TestParamInfo<Case>& parameter) {
  return parameter.param.name;
}

// Drops a text/uri-list onto `target` the way a file manager does: a drag
// entering, then the drop. Returns whether the window took the drop.
bool DropUriList(QWidget* target, const QByteArray& uriList);
// The same for local files, given as paths.
bool DropFiles(QWidget* target, const std::vector<std::string>& paths);

// Sends a press of `button` to whatever lies at `point` of `window`'s client
// area, as the platform would.
void PressAt(QWidget* window, Qt::MouseButton button, QPoint point);

// Media that only count what the shell asks of them.
class RecordingMedia : public ShellMedia {
 public:
  void OpenSoundOutput() override { calls.push_back("open sound output"); }
  void LoadCompletionSound() override { calls.push_back("load sound"); }
  QImage LoadSplashPicture() override {
    calls.push_back("load picture");
    return picture;
  }
  void PlayCompletionSound() override { ++cuesPlayed; }

  std::vector<std::string> calls;
  QImage picture;
  int cuesPlayed = 0;
};

// What a modal box looked like when it opened, and the world around it.
struct SeenBox {
  QString title;
  QString text;
  bool hasIcon = false;
  std::vector<QString> buttons;
  bool hasOwner = false;
  std::array<QString, 3> status;  // the status fields at that moment
  int cuesPlayed = 0;
};

// Answers every modal message box with OK as soon as it opens, after noting
// it down. `observe` fills in what the box alone cannot tell.
class ModalBoxCloser {
 public:
  explicit ModalBoxCloser(std::function<void(SeenBox&)> observe = {});
  std::vector<SeenBox> seen;

 private:
  void CloseOpenBox();
  std::function<void(SeenBox&)> observe_;
  QTimer timer_;
};

}  // namespace quillmoor::testing
