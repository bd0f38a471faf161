#include "candidate_search.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

// Every search path must give the portable answer, whatever the alignment of
// the range and wherever the pairs fall relative to vector widths.
TEST(CandidateSearch, EveryPathAgreesWithThePortableOne) {
  std::mt19937 random(20261211);
  std::vector<std::uint8_t> bytes(4096 + 8);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % 4 == 0 ? 22 : random() % 256);
  // Pairs near vector boundaries and at the very ends of ranges.
  for (std::size_t p : {0u, 15u, 16u, 31u, 32u, 63u, 64u, 65u, 127u, 1000u, 4090u, 4095u}) {
    bytes[p] = 22;
    bytes[p + CandidateIdDistance] = 16;
  }
  const std::size_t limit = bytes.size() - CandidateIdDistance;
  for (SearchPath path : AvailableSearchPaths()) {
    SCOPED_TRACE(SearchPathName(path));
    for (std::size_t from = 0; from < 130; ++from) {
      for (std::size_t to : {from, from + 1, from + 17, from + 64, from + 200, limit}) {
        to = std::min(to, limit);
        std::size_t expected = from;
        std::size_t got = from;
        // Walk through every hit in the range, as the scan does.
        do {
          expected = FindCandidateWith(SearchPath::Portable, bytes.data(), expected, to);
          got = FindCandidateWith(path, bytes.data(), got, to);
          ASSERT_EQ(got, expected) << "from " << from << " to " << to;
          ++expected, ++got;
        } while (expected <= to);
      }
    }
  }
}

TEST(CandidateSearch, FindsOnlyTheTypeAndIdPair) {
  std::vector<std::uint8_t> bytes(200, 0);
  bytes[10] = 22;      // no id after it
  bytes[40 + 4] = 16;  // id without type
  bytes[100] = 22, bytes[104] = 16;
  for (SearchPath path : AvailableSearchPaths()) {
    EXPECT_EQ(FindCandidateWith(path, bytes.data(), 0, 190), 100u) << SearchPathName(path);
    EXPECT_EQ(FindCandidateWith(path, bytes.data(), 101, 190), 190u) << SearchPathName(path);
  }
  EXPECT_EQ(FindCandidate(bytes.data(), 0, 100), 100u) << "the end of the range is excluded";
}

}  // namespace
}  // namespace quillmoor
