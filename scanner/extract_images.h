#pragma once

#include "scan_buffer.h"
#include "scan_sink.h"

#include <cstdint>
#include <string>

namespace quillmoor {

// How a front end wants a run carried out. The window uses the defaults.
struct ExtractOptions {
  // Where the images go. Empty: a folder named after the file, beside it.
  std::string outputDir;
  // Recognise and report only: no folder, no file.
  bool dryRun = false;
};

// The record of one run.
struct ExtractionRun {
  std::string path;                // the file being scanned
  int found = 0;                   // images accepted so far
  bool folderReady = false;        // the output folder has been settled this run
  std::string targetDir;           // where this run's images are written, once settled
  std::uint64_t fileLength = 0;    // taken when the run starts
  std::uint64_t bytesScanned = 0;  // file positions tested so far
  // The file offset that buffer position 0 stands for; negative while the
  // buffer still holds room before the file's first byte.
  std::int64_t bufferStart = 0;
  ExtractOptions options;
};

// Scans the file at `path` for TR-DOS disk images and writes each one found.
// Every byte position of the file is tested once as the place of a disk-type
// byte; positions outside the file read as zero. Status texts, the per-chunk
// pause and event poll, and error boxes go through `sink`. Returns the number
// of images accepted (0 when the file cannot be opened).
int ExtractImages(const std::string& path, ScanSink& sink, ScanBuffer& buffer,
                  const ExtractOptions& options = {});

}  // namespace quillmoor
