#include "embedded_media.h"
#include "shell.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Lets Wayland desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quillmoor.Quillmoor"));
  quillmoor::EmbeddedMedia media;
  quillmoor::Shell shell(media);
  return shell.Run();
}
