#include "image_naming.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

TEST(CleanLabel, KeepsPrintableAsciiAndTrimsSpaces) {
  const TextCase cases[] = {
      {"GAMES", "GAMES"},
      {"A/B:C*D?E", "A B C D E"},
      {"  X  ", "X"},
      {"DISK~1", "DISK 1"},
      {"50%.B", "50%.B"},
      {"<|>\"\\", ""},
      {"          ", ""},
      {"", ""},
      {"a{b}c", "a{b}c"},  // '}' (125) is the last byte kept
      {std::string("\x01"
                   "CTRL\x7f",
                   6),
       "CTRL"},
      {"DEJA_VU#0\xb3", "DEJA_VU#0"},
      {"ADVENTUR7/", "ADVENTUR7"},
      {"ENL'97  ", "ENL'97"},
      {"IN  SIDE", "IN  SIDE"},  // only the ends are trimmed
  };
  for (const auto& c : cases) EXPECT_EQ(CleanLabel(c.input), c.expected) << c.input;
}

TEST(ReadLabel, StopsAtZeroOrAfterTenBytes) {
  using Field = std::vector<std::uint8_t>;
  const Field games = {'G', 'A', 'M', 'E', 'S', 0, 'X', 'X', 'X', 'X', 'X'};
  const Field eleven = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'Z'};
  const Field empty = {0, 'N', 'O'};
  EXPECT_EQ(ReadLabel(games), "GAMES");
  EXPECT_EQ(ReadLabel(eleven), "0123456789") << "an eleventh byte is never read";
  EXPECT_EQ(ReadLabel(empty), "");
}

TEST(OutputFolderName, IsTheFileNameWithoutItsLastExtension) {
  const TextCase cases[] = {
      {"/data/img/hdd.img", "hdd_extract"},
      {"games.set.hdf", "games.set_extract"},
      {"hddimage", "hddimage_extract"},
      {"name.", "name_extract"},
      {".raw", "_extract"},
      {"/data/v1.2/disk", "disk_extract"},  // a dot in a folder is not an extension
#ifdef _WIN32
      {"C:\\img\\hdd.img", "hdd_extract"},
#else
      // A backslash is an ordinary character in a Linux file name.
      {"/data/my\\disk.img", "my\\disk_extract"},
      {"C:\\img\\hdd.img", "C:\\img\\hdd_extract"},
#endif
  };
  for (const auto& c : cases) EXPECT_EQ(OutputFolderName(c.input), c.expected) << c.input;
}

TEST(FolderOf, KeepsEverythingUpToTheLastSeparator) {
  const TextCase cases[] = {
      {"/data/img/hdd.img", "/data/img/"},
      {"hdd.img", ""},
      {"/hdd.img", "/"},
      {"rel/dir/hdd.img", "rel/dir/"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOf(c.input), c.expected) << c.input;
}

TEST(OutputFileName, IsNumberUnderscoreLabelTrd) {
  EXPECT_EQ(OutputFileName(1, "GAMES"), "1_GAMES.trd");
  EXPECT_EQ(OutputFileName(3, ""), "3_.trd");
  EXPECT_EQ(OutputFileName(12345, "A B"), "12345_A B.trd");
}

}  // namespace
}  // namespace quillmoor
