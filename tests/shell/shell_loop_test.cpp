#include "main_window.h"
#include "scan_buffer.h"
#include "shell.h"
#include "test_support.h"
#include "window_driver.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>
#include <unistd.h>

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::DropFiles;
using testing::ListFolder;
using testing::MakeTrdImage;
using testing::ModalBoxCloser;
using testing::PlaceAt;
using testing::PressAt;
using testing::RecordingMedia;
using testing::SeenBox;
using testing::TempDir;

constexpr std::size_t T = TrdImageSize;
const std::array<QString, 3> RestingTexts = {"", "Drop file here", ""};

class ShellLoopTest : public ::testing::Test {
 protected:
  ShellLoopTest()
      : shell_(media_), boxes_([this](SeenBox& box) {
          for (int field : {FieldCount, FieldLabel, FieldProgress}) {
            box.status[field] = window().StatusText(static_cast<StatusField>(field));
          }
          box.cuesPlayed = media_.cuesPlayed;
        }) {}

  MainWindow& window() { return shell_.Window(); }

  fs::path WriteFile(const std::string& name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    testing::WriteFileBytes(path, bytes);
    return path;
  }

  // A file of `length` bytes with the given images at their offsets.
  fs::path WriteDisk(const std::string& name, std::size_t length,
                     const std::vector<std::pair<std::size_t, std::string>>& images) {
    Bytes bytes(length, 0);
    for (const auto& [offset, label] : images) PlaceAt(bytes, offset, MakeTrdImage(label));
    return WriteFile(name, bytes);
  }

  // Lets the loop take what is pending: a few passes, enough for one event
  // each.
  bool StepTimes(int passes) {
    for (int i = 0; i < passes; ++i) {
      if (!shell_.Step()) return false;
    }
    return true;
  }

  std::array<QString, 3> StatusTexts() {
    return {window().StatusText(FieldCount), window().StatusText(FieldLabel),
            window().StatusText(FieldProgress)};
  }

  TempDir dir_;
  RecordingMedia media_;
  Shell shell_;
  ModalBoxCloser boxes_;
};

TEST_F(ShellLoopTest, StartsUpInOrderAndShowsTheWindowAtRest) {
  EXPECT_EQ(media_.calls,
            (std::vector<std::string>{"open sound output", "load sound", "load picture"}));
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(StatusTexts(), RestingTexts);
}

TEST_F(ShellLoopTest, DropOfTwoImagesWritesBothAndReportsAfterTheStatusBarRests) {
  // Distinct labels, so a swapped number or a lost image shows.
  const fs::path disk = WriteDisk("hdd.img", 3 * T, {{0, "FIRST"}, {T + 12345, "SECOND"}});
  ASSERT_TRUE(DropFiles(&window(), {disk.string()}));
  ASSERT_TRUE(StepTimes(3));

  ASSERT_EQ(boxes_.seen.size(), 1u);
  const SeenBox& box = boxes_.seen[0];
  EXPECT_EQ(box.title, "Extract is ended");
  EXPECT_EQ(box.text, "Found files: 2");
  EXPECT_FALSE(box.hasIcon);
  ASSERT_EQ(box.buttons.size(), 1u);
  EXPECT_EQ(QString(box.buttons[0]).remove('&'), "OK");
  // The bar was reset and the cue started before the box opened.
  EXPECT_EQ(box.status, RestingTexts);
  EXPECT_EQ(box.cuesPlayed, 1);

  EXPECT_EQ(ListFolder(dir_ / "hdd_extract"),
            (std::vector<std::string>{"1_FIRST.trd", "2_SECOND.trd"}));
  EXPECT_EQ(testing::ReadFileBytes(dir_ / "hdd_extract" / "2_SECOND.trd"), MakeTrdImage("SECOND"));
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(StatusTexts(), RestingTexts);
}

TEST_F(ShellLoopTest, OnlyTheFirstFileOfADropIsScanned) {
  const fs::path first = WriteDisk("first.img", T, {{0, "ONE"}});
  const fs::path second = WriteDisk("second.img", 2 * T, {{0, "A"}, {T, "B"}});
  const fs::path third = WriteDisk("third.img", T, {{0, "C"}});
  ASSERT_TRUE(DropFiles(&window(), {first.string(), second.string(), third.string()}));
  ASSERT_TRUE(StepTimes(3));

  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, "Found files: 1");
  EXPECT_EQ(media_.cuesPlayed, 1);
  EXPECT_EQ(ListFolder(dir_.path()),
            (std::vector<std::string>{"first.img", "first_extract", "second.img", "third.img"}));
}

struct IgnoredDropCase {
  const char* name;
  std::function<fs::path(const fs::path& dir)> make;
};

class IgnoredDropTest : public ShellLoopTest,
                        public ::testing::WithParamInterface<IgnoredDropCase> {};

TEST_P(IgnoredDropTest, ChangesNothing) {
  const fs::path target = GetParam().make(dir_.path());
  const std::vector<std::string> before = ListFolder(dir_.path());
  ASSERT_TRUE(DropFiles(&window(), {target.string()}));
  ASSERT_TRUE(StepTimes(3));

  EXPECT_TRUE(boxes_.seen.empty());
  EXPECT_EQ(media_.cuesPlayed, 0);
  EXPECT_EQ(StatusTexts(), RestingTexts);
  EXPECT_EQ(ListFolder(dir_.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Targets, IgnoredDropTest,
                         ::testing::Values(
                             // A folder holding an image file: the folder itself is no input.
                             IgnoredDropCase{"Folder",
                                             [](const fs::path& dir) {
                                               fs::create_directory(dir / "disks");
                                               testing::WriteFileBytes(dir / "disks" / "a.img",
                                                                       MakeTrdImage("IN"));
                                               return dir / "disks";
                                             }},
                             IgnoredDropCase{"EmptyFile",
                                             [](const fs::path& dir) {
                                               testing::WriteFileBytes(dir / "empty.img", {});
                                               return dir / "empty.img";
                                             }},
                             IgnoredDropCase{"MissingFile",
                                             [](const fs::path& dir) { return dir / "gone.img"; }}),
                         testing::NameOfCase<IgnoredDropCase>);

TEST_F(ShellLoopTest, FileThatCannotBeOpenedStillGetsTheReport) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any file; no unreadable file can be made";
  const fs::path disk = WriteDisk("locked.img", T, {{0, "HIDDEN"}});
  fs::permissions(disk, fs::perms::none);
  ASSERT_TRUE(DropFiles(&window(), {disk.string()}));
  ASSERT_TRUE(StepTimes(3));
  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, "Found files: 0");
  EXPECT_EQ(boxes_.seen[0].cuesPlayed, 1);
}

TEST_F(ShellLoopTest, OutputThatCannotBeCreatedIsReportedInABoxAndTheRunGoesOn) {
  const fs::path disk = WriteDisk("hdd.img", 2 * T, {{0, "BLOCKED"}, {T - 1000, "FREE"}});
  // A folder where the first image's file would go: no one can create it.
  fs::create_directories(dir_ / "hdd_extract" / "1_BLOCKED.trd");
  ASSERT_TRUE(DropFiles(&window(), {disk.string()}));
  ASSERT_TRUE(StepTimes(3));

  ASSERT_EQ(boxes_.seen.size(), 2u);
  EXPECT_EQ(boxes_.seen[0].title, "Error!");
  EXPECT_EQ(boxes_.seen[0].text, "Cant create file: 1_BLOCKED.trd");
  EXPECT_FALSE(boxes_.seen[0].hasIcon);
  EXPECT_EQ(boxes_.seen[1].text, "Found files: 2");
  EXPECT_TRUE(fs::is_regular_file(dir_ / "hdd_extract" / "2_FREE.trd"));
}

TEST_F(ShellLoopTest, CloseRequestDuringARunEndsItEarlyAndTheWindowStays) {
  // Five chunks, an image in the first, second and fourth.
  const fs::path disk =
      WriteDisk("big.img", 5 * T, {{0, "ONE"}, {T + T / 2, "TWO"}, {3 * T, "FOUR"}});
  // Once the run is under way (the progress field is filled in), the user
  // right-clicks, which the run drops, then closes the window.
  int actions = 0;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (window().StatusText(FieldProgress).isEmpty() || actions == 2) return;
    if (actions++ == 0) {
      PressAt(&window(), Qt::RightButton, {100, 100});
    } else {
      window().close();
    }
  });
  user.start(0);
  ASSERT_TRUE(DropFiles(&window(), {disk.string()}));
  ASSERT_TRUE(shell_.Step());
  user.stop();

  ASSERT_EQ(boxes_.seen.size(), 1u);
  EXPECT_EQ(boxes_.seen[0].text, "Found files: 2");
  EXPECT_EQ(boxes_.seen[0].status, RestingTexts);
  EXPECT_EQ(ListFolder(dir_ / "big_extract"), (std::vector<std::string>{"1_ONE.trd", "2_TWO.trd"}));
  // The right-click taken during the run opened nothing, and the window is
  // still there, waiting for the next drop.
  EXPECT_FALSE(window().PopupMenu()->isVisible());
  EXPECT_TRUE(window().isVisible());
  EXPECT_TRUE(StepTimes(3));

  // A second close request, now that no run is in progress, ends the program.
  window().close();
  EXPECT_EQ(shell_.Run(), 0);
}

TEST_F(ShellLoopTest, EveryRunRestartsTheCueAndReusesTheWindow) {
  const fs::path disk = WriteDisk("hdd.img", T, {{0, "AGAIN"}});
  for (int run = 1; run <= 2; ++run) {
    ASSERT_TRUE(DropFiles(&window(), {disk.string()}));
    ASSERT_TRUE(StepTimes(3));
    EXPECT_EQ(media_.cuesPlayed, run);
  }
  ASSERT_EQ(boxes_.seen.size(), 2u);
  // The second run replaced the first one's file.
  EXPECT_EQ(boxes_.seen[1].text, "Found files: 1");
  EXPECT_EQ(ListFolder(dir_ / "hdd_extract"), std::vector<std::string>{"1_AGAIN.trd"});
}

struct MenuOpeningCase {
  const char* name;
  QPoint point;
};

class MenuOpeningTest : public ShellLoopTest,
                        public ::testing::WithParamInterface<MenuOpeningCase> {};

TEST_P(MenuOpeningTest, RightButtonOpensThePopupMenu) {
  PressAt(&window(), Qt::RightButton, GetParam().point);
  ASSERT_TRUE(StepTimes(2));
  QMenu* menu = window().PopupMenu();
  EXPECT_TRUE(menu->isVisible());
  menu->hide();
}

INSTANTIATE_TEST_SUITE_P(Places, MenuOpeningTest,
                         ::testing::Values(MenuOpeningCase{"OverThePicture", {128, 96}},
                                           MenuOpeningCase{"OverTheStatusBar", {128, 202}}),
                         testing::NameOfCase<MenuOpeningCase>);

// Opens the menu with the right button and clicks `item` with `button`.
void ChooseFromMenu(Shell& shell, MainWindow& window, const QString& item, Qt::MouseButton button) {
  PressAt(&window, Qt::RightButton, {128, 96});
  ASSERT_TRUE(shell.Step());
  QMenu* menu = window.PopupMenu();
  ASSERT_TRUE(menu->isVisible());
  for (QAction* action : menu->actions()) {
    if (action->text() != item) continue;
    QTest::mouseClick(menu, button, Qt::NoModifier, menu->actionGeometry(action).center());
    return;
  }
  FAIL() << "no menu item " << item.toStdString();
}

class ExitTest : public ShellLoopTest, public ::testing::WithParamInterface<Qt::MouseButton> {};

TEST_P(ExitTest, ExitFromTheMenuEndsWithStatusZero) {
  ChooseFromMenu(shell_, window(), "Exit", GetParam());
  EXPECT_EQ(shell_.Run(), 0);
  EXPECT_TRUE(boxes_.seen.empty());
}

// The menu answers either mouse button.
INSTANTIATE_TEST_SUITE_P(Buttons, ExitTest, ::testing::Values(Qt::LeftButton, Qt::RightButton),
                         [](const ::testing::TestParamInfo<Qt::MouseButton>& button) {
                           return std::string(button.param == Qt::LeftButton ? "Left" : "Right");
                         });

TEST_F(ShellLoopTest, CloseRequestWhileIdleEndsWithStatusZero) {
  window().close();
  EXPECT_EQ(shell_.Run(), 0);
  EXPECT_TRUE(boxes_.seen.empty());
}

TEST_F(ShellLoopTest, AboutShowsCreditsInABoxOfItsOwnAndTheLoopGoesOn) {
  ChooseFromMenu(shell_, window(), "About", Qt::LeftButton);
  ASSERT_TRUE(StepTimes(2));
  ASSERT_EQ(boxes_.seen.size(), 1u);
  const SeenBox& box = boxes_.seen[0];
  EXPECT_EQ(box.title, "About");
  EXPECT_TRUE(box.text.startsWith("Quillmoor"));
  EXPECT_GE(box.text.count('\n'), 2);
  EXPECT_FALSE(box.hasIcon);
  EXPECT_FALSE(box.hasOwner);
  EXPECT_EQ(box.buttons.size(), 1u);
  EXPECT_EQ(media_.cuesPlayed, 0);
  EXPECT_TRUE(window().isVisible());
}

}  // namespace
}  // namespace quillmoor
