#include "dropped_paths.h"

#include "window_driver.h"

#include <QMimeData>
#include <QSysInfo>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

struct DropCase {
  const char* name;
  QByteArray uriList;
  std::vector<std::string> paths;
};

class DroppedPathsTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(DroppedPathsTest, GivesTheLocalPathsAsTheirBytes) {
  QMimeData mime;
  mime.setData(QStringLiteral("text/uri-list"), GetParam().uriList);
  EXPECT_EQ(DroppedPaths(&mime), GetParam().paths);
}

INSTANTIATE_TEST_SUITE_P(
    UriLists, DroppedPathsTest,
    ::testing::Values(
        DropCase{"OneFile", "file:///data/img/hdd.img\r\n", {"/data/img/hdd.img"}},
        // The order of the drop is kept: the loop takes the first.
        DropCase{"SeveralFilesInOrder",
                 "file:///b/second.img\r\nfile:///a/first.img\r\nfile:///c/third.img\r\n",
                 {"/b/second.img", "/a/first.img", "/c/third.img"}},
        // Spaces, '%', '#' and '?' arrive encoded and must come back as they were.
        DropCase{"EncodedCharacters",
                 "file:///data/my%20disks/50%25%20%23%3F.img\r\n",
                 {"/data/my disks/50% #?.img"}},
        DropCase{"Utf8Name",
                 "file:///tmp/%D0%B4%D0%B8%D1%81%D0%BA.img\r\n",
                 {"/tmp/\xD0\xB4\xD0\xB8\xD1\x81\xD0\xBA.img"}},
        // A Latin-1 name is no UTF-8; its byte must not turn into U+FFFD, or
        // the file could not be opened.
        DropCase{"NameThatIsNotUtf8", "file:///tmp/disk%E9.img\r\n", {"/tmp/disk\xE9.img"}},
        // "localhost" is this machine, not part of the path.
        DropCase{"LocalhostHost", "file://localhost/tmp/hdd.img\r\n", {"/tmp/hdd.img"}},
        DropCase{"CommentLinesAndOtherSchemesAreNoPaths",
                 "# from the browser\r\nhttps://example.org/hdd.img\r\nfile:///tmp/a.img\r\n",
                 {"/tmp/a.img"}},
        DropCase{"FileOnAnotherHost", "file://faraway-server-name/share/hdd.img\r\n", {}},
        DropCase{"NothingUsable", "", {}}),
    testing::NameOfCase<DropCase>);

TEST(DroppedPaths, TakesThisMachinesOwnNameAsLocal) {
  const QString host = QSysInfo::machineHostName();
  if (host.isEmpty()) GTEST_SKIP() << "this machine has no host name";
  QMimeData mime;
  mime.setData(QStringLiteral("text/uri-list"), "file://" + host.toUtf8() + "/tmp/hdd.img\r\n");
  EXPECT_EQ(DroppedPaths(&mime), std::vector<std::string>{"/tmp/hdd.img"});
}

TEST(DroppedPaths, IgnoresDataWithoutLinks) {
  QMimeData mime;
  mime.setText(QStringLiteral("/tmp/hdd.img"));
  EXPECT_TRUE(DroppedPaths(&mime).empty());
  EXPECT_TRUE(DroppedPaths(nullptr).empty());
}

}  // namespace
}  // namespace quillmoor
