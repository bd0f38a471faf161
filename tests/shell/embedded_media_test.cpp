#include "embedded_media.h"

#include "main_window.h"
#include "shell.h"
#include "splash_picture.h"

#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

// The program's own media in the real window: the embedded picture fills the
// picture view unscaled, pixel for pixel as it decodes.
TEST(EmbeddedMedia, TheWindowShowsTheEmbeddedPictureUnscaled) {
  const std::optional<Bitmap> splash = LoadSplashPicture();
  ASSERT_TRUE(splash.has_value());
  EmbeddedMedia media;
  Shell shell(media);

  const QImage shown =
      shell.Window().PictureView()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);

  ASSERT_EQ(shown.size(), QSize(256, 192));
  for (const QPoint at : {QPoint(0, 0), QPoint(128, 30), QPoint(40, 120), QPoint(255, 191)}) {
    const auto expected = splash->pixels[static_cast<std::size_t>(at.y() * splash->width + at.x())];
    EXPECT_EQ(shown.pixel(at), expected) << at.x() << "," << at.y();
  }
}

}  // namespace
}  // namespace quillmoor
