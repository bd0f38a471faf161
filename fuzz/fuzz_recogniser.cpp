// Arbitrary bytes at every position the scan could test: the recogniser must
// never read outside what it is promised, and every way of searching for
// candidates must agree.

#include "candidate_search.h"
#include "trd_recogniser.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace quillmoor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Exactly the bytes the recogniser may read around each tested position, in
  // a buffer of their own size, so that any read beyond them is caught.
  std::vector<std::uint8_t> bytes(MatchReachBefore + size + MatchReachAfter + 1, 0);
  std::copy(data, data + size, bytes.begin() + MatchReachBefore);
  const std::size_t from = MatchReachBefore;
  const std::size_t to = MatchReachBefore + size;

  for (std::size_t p = from;; ++p) {
    const std::size_t next = FindCandidateWith(SearchPath::Portable, bytes.data(), p, to);
    for (SearchPath path : AvailableSearchPaths()) {
      if (FindCandidateWith(path, bytes.data(), p, to) != next) std::abort();
    }
    if (next >= to) break;
    MatchTrdAt(bytes, next);
    p = next;
  }
  return 0;
}
