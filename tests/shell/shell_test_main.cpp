#include <QApplication>

#include <gtest/gtest.h>

// One application object for every test; each test makes its own window.
int main(int argc, char** argv) {
  // No display is needed: the tests run on Qt's offscreen platform unless
  // told otherwise (listing the tests at build time included).
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
