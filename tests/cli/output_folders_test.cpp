#include "output_folders.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor::cli {
namespace {

struct FoldersCase {
  const char* name;
  std::vector<std::string> files;
  std::string outputDir;
  bool dryRun;
  std::vector<std::string> outputDirs;
  std::string conflict;
};

void PrintTo(const FoldersCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

class PlanOutputFoldersTest : public ::testing::TestWithParam<FoldersCase> {};

TEST_P(PlanOutputFoldersTest, PlansEachFile) {
  const FoldersCase& c = GetParam();
  const OutputFolders plan = PlanOutputFolders(c.files, c.outputDir, c.dryRun);
  EXPECT_EQ(plan.outputDirs, c.outputDirs);
  EXPECT_EQ(plan.conflict, c.conflict);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanOutputFoldersTest,
    ::testing::Values(
        FoldersCase{"BesideEachFile", {"a/hdd.img", "b/hdd.img"}, "", false, {"", ""}, ""},
        FoldersCase{"OneFileStraightIntoDir", {"hdd.img"}, "out", false, {"out"}, ""},
        FoldersCase{"SeveralFilesGetSubfolders",
                    {"a/hdd.img", "b/games.raw"},
                    "out/",
                    false,
                    {"out/hdd_extract", "out/games_extract"},
                    ""},
        FoldersCase{"SameBaseNameBesideEachOther",
                    {"hdd.img", "hdd.raw"},
                    "",
                    false,
                    {"", ""},
                    "hdd.img and hdd.raw would write their images into the same folder: "
                    "hdd_extract"},
        FoldersCase{"SameFolderSpelledTwoWays",
                    {"x/hdd.img", "x/../x/./hdd"},
                    "",
                    false,
                    {"", ""},
                    "x/hdd.img and x/../x/./hdd would write their images into the same folder: "
                    "x/../x/./hdd_extract"},
        FoldersCase{"SameBaseNameIntoOneDir",
                    {"a/hdd.img", "b/hdd.img", "c.img"},
                    "out",
                    false,
                    {"out/hdd_extract", "out/hdd_extract", "out/c_extract"},
                    "a/hdd.img and b/hdd.img would write their images into the same folder: "
                    "out/hdd_extract"},
        FoldersCase{"DryRunNeverConflicts", {"hdd.img", "hdd.raw"}, "", true, {"", ""}, ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace quillmoor::cli
