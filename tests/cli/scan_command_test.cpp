// The built quillmoor-scan, run on files made in a temporary folder: exact
// report, errors, exit status, and what it left in the folder.
#include "run_program.h"
#include "scan_buffer.h"
#include "test_support.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::MakeTrdImage;
using testing::PlaceAt;

constexpr std::size_t T = TrdImageSize;

// Two separate disks with distinct labels, at unaligned offsets, so that a
// swapped number or offset shows.
Bytes TwoDisks() {
  Bytes file(2'000'000, 0xE5);
  PlaceAt(file, 1'000, MakeTrdImage("GAMES", 3));
  PlaceAt(file, 1'300'000, MakeTrdImage("WORK"));
  return file;
}

// A disk that carries a copy of its own catalogue and disk-information sector
// in its data, then a separate disk that starts after the copy's window ends.
Bytes DiskWithCatalogueCopy() {
  Bytes file(1'700'000, 0);
  const Bytes system = MakeTrdImage("SYSTEM", 2);
  PlaceAt(file, 0, system);
  PlaceAt(file, 300'000, Bytes(system.begin(), system.begin() + 4'096));
  PlaceAt(file, 955'360, MakeTrdImage("OTHER"));  // the copy's window ends at 955,359
  return file;
}

// A file whose first byte is byte 1,000 of a disk: the image starts before
// the file does, and the names of its first files are lost with the cut.
Bytes DiskCutAtStart() {
  const Bytes disk = MakeTrdImage("CUT", 5);
  return Bytes(disk.begin() + 1'000, disk.end());
}

Bytes NoDisks() {
  return Bytes(100'000, 0x16);
}

struct InputFile {
  std::string name;
  std::function<Bytes()> make;  // empty: a folder of that name instead
};

struct CommandCase {
  const char* name;
  std::vector<InputFile> inputs;
  std::vector<std::string> arguments;
  std::string output;
  std::string errors;
  int status;
  // Everything in the work folder afterwards, folders with a trailing '/'.
  std::vector<std::string> tree;
};

const std::string Usage =
    "Usage: quillmoor-scan [OPTIONS] FILE...\nRun 'quillmoor-scan --help' for more.\n";

std::vector<CommandCase> CommandCases() {
  const InputFile hdd{"hdd.img", TwoDisks};
  const std::vector<std::string> hddWritten{"hdd.img", "hdd_extract/", "hdd_extract/1_GAMES.trd",
                                            "hdd_extract/2_WORK.trd"};
  return {
      {"TwoImagesAsText",
       {hdd},
       {"hdd.img"},
       "1 1000 \"GAMES\" hdd_extract/1_GAMES.trd\n"
       "2 1300000 \"WORK\" hdd_extract/2_WORK.trd\n"
       "Found files: 2\n",
       "",
       0,
       hddWritten},
      {"TwoImagesAsJson",
       {hdd},
       {"--json", "hdd.img"},
       R"({"file":"hdd.img","number":1,"offset":1000,"label":"GAMES","output":"hdd_extract/1_GAMES.trd","inside":null})"
       "\n"
       R"({"file":"hdd.img","number":2,"offset":1300000,"label":"WORK","output":"hdd_extract/2_WORK.trd","inside":null})"
       "\n"
       R"({"file":"hdd.img","found":2})"
       "\n",
       "",
       0,
       hddWritten},
      {"DryRunWritesNothing",
       {hdd},
       {"-n", "hdd.img"},
       "1 1000 \"GAMES\"\n2 1300000 \"WORK\"\nFound files: 2\n",
       "",
       0,
       {"hdd.img"}},
      {"DryRunJsonHasNoOutput",
       {hdd},
       {"--dry-run", "--json", "hdd.img"},
       R"({"file":"hdd.img","number":1,"offset":1000,"label":"GAMES","output":null,"inside":null})"
       "\n"
       R"({"file":"hdd.img","number":2,"offset":1300000,"label":"WORK","output":null,"inside":null})"
       "\n"
       R"({"file":"hdd.img","found":2})"
       "\n",
       "",
       0,
       {"hdd.img"}},
      {"OutputDirIsCreatedWithParents",
       {hdd},
       {"--output-dir", "out/deep", "hdd.img"},
       "1 1000 \"GAMES\" out/deep/1_GAMES.trd\n2 1300000 \"WORK\" out/deep/2_WORK.trd\n"
       "Found files: 2\n",
       "",
       0,
       {"hdd.img", "out/", "out/deep/", "out/deep/1_GAMES.trd", "out/deep/2_WORK.trd"}},
      {"SeveralFilesEachNumberedFromOne",
       {hdd, {"cut.raw", DiskCutAtStart}},
       {"hdd.img", "cut.raw"},
       "hdd.img:\n"
       "1 1000 \"GAMES\" hdd_extract/1_GAMES.trd\n"
       "2 1300000 \"WORK\" hdd_extract/2_WORK.trd\n"
       "Found files: 2\n"
       "\n"
       "cut.raw:\n"
       "1 -1000 \"CUT\" cut_extract/1_CUT.trd\n"
       "Found files: 1\n",
       "",
       0,
       {"cut.raw", "cut_extract/", "cut_extract/1_CUT.trd", "hdd.img", "hdd_extract/",
        "hdd_extract/1_GAMES.trd", "hdd_extract/2_WORK.trd"}},
      {"SeveralFilesAsJson",
       {hdd, {"cut.raw", DiskCutAtStart}},
       {"-n", "--json", "hdd.img", "cut.raw"},
       R"({"file":"hdd.img","number":1,"offset":1000,"label":"GAMES","output":null,"inside":null})"
       "\n"
       R"({"file":"hdd.img","number":2,"offset":1300000,"label":"WORK","output":null,"inside":null})"
       "\n"
       R"({"file":"hdd.img","found":2})"
       "\n"
       R"({"file":"cut.raw","number":1,"offset":-1000,"label":"CUT","output":null,"inside":null})"
       "\n"
       R"({"file":"cut.raw","found":1})"
       "\n",
       "",
       0,
       {"cut.raw", "hdd.img"}},
      {"SeveralFilesIntoOneOutputDirKeepApart",
       // Numbering starts at 1 for each file: in one folder, cut.raw's
       // "1_CUT.trd" would sit among hdd.img's images.
       {hdd, {"cut.raw", DiskCutAtStart}},
       {"-o", "out", "hdd.img", "cut.raw"},
       "hdd.img:\n"
       "1 1000 \"GAMES\" out/hdd_extract/1_GAMES.trd\n"
       "2 1300000 \"WORK\" out/hdd_extract/2_WORK.trd\n"
       "Found files: 2\n"
       "\n"
       "cut.raw:\n"
       "1 -1000 \"CUT\" out/cut_extract/1_CUT.trd\n"
       "Found files: 1\n",
       "",
       0,
       {"cut.raw", "hdd.img", "out/", "out/cut_extract/", "out/cut_extract/1_CUT.trd",
        "out/hdd_extract/", "out/hdd_extract/1_GAMES.trd", "out/hdd_extract/2_WORK.trd"}},
      {"WindowInsideAnImageIsMarked",
       {{"sys.img", DiskWithCatalogueCopy}},
       {"sys.img"},
       "1 0 \"SYSTEM\" sys_extract/1_SYSTEM.trd\n"
       "2 300000 \"SYSTEM\" sys_extract/2_SYSTEM.trd (inside image 1)\n"
       "3 955360 \"OTHER\" sys_extract/3_OTHER.trd\n"
       "Found files: 3\n",
       "",
       0,
       {"sys.img", "sys_extract/", "sys_extract/1_SYSTEM.trd", "sys_extract/2_SYSTEM.trd",
        "sys_extract/3_OTHER.trd"}},
      {"WindowInsideAnImageAsJson",
       {{"sys.img", DiskWithCatalogueCopy}},
       {"--json", "-n", "sys.img"},
       R"({"file":"sys.img","number":1,"offset":0,"label":"SYSTEM","output":null,"inside":null})"
       "\n"
       R"({"file":"sys.img","number":2,"offset":300000,"label":"SYSTEM","output":null,"inside":1})"
       "\n"
       R"({"file":"sys.img","number":3,"offset":955360,"label":"OTHER","output":null,"inside":null})"
       "\n"
       R"({"file":"sys.img","found":3})"
       "\n",
       "",
       0,
       {"sys.img"}},
      {"JsonEscapesTheFileName",
       {{"a\"b\\c\xff.img", TwoDisks}},
       {"-n", "--json", "a\"b\\c\xff.img"},
       R"({"file":"a\"b\\c\udcff.img","number":1,"offset":1000,"label":"GAMES","output":null,"inside":null})"
       "\n"
       R"({"file":"a\"b\\c\udcff.img","number":2,"offset":1300000,"label":"WORK","output":null,"inside":null})"
       "\n"
       R"({"file":"a\"b\\c\udcff.img","found":2})"
       "\n",
       "",
       0,
       {"a\"b\\c\xff.img"}},
      {"NothingFoundMakesNoFolder",
       {{"empty.img", NoDisks}},
       {"empty.img"},
       "Found files: 0\n",
       "",
       0,
       {"empty.img"}},
      {"MissingFileFailsButTheOthersAreScanned",
       {hdd},
       {"-n", "missing.img", "hdd.img"},
       "missing.img:\n\nhdd.img:\n1 1000 \"GAMES\"\n2 1300000 \"WORK\"\nFound files: 2\n",
       "Cant open file: missing.img (No such file or directory)\n",
       1,
       {"hdd.img"}},
      {"UnreadableFileFails",
       {{"folder.img", {}}},
       {"folder.img"},
       "Found files: 0\n",
       "Cant read file: folder.img\n",
       1,
       {"folder.img/"}},
      {"ImageThatCannotBeCreatedFails",
       // The output folder's name is taken by a file, so nothing can go there.
       {hdd, {"out", NoDisks}},
       {"-o", "out", "hdd.img"},
       "Found files: 2\n",
       "Cant create file: 1_GAMES.trd\nCant create file: 2_WORK.trd\n",
       1,
       {"hdd.img", "out"}},
      {"FilesSharingAnOutputFolderAreRefused",
       // hdd.raw's "1_..." would replace hdd.img's in hdd_extract/.
       {hdd, {"hdd.raw", DiskCutAtStart}},
       {"hdd.img", "hdd.raw"},
       "",
       "quillmoor-scan: hdd.img and hdd.raw would write their images into the same folder: "
       "hdd_extract\n" +
           Usage,
       2,
       {"hdd.img", "hdd.raw"}},
      {"UnknownOptionIsAUsageError",
       {hdd},
       {"--bogus", "hdd.img"},
       "",
       "quillmoor-scan: The following argument was not expected: --bogus\n" + Usage,
       2,
       {"hdd.img"}},
      {"MissingFileArgumentIsAUsageError",
       {hdd},
       {"--json"},
       "",
       "quillmoor-scan: FILE is required\n" + Usage,
       2,
       {"hdd.img"}},
      {"EmptyOutputDirIsAUsageError",
       {hdd},
       {"-o", "", "hdd.img"},
       "",
       "quillmoor-scan: --output-dir: the folder name is empty\n" + Usage,
       2,
       {"hdd.img"}},
      {"VersionIsPrinted", {}, {"--version"}, "quillmoor-scan " QUILLMOOR_VERSION "\n", "", 0, {}},
  };
}

std::vector<std::string> Tree(const fs::path& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string name = entry.path().lexically_relative(folder).string();
    if (entry.is_directory()) name += '/';
    entries.push_back(name);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

void PrintTo(const CommandCase& command, std::ostream* out) {
  *out << command.name;
}

class ScanCommand : public ::testing::TestWithParam<CommandCase> {
 protected:
  testing::TempDir work_;
};

TEST_P(ScanCommand, ReportsAndLeavesExactly) {
  const CommandCase& command = GetParam();
  for (const InputFile& input : command.inputs) {
    if (input.make) {
      testing::WriteFileBytes(work_ / input.name, input.make());
    } else {
      fs::create_directory(work_ / input.name);
    }
  }
  const testing::ProgramResult result =
      testing::RunProgram(QUILLMOOR_SCAN_PROGRAM, command.arguments, work_.path());
  EXPECT_EQ(result.output, command.output);
  EXPECT_EQ(result.errors, command.errors);
  EXPECT_EQ(result.status, command.status);
  EXPECT_EQ(Tree(work_.path()), command.tree);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanCommand, ::testing::ValuesIn(CommandCases()),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// The files written are the images byte for byte, an image that starts before
// the file with zeros in place of the bytes it lacks.
TEST(ScanCommandOutput, WritesTheImagesByteForByte) {
  testing::TempDir work;
  testing::WriteFileBytes(work / "hdd.img", TwoDisks());
  testing::WriteFileBytes(work / "cut.raw", DiskCutAtStart());
  const auto result =
      testing::RunProgram(QUILLMOOR_SCAN_PROGRAM, {"hdd.img", "cut.raw"}, work.path());
  ASSERT_EQ(result.status, 0) << result.errors;

  EXPECT_EQ(testing::ReadFileBytes(work / "hdd_extract/1_GAMES.trd"), MakeTrdImage("GAMES", 3));
  EXPECT_EQ(testing::ReadFileBytes(work / "hdd_extract/2_WORK.trd"), MakeTrdImage("WORK"));
  // Scanned after hdd.img, through the same buffer: none of its bytes may
  // stand in for the ones before the file.
  Bytes cut = MakeTrdImage("CUT", 5);
  std::fill(cut.begin(), cut.begin() + 1'000, 0);
  EXPECT_EQ(testing::ReadFileBytes(work / "cut_extract/1_CUT.trd"), cut);
  EXPECT_EQ(T, cut.size());
}

// A second call over the same file replaces its images rather than adding to
// them, as a second drop on the window does.
TEST(ScanCommandOutput, SecondCallReplacesTheImages) {
  testing::TempDir work;
  testing::WriteFileBytes(work / "hdd.img", TwoDisks());
  ASSERT_EQ(testing::RunProgram(QUILLMOOR_SCAN_PROGRAM, {"hdd.img"}, work.path()).status, 0);
  testing::WriteFileBytes(work / "hdd_extract/1_GAMES.trd", Bytes(10, 1));
  ASSERT_EQ(testing::RunProgram(QUILLMOOR_SCAN_PROGRAM, {"hdd.img"}, work.path()).status, 0);
  EXPECT_EQ(testing::ReadFileBytes(work / "hdd_extract/1_GAMES.trd"), MakeTrdImage("GAMES", 3));
  EXPECT_EQ(testing::ListFolder(work / "hdd_extract"),
            (std::vector<std::string>{"1_GAMES.trd", "2_WORK.trd"}));
}

// On a terminal a progress line shows, and is cleared before each report line
// and at the end, so that nothing of it is left between the report's lines.
TEST(ScanCommandProgress, ShowsOnATerminalAndClearsItself) {
  testing::TempDir work;
  testing::WriteFileBytes(work / "hdd.img", TwoDisks());
  const auto result =
      testing::RunProgramWithTerminal(QUILLMOOR_SCAN_PROGRAM, {"-n", "hdd.img"}, work.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "1 1000 \"GAMES\"\n2 1300000 \"WORK\"\nFound files: 2\n");
  EXPECT_NE(result.errors.find("100%"), std::string::npos) << result.errors;
  EXPECT_NE(result.errors.find("1.9 MiB / 1.9 MiB"), std::string::npos) << result.errors;
  EXPECT_NE(result.errors.find("found: 2"), std::string::npos) << result.errors;
  const std::string clear = "\r\033[K";
  ASSERT_GE(result.errors.size(), clear.size());
  EXPECT_EQ(result.errors.substr(result.errors.size() - clear.size()), clear);
}

}  // namespace
}  // namespace quillmoor
