#pragma once

#include <cstdint>
#include <string>

namespace quillmoor {

// The three fields of the window's status bar.
enum StatusField : int {
  FieldCount = 0,     // " Find: " + images so far
  FieldLabel = 1,     // the last image's label between double quotes
  FieldProgress = 2,  // percentage + "%"
};

// What the front end learns about each image a run accepts.
struct FoundImage {
  int number = 0;               // its number within the run, from 1
  std::int64_t fileOffset = 0;  // offset of its first byte in the file; negative
                                // when the image starts before the file does
  std::string label;            // the cleaned disk label
  std::string outputPath;       // where it was written; empty on a dry run or failure
  bool written = false;         // true once the whole file is in place
};

// Everything a run needs of whoever started it. The scanner never talks to the
// user or the platform's window in any other way.
class ScanSink {
 public:
  virtual ~ScanSink() = default;

  // Replaces the text of one status field.
  virtual void SetStatus(StatusField field, const std::string& text) = 0;
  // Gives the front end a breath between chunks.
  virtual void Pause(int milliseconds) = 0;
  // Takes exactly one pending event; true when it asks to close, which cancels
  // the run. Any other event taken here is dropped.
  virtual bool PollCloseRequest() = 0;
  // A modal message with one OK button; the run waits until it is closed.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;

  // Optional: after each image has been handled (written, failed, or listed on
  // a dry run).
  virtual void ImageFound(const FoundImage& /*image*/) {}
  // Optional: after each chunk, how many file bytes have been tested so far.
  virtual void ChunkScanned(std::uint64_t /*bytesScanned*/, std::uint64_t /*fileLength*/) {}
  // Optional: the file could not be opened; the run found nothing.
  virtual void OpenFailed(const std::string& /*path*/, int /*errorNumber*/) {}
};

}  // namespace quillmoor
