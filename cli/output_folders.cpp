#include "output_folders.h"

#include "image_naming.h"

#include <filesystem>
#include <map>

namespace quillmoor::cli {
namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && IsPathSeparator(folder.back())) return folder + name;
  return folder + "/" + name;
}

// One spelling for every way of naming the same folder, so that "x_extract",
// "./x_extract" and an absolute path through a symbolic link compare equal.
std::string Canonical(const std::string& folder) {
  std::error_code error;
  const auto canonical = std::filesystem::weakly_canonical(folder, error);
  if (error) return std::filesystem::absolute(folder, error).lexically_normal().string();
  return canonical.string();
}

}  // namespace

OutputFolders PlanOutputFolders(const std::vector<std::string>& files, const std::string& outputDir,
                                bool dryRun) {
  OutputFolders plan;
  std::map<std::string, const std::string*> folderOwners;
  for (const std::string& file : files) {
    std::string target;  // the folder the images will go to
    if (outputDir.empty()) {
      plan.outputDirs.emplace_back();
      target = OutputFolderBeside(file);
    } else {
      target = files.size() == 1 ? outputDir : JoinPath(outputDir, OutputFolderName(file));
      plan.outputDirs.push_back(target);
    }
    if (dryRun || !plan.conflict.empty()) continue;
    const auto [owner, isNew] = folderOwners.emplace(Canonical(target), &file);
    if (!isNew) {
      plan.conflict = *owner->second + " and " + file +
                      " would write their images into the same folder: " + target;
    }
  }
  return plan;
}

}  // namespace quillmoor::cli
