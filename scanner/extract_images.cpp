#include "extract_images.h"

#include "candidate_search.h"
#include "image_writer.h"
#include "input_file.h"
#include "trd_recogniser.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace quillmoor {
namespace {

constexpr std::size_t Third = ScanBuffer::ThirdSize;
constexpr std::size_t TestedFrom = Third;  // B: one chunk's positions
constexpr int PauseMilliseconds = 1;
// How much of the file is read at a time: small enough for the processor's
// cache, large enough that the calls cost little.
constexpr std::size_t ReadPiece = 256 * 1024;

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

// The file's bytes in the buffer from the start of B, read only as far as the
// scan needs them, each byte once.
class HeldBytes {
 public:
  HeldBytes(InputFile& file, std::uint8_t* buffer) : file_(file), buffer_(buffer) {}

  // Makes the buffer up to position `end` (exclusive) hold the file's bytes,
  // or zero from where the file ends. False on a read error.
  bool ReadTo(std::size_t end) {
    const std::size_t have = TestedFrom + count_;
    if (ended_ || end <= have) return true;
    const std::int64_t got = file_.ReadFully(buffer_ + have, end - have);
    if (got < 0) return false;
    count_ += static_cast<std::size_t>(got);
    if (static_cast<std::size_t>(got) < end - have) {
      ended_ = true;
      ClearAfterEnd();
    }
    return true;
  }

  // File bytes held from the start of B.
  std::size_t Count() const { return count_; }

  // Slides one third along: what was read beyond B moves to its start, and the
  // end of B stays just before it for images that start there. Only for a
  // buffer that holds bytes beyond B.
  void Slide() {
    std::memmove(buffer_ + TestedFrom - Lookback, buffer_ + TestedFrom + Third - Lookback,
                 Lookback + count_ - Third);
    count_ -= Third;
    if (ended_) ClearAfterEnd();
  }

 private:
  void ClearAfterEnd() {
    std::memset(buffer_ + TestedFrom + count_, 0, ScanBuffer::Size - TestedFrom - count_);
  }

  InputFile& file_;
  std::uint8_t* buffer_;
  std::size_t count_ = 0;
  bool ended_ = false;
};

// Tests every position of B that stands for a byte of the file, a piece at a
// time, each piece straight after it is read while its bytes are still in the
// processor's cache: reading all of B and C first and searching afterwards
// takes half as long again. An image found is read in whole before it is
// written. Returns the positions tested, or nothing on a read error.
std::optional<std::size_t> ScanChunk(ExtractionRun& run, ScanBuffer& buffer, HeldBytes& held,
                                     ScanSink& sink) {
  const std::span<const std::uint8_t> bytes = buffer.bytes();
  for (std::size_t from = TestedFrom; from < TestedFrom + Third;) {
    const std::size_t to = std::min(from + ReadPiece, TestedFrom + Third);
    if (!held.ReadTo(to + MatchReachAfter)) return std::nullopt;
    const std::size_t end = std::min(to, TestedFrom + held.Count());
    for (std::size_t p = FindCandidate(bytes.data(), from, end); p < end;
         p = FindCandidate(bytes.data(), p + 1, end)) {
      if (!MatchTrdAt(bytes, p)) continue;
      if (!held.ReadTo(p - Lookback + TrdImageSize)) return std::nullopt;
      WriteFoundImage(run, bytes, p, sink);
    }
    if (end < to) return end - TestedFrom;  // the file ends inside this piece
    from = to;
  }
  return Third;
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
  HeldBytes held(file, bytes);
  for (;;) {
    const std::optional<std::size_t> tested = ScanChunk(run, buffer, held, sink);
    if (!tested) {
      sink.ShowMessage("Error!", "Cant read file: " + path);
      break;
    }
    run.bytesScanned += *tested;
    sink.Pause(PauseMilliseconds);
    sink.SetStatus(FieldProgress, ProgressText(run));
    sink.ChunkScanned(run.bytesScanned, run.fileLength);

    // The scan of B has read at least one byte beyond it whenever there is one.
    if (sink.PollCloseRequest() || held.Count() <= Third) break;
    held.Slide();
    run.bufferStart += static_cast<std::int64_t>(Third);
  }
  return run.found;
}

}  // namespace quillmoor
