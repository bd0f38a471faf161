#pragma once

#include <string>
#include <vector>

namespace quillmoor::cli {

// Where each file of one call writes its images: the `outputDir` to hand to
// the scanner for it (empty: the folder beside the file).
struct OutputFolders {
  std::vector<std::string> outputDirs;  // one per file
  std::string conflict;                 // set when two files would share a folder
};

// With an output folder and one file, the images go straight into it; with
// several files each gets its own "<name>_extract" folder inside it, since
// numbering starts again at 1 for every file and one file's "1_GAMES.trd"
// would otherwise replace another's. Two files whose images would still land
// in the same folder (say "a/hdd.img" and "b/hdd.img" with an output folder,
// or "hdd.img" and "hdd.raw" beside each other) are refused before anything
// is written. A dry run writes nothing and so never conflicts.
OutputFolders PlanOutputFolders(const std::vector<std::string>& files, const std::string& outputDir,
                                bool dryRun);

}  // namespace quillmoor::cli
