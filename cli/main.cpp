// quillmoor-scan: the command-line front end. Each FILE gets the same run as a
// file dropped on the window; the report goes to standard output.
#include "extract_images.h"
#include "output_folders.h"
#include "progress_bar.h"
#include "report_sink.h"
#include "scan_buffer.h"

#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <unistd.h>

namespace {

constexpr int ExitScanned = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr const char* Usage = "Usage: quillmoor-scan [OPTIONS] FILE...";

constexpr const char* Explanation =
    R"text(Each FILE's images are written as "<number>_<label>.trd" into a folder beside
it, named after it with "_extract". A line per image shows its number, the
offset of its first byte in FILE, its label and the file written, and
"(inside image N)" when it starts within an earlier image of FILE; then
"Found files: " and the count.

--json prints one object a line instead: per image "file", "number",
"offset", "label", "output" (null on a dry run) and "inside" (a number or
null); per FILE "file" and "found". Path bytes that are not UTF-8 appear
as \udcXX.

Exit status: 0 when every FILE was scanned, 1 when a FILE could not be opened
or read or an image could not be written, 2 for a usage error.)text";

struct CommandLine {
  std::vector<std::string> files;
  std::string outputDir;
  bool dryRun = false;
  bool json = false;
};

void DescribeOptions(CLI::App& app, CommandLine& line) {
  app.add_flag("-n,--dry-run", line.dryRun, "List the images only: no folder, no file");
  app.add_option("-o,--output-dir", line.outputDir,
                 "Write the images into DIR (made if missing); with several FILEs, into "
                 "DIR/<name>_extract each")
      ->option_text("DIR")
      ->check([](const std::string& dir) { return dir.empty() ? "the folder name is empty" : ""; });
  app.add_flag("--json", line.json, "Report in JSON lines");
  app.add_option("FILE", line.files, "Hard-disk images to scan, in turn")->required();
  app.set_version_flag("--version", "quillmoor-scan " QUILLMOOR_VERSION);
  app.footer(Explanation);
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "quillmoor-scan: %s\n%s\nRun 'quillmoor-scan --help' for more.\n",
               message.c_str(), Usage);
  return ExitUsage;
}

int Scan(const CommandLine& line) {
  using namespace quillmoor::cli;
  const OutputFolders folders = PlanOutputFolders(line.files, line.outputDir, line.dryRun);
  if (!folders.conflict.empty()) return UsageError(folders.conflict);

  ProgressBar progress(stderr, ::isatty(STDERR_FILENO) == 1);
  ReportSink sink(stdout, stderr, progress, line.json ? ReportFormat::Json : ReportFormat::Text,
                  line.dryRun, line.files.size() > 1);
  quillmoor::ScanBuffer buffer;  // one buffer for every file
  for (std::size_t i = 0; i < line.files.size(); ++i) {
    sink.BeginFile(line.files[i]);
    const quillmoor::ExtractOptions options{folders.outputDirs[i], line.dryRun};
    sink.EndFile(quillmoor::ExtractImages(line.files[i], sink, buffer, options));
  }
  // A report that did not reach its reader must not pass for a success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("quillmoor-scan: the report could not be written to standard output\n", stderr);
    return ExitFailed;
  }
  return sink.HadFailure() ? ExitFailed : ExitScanned;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Finds TR-DOS disk images (TRD) inside raw hard-disk images and writes each out.",
               "quillmoor-scan");
  CommandLine line;
  DescribeOptions(app, line);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version end parsing too, with status 0.
    if (error.get_exit_code() == 0) return app.exit(error);
    return UsageError(error.what());
  }
  return Scan(line);
}
