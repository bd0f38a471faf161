#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillmoor {

// The recogniser's first two tests are a disk-type byte of 22 and a TR-DOS
// identifier of 16 four bytes later. Nearly every position of a hard disk
// fails them, so the scan looks for the pair with vector compares and only
// calls the recogniser where both are there.
inline constexpr std::size_t CandidateIdDistance = 4;

// The ways the pair can be searched for; all give the same answer.
enum class SearchPath { Portable, Sse2, Avx2 };

// The first p in [from, to) with bytes[p] == 22 and bytes[p + 4] == 16, or `to`
// when there is none. Bytes up to to + 4 must be readable.
std::size_t FindCandidate(const std::uint8_t* bytes, std::size_t from, std::size_t to);

// The same through one given path; for tests and benchmarks.
std::size_t FindCandidateWith(SearchPath path, const std::uint8_t* bytes, std::size_t from,
                              std::size_t to);

// The paths this processor can run, the portable one first.
std::vector<SearchPath> AvailableSearchPaths();

const char* SearchPathName(SearchPath path);

}  // namespace quillmoor
