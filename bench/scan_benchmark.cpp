// Speed of the scan in bytes per second: the candidate search by itself on
// each path this processor can run, the search with the recogniser over a
// buffer, and the whole dry run of ExtractImages over a file held in memory.
#include "candidate_search.h"
#include "extract_images.h"
#include "synthetic_disk.h"
#include "trd_recogniser.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using quillmoor::SearchPath;

constexpr std::uint64_t Seed = 20240611;

// 1 MiB, small enough to stay in the processor's cache, so that the search is
// timed and not the memory: a mix of short runs, and random bytes alone (the
// hardest case: a 22 every 256 bytes, a false start every 64 KiB).
const std::vector<std::uint8_t>& CachedDisk(bool randomOnly) {
  static const std::vector<std::uint8_t> mixed = quillmoor::bench::MakeSyntheticDisk(
      1 << 20, Seed, {.longestRun = 64 << 10, .imageSpacing = 512 << 10});
  static const std::vector<std::uint8_t> random = quillmoor::bench::MakeSyntheticDisk(
      1 << 20, Seed, {.randomPercent = 100, .zeroPercent = 0, .imageSpacing = 512 << 10});
  return randomOnly ? random : mixed;
}

void SearchOnly(benchmark::State& state, SearchPath path, bool randomOnly) {
  const auto& disk = CachedDisk(randomOnly);
  const std::size_t end = disk.size() - quillmoor::CandidateIdDistance;
  for (auto _ : state) {
    std::size_t candidates = 0;
    for (std::size_t p = quillmoor::FindCandidateWith(path, disk.data(), 0, end); p < end;
         p = quillmoor::FindCandidateWith(path, disk.data(), p + 1, end)) {
      ++candidates;
    }
    benchmark::DoNotOptimize(candidates);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * end));
}

void SearchAndRecognise(benchmark::State& state, bool randomOnly) {
  const auto& disk = CachedDisk(randomOnly);
  const std::size_t from = quillmoor::MatchReachBefore;
  const std::size_t end = disk.size() - quillmoor::MatchReachAfter;
  for (auto _ : state) {
    int found = 0;
    for (std::size_t p = quillmoor::FindCandidate(disk.data(), from, end); p < end;
         p = quillmoor::FindCandidate(disk.data(), p + 1, end)) {
      found += quillmoor::MatchTrdAt(disk, p) ? 1 : 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (end - from)));
}

class SilentSink : public quillmoor::ScanSink {
 public:
  void SetStatus(quillmoor::StatusField, const std::string&) override {}
  void Pause(int) override {}
  bool PollCloseRequest() override { return false; }
  void ShowMessage(const std::string&, const std::string&) override {}
};

// A file that lives only in memory, so that the disk plays no part; the scan
// opens it by its /proc/self/fd name, as it would any other path.
class MemoryFile {
 public:
  explicit MemoryFile(const std::vector<std::uint8_t>& bytes)
      : fd_(::memfd_create("quillmoor-bench", 0)) {
    if (fd_ < 0) throw std::runtime_error("memfd_create failed");
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (put <= 0) throw std::runtime_error("writing the memory file failed");
      done += static_cast<std::size_t>(put);
    }
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

void ExtractImagesDryRun(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0)) << 20;
  const MemoryFile file(quillmoor::bench::MakeSyntheticDisk(size, Seed));
  quillmoor::ScanBuffer buffer;
  SilentSink sink;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        quillmoor::ExtractImages(file.Path(), sink, buffer, {.outputDir = "", .dryRun = true}));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

}  // namespace

int main(int argc, char** argv) {
  for (const bool randomOnly : {false, true}) {
    const std::string data = randomOnly ? "/Random" : "/Mixed";
    for (const SearchPath path : quillmoor::AvailableSearchPaths()) {
      benchmark::RegisterBenchmark(
          ("FindCandidate/" + std::string(quillmoor::SearchPathName(path)) + data).c_str(),
          [path, randomOnly](benchmark::State& state) { SearchOnly(state, path, randomOnly); });
    }
    benchmark::RegisterBenchmark(
        ("FindCandidateAndMatchTrdAt" + data).c_str(),
        [randomOnly](benchmark::State& state) { SearchAndRecognise(state, randomOnly); });
  }
  benchmark::RegisterBenchmark("ExtractImagesDryRun/MiB", ExtractImagesDryRun)
      ->Arg(256)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
