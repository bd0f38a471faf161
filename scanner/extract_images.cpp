#include "extract_images.h"

#include "candidate_search.h"
#include "image_writer.h"
#include "input_file.h"
#include "trd_recogniser.h"

#include <algorithm>
#include <cstring>

namespace quillmoor {
namespace {

constexpr std::size_t Third = ScanBuffer::ThirdSize;
constexpr std::size_t TestedFrom = Third;  // B: one chunk's positions
constexpr int PauseMilliseconds = 1;

// Bytes before the tested range that an image found there can start in.
constexpr std::size_t Lookback = DiskInfoOffset;
static_assert(TestedFrom + Third - 1 - Lookback + TrdImageSize <= ScanBuffer::Size,
              "an image found in B must end inside the buffer");
static_assert(TestedFrom + Third + MatchReachAfter <= ScanBuffer::Size);

std::string ProgressText(const ExtractionRun& run) {
  // Exact integer arithmetic: the last chunk always reads 100%, and an empty
  // file divides by nothing.
  const std::uint64_t percent =
      run.fileLength == 0 ? 100
                          : std::min<std::uint64_t>(100, run.bytesScanned * 100 / run.fileLength);
  return std::to_string(percent) + "%";
}

// Tests every position of B that stands for a byte of the file.
void ScanChunk(ExtractionRun& run, ScanBuffer& buffer, std::size_t testedBytes, ScanSink& sink) {
  const std::span<const std::uint8_t> bytes = buffer.bytes();
  const std::size_t end = TestedFrom + testedBytes;
  for (std::size_t p = FindCandidate(bytes.data(), TestedFrom, end); p < end;
       p = FindCandidate(bytes.data(), p + 1, end)) {
    if (MatchTrdAt(bytes, p)) WriteFoundImage(run, bytes, p, sink);
  }
}

}  // namespace

int ExtractImages(const std::string& path, ScanSink& sink, ScanBuffer& buffer,
                  const ExtractOptions& options) {
  InputFile file;
  if (const int error = file.Open(path); error != 0) {
    sink.OpenFailed(path, error);
    return 0;
  }
  ExtractionRun run;
  run.path = path;
  run.fileLength = file.Length();
  run.options = options;
  std::uint8_t* const bytes = buffer.data();

  // Nothing stands before the file's first byte, and nothing after its last:
  // those buffer bytes read as zero, whatever an earlier run left there.
  std::memset(bytes, 0, Third);
  run.bufferStart = -static_cast<std::int64_t>(Third);
  std::size_t held = 0;  // file bytes in B and C, from the start of B
  for (;;) {
    // Top B and C up from the file, every byte read once.
    const std::int64_t got = file.ReadFully(bytes + Third + held, 2 * Third - held);
    if (got < 0) {
      sink.ShowMessage("Error!", "Cant read file: " + path);
      break;
    }
    held += static_cast<std::size_t>(got);
    std::memset(bytes + Third + held, 0, 2 * Third - held);

    const std::size_t tested = std::min(held, Third);
    ScanChunk(run, buffer, tested, sink);
    run.chunks += 1;
    run.bytesScanned += tested;
    sink.Pause(PauseMilliseconds);
    sink.SetStatus(FieldProgress, ProgressText(run));
    sink.ChunkScanned(run.bytesScanned, run.fileLength);

    if (sink.PollCloseRequest() || held <= Third) break;
    // Slide one third along: C becomes B, and the end of B stays just before
    // it for images that start there.
    std::memmove(bytes + Third - Lookback, bytes + 2 * Third - Lookback, Third + Lookback);
    run.bufferStart += static_cast<std::int64_t>(Third);
    held -= Third;
  }
  return run.found;
}

}  // namespace quillmoor
