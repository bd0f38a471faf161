#include "shell.h"
#include "shell_media.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The embedded picture and cue plug in here; until then the picture view
  // stays empty and runs end silently.
  quillmoor::ShellMedia media;
  quillmoor::Shell shell(media);
  return shell.Run();
}
