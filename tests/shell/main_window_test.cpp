#include "main_window.h"

#include "status_bar.h"
#include "window_driver.h"
#include "window_placement.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSizeGrip>
#include <variant>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

using testing::DropFiles;
using testing::DropUriList;
using testing::PressAt;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window_(QImage()) { window_.ShowCentred(); }

  // Every event the window has captured so far.
  std::vector<ShellEvent> TakeEvents() {
    std::vector<ShellEvent> events;
    while (std::optional<ShellEvent> event = window_.PollEvent()) events.push_back(*event);
    return events;
  }

  MainWindow window_;
};

TEST_F(MainWindowTest, HasItsTitleAndAFixedClientArea) {
  EXPECT_EQ(window_.windowTitle(), "Quillmoor");
  EXPECT_EQ(window_.size(), QSize(256, 212));
  EXPECT_EQ(window_.minimumSize(), QSize(256, 212));
  EXPECT_EQ(window_.maximumSize(), QSize(256, 212));
  EXPECT_TRUE(window_.isVisible());
  EXPECT_FALSE(window_.isMinimized() || window_.isMaximized());
}

TEST_F(MainWindowTest, CaptionHasTheSystemMenuAndCloseButtonOnly) {
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowTest, CarriesASixteenPixelIcon) {
  const QIcon icon = window_.windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
  const QImage image = icon.pixmap(16, 16).toImage();
  EXPECT_EQ(image.size(), QSize(16, 16));
  EXPECT_FALSE(image.hasAlphaChannel());
}

TEST_F(MainWindowTest, SitsAtTheCentreOfTheScreen) {
  const QRect screen = window_.screen()->geometry();
  const QRect frame = window_.frameGeometry();
  EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
  EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
}

TEST_F(MainWindowTest, PictureViewFillsTheTopAndIsEmptyWithoutAPicture) {
  EXPECT_EQ(window_.PictureView()->geometry(), QRect(0, 0, 256, 192));
  EXPECT_TRUE(window_.PictureView()->pixmap().isNull());
}

TEST(MainWindowPicture, ShowsThePictureUnscaled) {
  QImage picture(256, 192, QImage::Format_RGB32);
  picture.fill(QColor(0, 0, 254));
  picture.setPixel(255, 191, qRgb(254, 254, 0));  // a corner pixel shows any scaling or shift
  MainWindow window(picture);
  const QImage shown =
      window.PictureView()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown, picture);
  EXPECT_FALSE(window.PictureView()->hasScaledContents());
  EXPECT_EQ(window.PictureView()->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

struct FieldCase {
  StatusField field;
  int left;
  int right;  // exclusive: the field's right edge
  Qt::Alignment horizontal;
  const char* restingText;
};

class StatusFieldTest : public MainWindowTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(StatusFieldTest, HasItsPlaceAlignmentAndRestingText) {
  const FieldCase& c = GetParam();
  const QLabel* field = window_.Bar()->Field(c.field);
  // The bar lies under the picture, and each field's edges are its own.
  const QRect inWindow(field->mapTo(&window_, QPoint(0, 0)), field->size());
  EXPECT_EQ(inWindow.left(), c.left);
  EXPECT_EQ(inWindow.left() + inWindow.width(), c.right);
  EXPECT_EQ(inWindow.top(), 192);
  EXPECT_EQ(inWindow.top() + inWindow.height(), 212);
  EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, c.horizontal);
  EXPECT_EQ(field->text(), c.restingText);
  EXPECT_EQ(window_.StatusText(c.field), c.restingText);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StatusFieldTest,
    ::testing::Values(FieldCase{FieldCount, 0, 54, Qt::AlignLeft, ""},
                      FieldCase{FieldLabel, 54, 222, Qt::AlignHCenter, "Drop file here"},
                      FieldCase{FieldProgress, 222, 256, Qt::AlignHCenter, ""}));

TEST_F(MainWindowTest, StatusBarHasNoSizeGrip) {
  EXPECT_TRUE(window_.findChildren<QSizeGrip*>().isEmpty());
  EXPECT_EQ(window_.Bar()->geometry(), QRect(0, 192, 256, 20));
}

TEST_F(MainWindowTest, SetStatusReplacesOneFieldOnly) {
  window_.SetStatus(FieldCount, " Find: 12");
  window_.SetStatus(FieldProgress, "37%");
  EXPECT_EQ(window_.StatusText(FieldCount), " Find: 12");
  EXPECT_EQ(window_.StatusText(FieldLabel), "Drop file here");
  EXPECT_EQ(window_.StatusText(FieldProgress), "37%");
}

TEST_F(MainWindowTest, StatusTextIsNeverReadAsMarkup) {
  window_.SetStatus(FieldLabel, "\"<b>X</b>\"");
  EXPECT_EQ(window_.Bar()->Field(FieldLabel)->textFormat(), Qt::PlainText);
}

TEST_F(MainWindowTest, PopupMenuHoldsAboutSeparatorExit) {
  const QList<QAction*> actions = window_.PopupMenu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), "About");
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text(), "Exit");
}

struct MenuChoiceCase {
  int actionIndex;
  int command;
};

class MenuChoiceTest : public MainWindowTest,
                       public ::testing::WithParamInterface<MenuChoiceCase> {};

TEST_P(MenuChoiceTest, ArrivesAsACommandNumber) {
  window_.PopupMenu()->actions()[GetParam().actionIndex]->trigger();
  const std::vector<ShellEvent> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  ASSERT_TRUE(std::holds_alternative<MenuCommand>(events[0]));
  EXPECT_EQ(std::get<MenuCommand>(events[0]).command, GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(Commands, MenuChoiceTest,
                         ::testing::Values(MenuChoiceCase{0, CommandAbout},
                                           MenuChoiceCase{2, CommandExit}));

TEST_F(MainWindowTest, CloseRequestLeavesTheWindowOpen) {
  window_.close();
  const std::vector<ShellEvent> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<CloseRequest>(events[0]));
  EXPECT_TRUE(window_.isVisible());
}

struct PressCase {
  const char* name;
  QPoint point;
  Qt::MouseButton button;
  bool reported;
};

class MousePressTest : public MainWindowTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(MousePressTest, RightButtonAnywhereInTheClientAreaIsReported) {
  PressAt(&window_, GetParam().button, GetParam().point);
  const std::vector<ShellEvent> events = TakeEvents();
  if (!GetParam().reported) {
    EXPECT_TRUE(events.empty());
    return;
  }
  ASSERT_EQ(events.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<RightButtonDown>(events[0]));
}

INSTANTIATE_TEST_SUITE_P(
    Places, MousePressTest,
    ::testing::Values(PressCase{"PictureTopLeft", {0, 0}, Qt::RightButton, true},
                      PressCase{"PictureBottomRight", {255, 191}, Qt::RightButton, true},
                      PressCase{"CountField", {20, 200}, Qt::RightButton, true},
                      PressCase{"LabelField", {130, 205}, Qt::RightButton, true},
                      PressCase{"ProgressField", {250, 211}, Qt::RightButton, true},
                      PressCase{"LeftButtonOnPicture", {100, 100}, Qt::LeftButton, false},
                      PressCase{"LeftButtonOnStatusBar", {100, 200}, Qt::LeftButton, false}),
    testing::NameOfCase<PressCase>);

TEST_F(MainWindowTest, DropDeliversEveryLocalPathInOrder) {
  ASSERT_TRUE(DropFiles(&window_, {"/tmp/first.img", "/tmp/second img.img"}));
  const std::vector<ShellEvent> events = TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  ASSERT_TRUE(std::holds_alternative<FileDrop>(events[0]));
  EXPECT_EQ(std::get<FileDrop>(events[0]).paths,
            (std::vector<std::string>{"/tmp/first.img", "/tmp/second img.img"}));
}

TEST_F(MainWindowTest, RefusesADropWithoutLocalFiles) {
  EXPECT_FALSE(DropUriList(&window_, "https://example.org/hdd.img\r\n"));
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(MainWindowTest, PopupMenuOpensAtTheMousePointer) {
  const QPoint pointer = window_.mapToGlobal(QPoint(100, 50));
  QCursor::setPos(pointer);
  window_.ShowPopupMenu();
  QMenu* menu = window_.PopupMenu();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), pointer);
  menu->hide();
}

struct PlacementCase {
  const char* name;
  QRect screen;
  QSize frame;
  QPoint expected;
};

class CentredFramePositionTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(CentredFramePositionTest, CentresTheClampedFrame) {
  EXPECT_EQ(CentredFramePosition(GetParam().screen, GetParam().frame), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CentredFramePositionTest,
    ::testing::Values(PlacementCase{"FitsTheScreen", {0, 0, 1920, 1080}, {262, 241}, {829, 419}},
                      // A second screen to the right: the centre is its own, not the desktop's.
                      PlacementCase{
                          "ScreenWithAnOrigin", {1920, 0, 1280, 1024}, {262, 241}, {2429, 391}},
                      // Too big both ways: the frame starts at the screen's corner, never
                      // above or left of it, where the caption could not be reached.
                      PlacementCase{"LargerThanTheScreen", {0, 0, 200, 150}, {262, 241}, {0, 0}},
                      PlacementCase{"TallerOnly", {0, 0, 640, 200}, {262, 241}, {189, 0}}),
    testing::NameOfCase<PlacementCase>);

}  // namespace
}  // namespace quillmoor
